#pragma once

#include "cli/command.h"

namespace radio::cli {

// radioprog simulate [--image FILE] [--save FILE] [--baud N] [--fault LIST] [--log FILE]:
// a virtual radio on a pseudo-terminal whose path is the first line of stdout.
int RunSimulate(Context& ctx);

}  // namespace radio::cli
