#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace radio::cli {

int RunConfig(Context& ctx) {
    if (ctx.args.size() != 3 || ctx.args[0] != "get") {
        return UsageError(ctx, "config", "config takes: get SECTION KEY");
    }
    CIniFile ini;
    if (!LoadConfig(ctx, ini)) return kExitUsage;
    ctx.out << ConfigUtf8(ini.GetValue(ctx.args[1], ctx.args[2])) << '\n';
    return FinishOutput(ctx);
}

}  // namespace radio::cli
