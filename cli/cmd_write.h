#pragma once

#include "cli/command.h"

namespace radio::cli {

// radioprog write --port PORT FILE: FILE to the radio (0x0000-0x1FEF, then the band frame).
int RunWrite(Context& ctx);

}  // namespace radio::cli
