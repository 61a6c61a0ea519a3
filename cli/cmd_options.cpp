#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/options/option_names.h"

namespace radio::cli {

int RunOptions(Context& ctx) {
    if (ctx.args.size() != 1) return UsageError(ctx, "options", "options takes exactly one FILE");
    RadioImage image;
    if (!LoadImage(ctx, ctx.args[0], image)) return kExitUsage;

    // The dialog's view, under the names `option` takes: each line can be given back to it.
    for (const auto& [name, value] : ShownOptions(image, ctx.lang))
        ctx.out << name << '\t' << value << '\n';
    return FinishOutput(ctx);
}

}  // namespace radio::cli
