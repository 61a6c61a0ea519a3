#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/formats/image_diff.h"

namespace radio::cli {

int RunDiff(Context& ctx) {
    if (ctx.args.size() != 2) return UsageError(ctx, "diff", "diff takes two files");
    RadioImage a, b;
    if (!LoadImage(ctx, ctx.args[0], a) || !LoadImage(ctx, ctx.args[1], b)) return kExitUsage;
    const std::vector<ImageDifference> diffs = DiffImages(a, b, ctx.lang);
    for (const ImageDifference& d : diffs) ctx.out << FormatDifference(d) << "\n";
    if (const int status = FinishOutput(ctx); status != kExitOk) return status;
    return diffs.empty() ? kExitOk : kExitRefused;
}

}  // namespace radio::cli
