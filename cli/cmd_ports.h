#pragma once

#include "cli/command.h"

namespace radio::cli {

// radioprog ports: the serial ports found, one a line: name, description, USB vid:pid.
int RunPorts(Context& ctx);

}  // namespace radio::cli
