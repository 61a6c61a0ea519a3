#include "cli/cmd_ports.h"

#include <QSerialPortInfo>
#include <cstdio>

#include "cli/cli_support.h"

namespace radio::cli {

int RunPorts(Context& ctx) {
    if (!ctx.args.empty()) return UsageError(ctx, "ports", "ports takes no arguments");
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    if (ports.isEmpty()) {
        Error(ctx, "no serial ports found (COMn still names /dev/ttyS(n-1); a pty path works too)");
        return kExitOk;
    }
    for (const QSerialPortInfo& info : ports) {
#ifdef _WIN32
        const QString name = info.portName();
#else
        const QString name = info.systemLocation();  // what --port takes
#endif
        ctx.out << name.toStdString() << "\t" << info.description().toStdString();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            char id[16];
            std::snprintf(id, sizeof id, "%04x:%04x", info.vendorIdentifier(),
                          info.productIdentifier());
            ctx.out << "\t" << id;
        }
        ctx.out << "\n";
    }
    return kExitOk;
}

}  // namespace radio::cli
