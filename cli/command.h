#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "core/config/language.h"

namespace radio::cli {

// Exit statuses of radioprog.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;  // a rejected edit, a failed transfer
inline constexpr int kExitUsage = 2;    // usage errors, unreadable input

// What every subcommand receives once the global options are taken off the command line.
struct Context {
    std::vector<std::string> args;  // the subcommand's own arguments (its name removed)
    Language lang = Language::English;
    std::string configPath;    // Program.ini to use (default: beside the executable)
    std::string settingsPath;  // settings store file (default: the user's config folder)
    std::ostream& out;
    std::ostream& err;
};

using CommandFn = int (*)(Context&);

struct Command {
    const char* name;
    const char* usage;    // one line: arguments after the name
    const char* summary;  // one line: what it does
    CommandFn run;
};

// Every subcommand, in the order `radioprog --help` lists them.
const std::vector<Command>& Commands();

// Runs radioprog with argv (argv[0] is the program); returns the exit status.
int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace radio::cli
