#include "cli/cmd_simulate.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

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

// More radios than this on one machine is a mistake in the count, not a test rig.
constexpr int kMaxRadios = 64;

struct SimulateArgs {
    std::string image, save, log;
    int baud = 0;
    int count = 1;
    bool truncate = false;
    // Each --fault: the radio it is for (1..count; 0 for every radio) and its list.
    std::vector<std::pair<int, std::string>> faults;
};

// "3=mute:5" is for radio 3; a list without "N=" is for every radio.
std::pair<int, std::string> SplitFaultTarget(const std::string& value) {
    const auto equals = value.find('=');
    if (equals == std::string::npos) return {0, value};
    const auto index = ParseIndex(std::string_view(value).substr(0, equals));
    return {index ? *index : -1, value.substr(equals + 1)};
}

// Returns kExitOk when the arguments are good, else the exit status to end with (-1: help
// printed, nothing to serve).
int Parse(Context& ctx, SimulateArgs& a) {
    const auto& args = ctx.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& opt = args[i];
        if (opt == "--truncate") {
            a.truncate = true;
            continue;
        }
        if (opt != "--image" && opt != "--save" && opt != "--log" && opt != "--baud" &&
            opt != "--fault" && opt != "--count") {
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
        } else if (opt == "--baud" || opt == "--count") {
            const auto number = ParseIndex(value);
            if (!number || *number == 0 || (opt == "--count" && *number > kMaxRadios)) {
                return UsageError(ctx, "simulate",
                                  opt == "--baud" ? "--baud takes a positive number"
                                                  : "--count takes a number from 1 to " +
                                                        std::to_string(kMaxRadios));
            }
            (opt == "--baud" ? a.baud : a.count) = *number;
        } else if (value == "help") {
            ctx.out << "--fault [N=]LIST: for radio N of --count (from 1), else for every "
                       "radio; LIST is a comma-separated list of\n"
                    << FaultSyntax();
            return -1;
        } else {
            auto target = SplitFaultTarget(value);
            RadioFaults scratch;
            if (target.first < 0) {
                return UsageError(ctx, "simulate",
                                  "--fault takes LIST or N=LIST, not '" + value + "'");
            }
            if (const Status s = ParseFaults(target.second, scratch); !s) {
                ctx.err << "radioprog: " << s.message << "; --fault takes:\n" << FaultSyntax();
                return kExitUsage;
            }
            a.faults.push_back(std::move(target));
        }
    }
    for (const auto& [radio, list] : a.faults) {
        if (radio > a.count) {
            return UsageError(ctx, "simulate",
                              "--fault " + std::to_string(radio) + "=... names radio " +
                                  std::to_string(radio) + ", but there are only " +
                                  std::to_string(a.count));
        }
    }
    return kExitOk;
}

// The file of radio `radio` (from 1) of `count`: FILE itself for one radio, else FILE with
// "-N" before its extension ("saved.dat" -> "saved-3.dat").
std::string FileOfRadio(const std::string& path, int radio, int count) {
    if (path.empty() || count == 1) return path;
    std::filesystem::path p(path);
    const std::string stem = p.stem().string() + "-" + std::to_string(radio);
    return (p.parent_path() / (stem + p.extension().string())).string();
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
    for (int k = 1; k <= args.count; ++k) {
        const std::string save = FileOfRadio(args.save, k, args.count);
        const std::string log = FileOfRadio(args.log, k, args.count);
        if (!save.empty() && !MaySaveOver(ctx, save, LongerThanImage(save), args.truncate))
            return kExitRefused;
        if (!log.empty() &&
            (RefuseOutputOverInput(ctx, log, args.image) || RefuseOutputOverInput(ctx, log, save)))
            return kExitRefused;
    }

#ifdef _WIN32
    Error(ctx, "simulate needs pseudo-terminals, which this system does not have");
    return kExitRefused;
#else
    std::vector<std::unique_ptr<PtyRadioServer>> servers;
    for (int k = 1; k <= args.count; ++k) {
        RadioFaults faults;
        for (const auto& [radio, list] : args.faults) {
            if (radio == 0 || radio == k) static_cast<void>(ParseFaults(list, faults));  // checked
        }
        VirtualRadio radio(memory, faults);
        radio.SetBaud(args.baud);
        if (args.count > 1) {
            // The last identification byte is the radio's number, so a log tells them apart.
            VirtualRadio::Identity identity = radio.identity();
            identity.back() = static_cast<std::uint8_t>(k);
            radio.SetIdentity(identity);
        }
        servers.push_back(std::make_unique<PtyRadioServer>(std::move(radio)));
    }
    InterruptGuard interrupts;  // before the paths go out: a caller may signal right after
    for (auto& server : servers) {
        if (const Status s = server->Start(); !s) {
            Error(ctx, s.message);
            return kExitRefused;
        }
    }
    // The first lines of stdout are the devices to give to --port; flushed for callers on a
    // pipe.
    std::string paths;
    for (const auto& server : servers) {
        ctx.out << server->devicePath() << "\n";
        paths += (paths.empty() ? "" : ", ") + server->devicePath();
    }
    ctx.out << std::flush;
    ctx.err << "radioprog: "
            << (args.count == 1 ? std::string("virtual radio on ")
                                : std::to_string(args.count) + " virtual radios on ")
            << paths
            << (args.baud ? " at " + std::to_string(args.baud) + " baud" : std::string(", unpaced"))
            << "; Ctrl+C stops " << (args.count == 1 ? "it" : "them") << "\n"
            << std::flush;

    while (!InterruptGuard::Raised()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    for (auto& server : servers) server->Stop();

    int status = kExitOk;
    for (int k = 1; k <= args.count; ++k) {
        const PtyRadioServer& server = *servers[k - 1];
        const std::string save = FileOfRadio(args.save, k, args.count);
        if (!save.empty()) {
            OpenedFile target;
            if (LockForReplace(ctx, save, target) != kExitOk ||
                !MaySaveOver(ctx, save, target.size, args.truncate) ||
                !SaveImage(ctx, save, server.memory(), &target))
                status = kExitRefused;
        }
        const std::string log = FileOfRadio(args.log, k, args.count);
        if (log.empty()) continue;
        std::string text;
        for (const Frame& frame : server.log()) text += FormatFrame(frame) + "\n";
        if (const Status s = WriteFileAtomically(log, text); !s) {
            Error(ctx, s.message);
            status = kExitRefused;
        }
    }
    return status;
#endif
}

}  // namespace radio::cli
