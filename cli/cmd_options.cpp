#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/options/option_values.h"

namespace radio::cli {

int RunOptions(Context& ctx) {
    if (ctx.args.size() != 1) return UsageError(ctx, "options", "options takes exactly one FILE");
    RadioImage image;
    if (!LoadImage(ctx, ctx.args[0], image)) return kExitUsage;

    for (const OptionSheetLine& line : OptionSheetLines(image, ctx.lang)) {
        ctx.out << line.label << '\t' << line.value << '\n';
    }
    // The printed sheet leaves the power-on name out; the dialog shows it under this label.
    ctx.out << "Power-on Name\t" << ReadOptions(image).powerOnName << '\n';
    return FinishOutput(ctx);
}

}  // namespace radio::cli
