#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/codec/channel_codec.h"
#include "core/formats/channel_list.h"
#include "core/image/atomic_file.h"

namespace radio::cli {

int RunExport(Context& ctx) {
    if (ctx.args.size() != 2)
        return UsageError(ctx, "export",
                          "export takes FILE.dat and OUT.csv (- for standard output)");
    RadioImage image;
    if (!LoadImage(ctx, ctx.args[0], image)) return kExitUsage;
    ChannelGrid grid(Language::English);  // the CSV layout is the same in every language
    DecodeImageToGrid(image, grid, Language::English);
    const std::string csv = WriteChannelCsv(grid);

    if (ctx.args[1] == "-") {
        ctx.out << csv;
        return FinishOutput(ctx);
    }
    if (const Status status = WriteFileAtomically(ctx.args[1], csv); !status) {
        Error(ctx, status.message);
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace radio::cli
