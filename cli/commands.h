#pragma once

#include "cli/command.h"

namespace radio::cli {

// One function per subcommand, each in its own cmd_<name>.cpp. They get their own arguments in
// ctx.args and return the exit status.

// Channel files.
int RunNew(Context& ctx);
int RunDump(Context& ctx);
int RunSet(Context& ctx);
int RunOptions(Context& ctx);
int RunOption(Context& ctx);
int RunBand(Context& ctx);
int RunConfig(Context& ctx);
int RunExport(Context& ctx);  // channels as CSV
int RunImport(Context& ctx);  // channels from CSV or dump's TSV
int RunStock(Context& ctx);   // the stock channel lists

// Whole channels (cmd_rows.cpp).
int RunCopy(Context& ctx);
int RunMove(Context& ctx);
int RunInsert(Context& ctx);
int RunDelete(Context& ctx);
int RunSort(Context& ctx);

// Images against each other and against the radio's rules (cmd_check.cpp, cmd_diff.cpp).
int RunCheck(Context& ctx);
int RunDiff(Context& ctx);

// ---- Radio link commands (ports, read, write, simulate): declare them here ----

}  // namespace radio::cli
