#include "cli/cli_support.h"
#include "cli/commands.h"

namespace radio::cli {

int RunNew(Context& ctx) {
    if (ctx.args.size() != 1) return UsageError(ctx, "new", "new takes exactly one FILE");
    return SaveImage(ctx, ctx.args[0], RadioImage::Blank()) ? kExitOk : kExitRefused;
}

}  // namespace radio::cli
