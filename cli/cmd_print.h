#pragma once

#include "cli/command.h"

namespace radio::cli {

// radioprog print FILE -o OUT.pdf [--lang en|zh] [--page-size NAME]: the print job as a PDF.
int RunPrint(Context& ctx);

// True when argv names the print command: it draws text, so main() must start a GUI
// application (offscreen) instead of a core one.
bool IsPrintCommand(int argc, char** argv);

}  // namespace radio::cli
