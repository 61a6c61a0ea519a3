#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "cli/command.h"
#include "core/link/write_pool.h"

namespace radio::cli {

// radioprog write FILE --port P1 --port P2 ... [--log LOG.csv] [--backup-first] [--repeat]:
// the image checked once, then written to every port at the same time, each radio verified on
// its own; a line per radio as it ends. Exit 0 only when every radio of every round verified.
int RunWriteMany(Context& ctx);
// True when `write` was given more than one --port, or an option only a batch has (--log,
// --repeat, --backup-first): then RunWriteMany does the work.
bool IsWriteMany(const Context& ctx);

// The line printed as a radio ends: "/dev/ttyUSB1: verified (17.9 s)",
// "/dev/ttyUSB2: failed: Communication Error,... (6.2 s)".
std::string BatchResultLine(const BatchRadio& radio);

// --repeat's question between rounds: an empty line goes on, "q" (or "quit") finishes.
enum class RoundAnswer { Next, Finish, Unclear };
RoundAnswer ParseRoundAnswer(std::string_view line);
// Asks on `err` until `in` gives a clear answer; true for another round. The end of the input,
// or a read that Ctrl+C interrupted, finishes.
bool AskForNextRound(std::istream& in, std::ostream& err);

}  // namespace radio::cli
