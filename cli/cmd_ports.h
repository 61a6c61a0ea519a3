#pragma once

#include "cli/command.h"

namespace radio::cli {

// radioprog ports: the serial ports found, one a line, TAB-separated: name, description, USB
// vid:pid, cable chip, driver ("-" where the system does not tell).
int RunPorts(Context& ctx);

// radioprog doctor [--port PORT]: checks a port as a transfer will use it and says what to do.
// Without --port it checks the one USB serial cable plugged in.
int RunDoctor(Context& ctx);

}  // namespace radio::cli
