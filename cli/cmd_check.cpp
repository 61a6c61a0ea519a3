#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/formats/image_check.h"

namespace radio::cli {

int RunCheck(Context& ctx) {
    if (ctx.args.size() != 1) return UsageError(ctx, "check", "check takes one FILE");
    RadioImage image;
    if (!LoadImage(ctx, ctx.args[0], image)) return kExitUsage;
    const std::vector<Finding> findings = CheckImage(image);
    for (const Finding& f : findings) ctx.out << FormatFinding(f) << "\n";
    if (const int status = FinishOutput(ctx); status != kExitOk) return status;
    return findings.empty() ? kExitOk : kExitRefused;
}

}  // namespace radio::cli
