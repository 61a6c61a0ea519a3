#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/codec/channel_codec.h"
#include "core/codec/channel_grid.h"
#include "core/formats/channel_list.h"

namespace radio::cli {

int RunDump(Context& ctx) {
    if (ctx.args.size() != 1) return UsageError(ctx, "dump", "dump takes exactly one FILE");
    RadioImage image;
    if (!LoadImage(ctx, ctx.args[0], image)) return kExitUsage;

    ChannelGrid grid(ctx.lang);
    DecodeImageToGrid(image, grid, ctx.lang);
    // The listing `import` reads back: one format, written in one place.
    ctx.out << WriteChannelTsv(grid);
    return FinishOutput(ctx);
}

}  // namespace radio::cli
