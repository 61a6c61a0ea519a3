#include "cli/cmd_write.h"

#include "cli/cli_support.h"
#include "cli/cmd_read.h"

namespace radio::cli {

int RunWrite(Context& ctx) {
    std::string port, file;
    if (!ParseTransferArgs(ctx, "write", port, file)) return kExitUsage;
    RadioImage image;
    if (!LoadImage(ctx, file, image)) return kExitUsage;
    return TransferExitStatus(RunTerminalTransfer(ctx, port, true, image));
}

}  // namespace radio::cli
