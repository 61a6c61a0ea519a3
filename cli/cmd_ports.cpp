#include "cli/cmd_ports.h"

#include <ostream>

#include "cli/cli_support.h"
#include "core/link/port_doctor.h"
#include "core/link/usb_chips.h"
#include "qt/port_system.h"

namespace radio::cli {

namespace {

std::string OrDash(const std::string& text) { return text.empty() ? "-" : text; }

}  // namespace

int RunPorts(Context& ctx) {
    if (!ctx.args.empty()) return UsageError(ctx, "ports", "ports takes no arguments");
    const std::vector<PortListing> ports = ListSerialPorts();
    if (ports.empty()) {
        Error(ctx, "no serial ports found (COMn still names /dev/ttyS(n-1); a pty path works too)");
        return kExitOk;
    }
    for (const PortListing& port : ports) {
        const CableChip* chip = port.usb ? FindCableChip(*port.usb) : nullptr;
        ctx.out << port.name << "\t" << OrDash(port.description) << "\t"
                << (port.usb ? FormatUsbId(*port.usb) : "-") << "\t"
                << (chip ? std::string(chip->name) : "-") << "\t" << OrDash(port.driver) << "\n";
    }
    return FinishOutput(ctx);
}

int RunDoctor(Context& ctx) {
    std::string port;
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& arg = ctx.args[i];
        if (arg == "--port") {
            if (i + 1 >= ctx.args.size() || ctx.args[i + 1].empty())
                return UsageError(ctx, "doctor", "--port needs a port name");
            port = ctx.args[++i];
        } else if (arg.rfind("--port=", 0) == 0 && arg.size() > 7) {
            port = arg.substr(7);
        } else {
            return UsageError(ctx, "doctor", "unknown argument '" + arg + "'");
        }
    }
    if (port.empty()) {
        // The cable the user just plugged in is the one meant, when there is exactly one.
        std::vector<PortListing> cables;
        for (PortListing& p : ListSerialPorts()) {
            if (p.usb) cables.push_back(std::move(p));
        }
        if (cables.empty()) {
            Error(ctx,
                  "no USB serial cable found: plug the cable in (if it is, its driver did not "
                  "start: see 'dmesg'), or name a port with --port PORT");
            return kExitRefused;
        }
        if (cables.size() > 1) {
            Error(ctx, "several USB serial cables are plugged in; choose one with --port PORT:");
            for (const PortListing& p : cables)
                ctx.err << "  " << p.name << "\t" << DescribePort(p) << "\n";
            return kExitUsage;
        }
        port = cables.front().name;
    }
    QtPortSystem system;
    const DoctorReport report = RunPortDoctor(port, system);
    ctx.out << FormatReport(report);
    const int written = FinishOutput(ctx);
    if (written != kExitOk) return written;
    return report.ok() ? kExitOk : kExitRefused;
}

}  // namespace radio::cli
