#pragma once

#include "cli/command.h"

namespace radio::cli {

// radioprog simulate [--count N] [--image FILE] [--save FILE] [--baud N] [--fault [N=]LIST]
// [--log FILE]: N virtual radios (default 1), each on a pseudo-terminal whose path is a line of
// stdout, in order. With several radios, --save and --log name one file per radio
// ("saved-2.dat"); --fault N=LIST is for radio N only.
int RunSimulate(Context& ctx);

}  // namespace radio::cli
