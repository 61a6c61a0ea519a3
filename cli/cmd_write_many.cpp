#include "cli/cmd_write_many.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <optional>

#include "cli/cli_support.h"
#include "cli/cmd_backups.h"
#include "cli/cmd_read.h"
#include "cli/cmd_write.h"
#include "cli/write_many_report.h"
#include "core/formats/backup_store.h"
#include "core/formats/batch_log.h"
#include "core/formats/delimited_text.h"
#include "core/formats/sha256.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_worker_thread.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define STDIN_FILENO 0
#else
#include <unistd.h>
#endif

namespace radio::cli {
namespace {

struct ManyArgs {
    std::vector<std::string> ports;
    std::string file;
    std::string log;
    std::optional<std::string> backupDir;
    bool verify = true;
    bool force = false;
    bool backupFirst = false;
    bool repeat = false;
};

// "--name VALUE" or "--name=VALUE" at args[i]; false when `arg` is another option.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
               std::optional<std::string>& value) {
    const std::string& arg = args[i];
    if (arg == name) {
        value = i + 1 < args.size() ? std::optional(args[++i]) : std::nullopt;
        if (!value) value = std::string();
        return true;
    }
    if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
        value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

bool Parse(Context& ctx, ManyArgs& a) {
    const auto usage = [&ctx](const std::string& problem) {
        static_cast<void>(UsageError(ctx, "write", problem));
        return false;
    };
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& arg = ctx.args[i];
        std::optional<std::string> value;
        if (TakeValue(ctx.args, i, "--port", value)) {
            if (value->empty()) return usage("--port needs a port name");
            if (std::find(a.ports.begin(), a.ports.end(), *value) != a.ports.end())
                return usage("--port " + *value + " is given twice");
            a.ports.push_back(*value);
        } else if (TakeValue(ctx.args, i, "--log", value)) {
            if (value->empty()) return usage("--log needs a file name");
            a.log = *value;
        } else if (TakeValue(ctx.args, i, "--backup-dir", value)) {
            if (value->empty()) return usage("--backup-dir needs a folder");
            a.backupDir = value;
        } else if (arg == "--no-verify") {
            a.verify = false;
        } else if (arg == "--force") {
            a.force = true;
        } else if (arg == "--backup-first") {
            a.backupFirst = true;
        } else if (arg == "--repeat") {
            a.repeat = true;
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            return usage("unknown option '" + arg + "'");
        } else if (a.file.empty()) {
            a.file = arg;
        } else {
            return usage("write takes one FILE");
        }
    }
    if (a.ports.empty() || a.file.empty()) return usage("write needs --port PORT and a FILE");
    if (a.backupDir && !a.backupFirst) return usage("--backup-dir goes with --backup-first");
    return true;
}

bool Succeeded(const BatchRadio& radio, bool verify) {
    return radio.result == (verify ? BatchResult::Verified : BatchResult::Written);
}

}  // namespace

bool IsWriteMany(const Context& ctx) {
    int ports = 0;
    for (const std::string& arg : ctx.args) {
        if (arg == "--port" || arg.rfind("--port=", 0) == 0) ++ports;
        if (arg == "--log" || arg.rfind("--log=", 0) == 0 || arg == "--repeat" ||
            arg == "--backup-first")
            return true;
    }
    return ports > 1;
}

std::string BatchResultLine(const BatchRadio& radio) {
    std::string what;
    switch (radio.result) {
        case BatchResult::Verified:
            what = "verified";
            break;
        case BatchResult::Written:
            what = "written, not verified";
            break;
        case BatchResult::WriteFailed:
            what = "failed: " + radio.message;
            break;
        case BatchResult::VerifyFailed:
            what = "verify failed: " + radio.message;
            break;
        case BatchResult::Cancelled:
            what = radio.message.empty() ? "cancelled" : radio.message;
            break;
    }
    return radio.port + ": " + what + " (" + FormatSeconds(radio.milliseconds) + " s)";
}

RoundAnswer ParseRoundAnswer(std::string_view line) {
    std::string word(TrimBlanks(line));
    while (!word.empty() && (word.back() == '\r' || word.back() == ' ')) word.pop_back();
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (word.empty()) return RoundAnswer::Next;
    if (word == "q" || word == "quit") return RoundAnswer::Finish;
    return RoundAnswer::Unclear;
}

bool AskForNextRound(std::istream& in, std::ostream& err) {
    err << "Connect the next radio(s) and press Enter, or q to finish\n" << std::flush;
    for (std::string line; std::getline(in, line) && !InterruptGuard::Raised();) {
        switch (ParseRoundAnswer(line)) {
            case RoundAnswer::Next:
                return true;
            case RoundAnswer::Finish:
                return false;
            case RoundAnswer::Unclear:
                err << "Press Enter for the next round, or q to finish\n" << std::flush;
                break;
        }
    }
    in.clear();  // a later read must not find the stream failed
    return false;
}

int RunWriteMany(Context& ctx) {
    ManyArgs a;
    if (!Parse(ctx, a)) return kExitUsage;
    if (a.repeat && !isatty(STDIN_FILENO)) {
        return UsageError(ctx, "write",
                          "--repeat asks for the next radios on the terminal, and standard input "
                          "is not one; run it from a terminal, or run write once per batch");
    }
    RadioImage image;
    if (!LoadImage(ctx, a.file, image)) return kExitUsage;
    if (!CheckBeforeWrite(ctx, a.file, image, a.force)) return kExitRefused;
    std::string folder;
    if (a.backupFirst) {
        folder = BackupFolderFor(ctx, a.backupDir);
        if (folder.empty()) {
            return UsageError(ctx, "write",
                              "--backup-first keeps each radio's image in the backup folder, "
                              "but backups are switched off; give --backup-dir DIR");
        }
    }
    // A log that cannot be written is found out before any radio is.
    if (!a.log.empty()) {
        if (const Status st = AppendBatchLog(a.log, {}); !st) {
            Error(ctx, st.message + " Nothing was written.");
            return kExitRefused;
        }
    }

    BatchHooks hooks;
    hooks.connect = [](std::size_t, const std::string&) {
        return BatchConnection{std::make_unique<SystemClock>(), std::make_unique<QtSerialPort>()};
    };
    hooks.backup = [folder](std::size_t, const std::string& port, const RadioImage& before,
                            std::string& path) {
        return BackupStore(folder).Save(before, &path, BackupTag(port));
    };
    hooks.compare = [lang = ctx.lang](const RadioImage& written, const RadioImage& readBack) {
        return VerifySummary(written, readBack, lang);
    };
    hooks.cancelRequested = [] { return InterruptGuard::Raised(); };
    hooks.startThread = StartQtThread;
    const BatchOptions options{a.verify, a.backupFirst};

    InterruptGuard interrupts;  // Ctrl+C stops every radio; the log says "cancelled"
    TerminalBatchReport report(ctx, a.ports, a.log, Sha256Hex(image.data(), kImageSize));
    WritePool pool(hooks);
    bool allGood = true;
    for (int round = 1;; ++round) {
        if (a.repeat) Error(ctx, "round " + std::to_string(round));
        report.StartRound(round);
        const std::vector<BatchRadio> results = pool.Run(a.ports, image, options, report);
        const auto good = std::count_if(results.begin(), results.end(), [&](const BatchRadio& r) {
            return Succeeded(r, a.verify);
        });
        allGood = allGood && good == static_cast<std::ptrdiff_t>(results.size());
        Error(ctx, std::to_string(good) + " of " + std::to_string(results.size()) + " radios " +
                       (a.verify ? "verified" : "written"));
        if (InterruptGuard::Raised()) {
            Error(ctx, "cancelled");
            break;
        }
        if (!a.repeat || !AskForNextRound(std::cin, ctx.err)) break;
    }
    return allGood && !report.LogFailed() ? kExitOk : kExitRefused;
}

}  // namespace radio::cli
