#pragma once

#include "cli/command.h"

namespace radio::cli {

// radioprog write --port PORT [--no-verify] [--force] FILE: FILE to the radio (0x0000-0x1FEF,
// then the band frame) after the check before writing, then read back and compared.
int RunWrite(Context& ctx);

}  // namespace radio::cli
