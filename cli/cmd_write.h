#pragma once

#include <string>

#include "cli/command.h"
#include "core/image/radio_image.h"

namespace radio::cli {

// radioprog write --port PORT [--no-verify] [--force] FILE: FILE to the radio (0x0000-0x1FEF,
// then the band frame) after the check before writing, then read back and compared.
int RunWrite(Context& ctx);

// Prints what the check before writing finds in FILE's image; true when the write may go ahead
// (no errors, or --force).
bool CheckBeforeWrite(Context& ctx, const std::string& file, const RadioImage& image, bool force);

}  // namespace radio::cli
