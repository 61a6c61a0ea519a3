#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/codec/channel_codec.h"
#include "core/codec/channel_grid.h"

namespace radio::cli {

namespace {
// The grid pads labels to three places ("  1"); a TAB-separated listing wants them bare.
std::string BareLabel(int row) {
    std::string label = ChannelGrid::RowLabel(row);
    label.erase(0, label.find_first_not_of(' '));
    return label;
}
}  // namespace

int RunDump(Context& ctx) {
    if (ctx.args.size() != 1) return UsageError(ctx, "dump", "dump takes exactly one FILE");
    RadioImage image;
    if (!LoadImage(ctx, ctx.args[0], image)) return kExitUsage;

    ChannelGrid grid(ctx.lang);
    DecodeImageToGrid(image, grid, ctx.lang);

    ctx.out << "CH";
    for (int col = 1; col < ChannelGrid::kCols; ++col) {
        ctx.out << '\t' << ChannelGrid::Heading(col, ctx.lang);
    }
    ctx.out << '\n';
    for (int row = 1; row < ChannelGrid::kRows; ++row) {
        ctx.out << BareLabel(row);
        for (int col = 1; col < ChannelGrid::kCols; ++col) ctx.out << '\t' << grid.Text(row, col);
        ctx.out << '\n';
    }
    return FinishOutput(ctx);
}

}  // namespace radio::cli
