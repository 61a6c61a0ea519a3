#include "cli/cmd_simulate.h"

#include <chrono>
#include <thread>

#include "cli/cli_support.h"
#include "cli/cmd_read.h"
#ifndef _WIN32
#include "core/link/pty_radio_server.h"
#endif
#include "core/image/atomic_file.h"
#include "core/image/channel_file.h"
#include "core/link/radio_faults.h"

namespace radio::cli {
namespace {

struct SimulateArgs {
    std::string image, save, log;
    int baud = 0;
    bool truncate = false;
    RadioFaults faults;
};

// Returns kExitOk when the arguments are good, else the exit status to end with.
int Parse(Context& ctx, SimulateArgs& a) {
    const auto& args = ctx.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& opt = args[i];
        if (opt == "--truncate") {
            a.truncate = true;
            continue;
        }
        if (opt != "--image" && opt != "--save" && opt != "--log" && opt != "--baud" &&
            opt != "--fault") {
            return UsageError(ctx, "simulate", "unknown argument '" + opt + "'");
        }
        if (i + 1 >= args.size()) return UsageError(ctx, "simulate", opt + " needs a value");
        const std::string& value = args[++i];
        if (opt == "--image") {
            a.image = value;
        } else if (opt == "--save") {
            a.save = value;
        } else if (opt == "--log") {
            a.log = value;
        } else if (opt == "--baud") {
            const auto baud = ParseIndex(value);
            if (!baud || *baud == 0)
                return UsageError(ctx, "simulate", "--baud takes a positive number");
            a.baud = *baud;
        } else if (value == "help") {
            ctx.out << "--fault LIST: a comma-separated list of\n" << FaultSyntax();
            return -1;
        } else if (const Status s = ParseFaults(value, a.faults); !s) {
            ctx.err << "radioprog: " << s.message << "; --fault takes:\n" << FaultSyntax();
            return kExitUsage;
        }
    }
    return kExitOk;
}

}  // namespace

int RunSimulate(Context& ctx) {
    SimulateArgs args;
    if (const int status = Parse(ctx, args); status != kExitOk) {
        return status < 0 ? kExitOk : status;
    }
    // A fresh radio holds what File > New would give.
    RadioImage memory = RadioImage::Blank();
    if (!args.image.empty() && !LoadImage(ctx, args.image, memory)) return kExitUsage;
    // Saving the memory over a longer file would cut it: refused before serving, not
    // discovered at the end of a session. --save may name the --image file on purpose (the
    // radio's memory goes back where it came from); the log never may.
    if (!args.save.empty() &&
        !MaySaveOver(ctx, args.save, LongerThanImage(args.save), args.truncate))
        return kExitRefused;
    if (!args.log.empty() && (RefuseOutputOverInput(ctx, args.log, args.image) ||
                              RefuseOutputOverInput(ctx, args.log, args.save)))
        return kExitRefused;

#ifdef _WIN32
    Error(ctx, "simulate needs pseudo-terminals, which this system does not have");
    return kExitRefused;
#else
    VirtualRadio radio(memory, args.faults);
    radio.SetBaud(args.baud);
    PtyRadioServer server(std::move(radio));
    InterruptGuard interrupts;  // before the path goes out: a caller may signal right after
    if (const Status s = server.Start(); !s) {
        Error(ctx, s.message);
        return kExitRefused;
    }
    // The first line of stdout is the device to give to --port; flushed for callers on a pipe.
    ctx.out << server.devicePath() << std::endl;
    ctx.err << "radioprog: virtual radio on " << server.devicePath()
            << (args.baud ? " at " + std::to_string(args.baud) + " baud" : std::string(", unpaced"))
            << "; Ctrl+C stops it\n"
            << std::flush;

    while (!InterruptGuard::Raised()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    server.Stop();

    int status = kExitOk;
    if (!args.save.empty()) {
        OpenedFile target;
        if (LockForReplace(ctx, args.save, target) != kExitOk ||
            !MaySaveOver(ctx, args.save, target.size, args.truncate) ||
            !SaveImage(ctx, args.save, server.memory(), &target))
            status = kExitRefused;
    }
    if (!args.log.empty()) {
        std::string text;
        for (const Frame& frame : server.log()) text += FormatFrame(frame) + "\n";
        if (const Status s = WriteFileAtomically(args.log, text); !s) {
            Error(ctx, s.message);
            status = kExitRefused;
        }
    }
    return status;
#endif
}

}  // namespace radio::cli
