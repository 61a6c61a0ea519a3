#include <algorithm>
#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/codec/channel_codec.h"
#include "core/formats/channel_list.h"
#include "core/image/atomic_file.h"

namespace radio::cli {

namespace {

// OUT.tsv and OUT.txt get dump's listing, as File > Export Channels writes them.
bool IsListingName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name.ends_with(".tsv") || name.ends_with(".txt");
}

}  // namespace

int RunExport(Context& ctx) {
    if (ctx.args.size() != 2)
        return UsageError(ctx, "export",
                          "export takes FILE.dat and OUT.csv (- for standard output)");
    const std::string& output = ctx.args[1];
    if (RefuseOutputOverInput(ctx, output, ctx.args[0])) return kExitRefused;
    RadioImage image;
    if (!LoadImage(ctx, ctx.args[0], image)) return kExitUsage;
    std::string text;
    if (IsListingName(output)) {
        ChannelGrid grid(ctx.lang);
        DecodeImageToGrid(image, grid, ctx.lang);
        text = WriteChannelTsv(grid);
    } else {
        ChannelGrid grid(Language::English);  // the CSV layout is the same in every language
        DecodeImageToGrid(image, grid, Language::English);
        text = WriteChannelCsv(grid);
    }

    if (output == "-") {
        ctx.out << text;
        return FinishOutput(ctx);
    }
    if (const Status status = WriteFileAtomically(output, text); !status) {
        Error(ctx, status.message);
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace radio::cli
