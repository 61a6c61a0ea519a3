#include <limits>
#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/formats/image_diff.h"
#include "core/image/atomic_file.h"

namespace radio::cli {

namespace {

// What follows the image in a longer file; empty when there is nothing or it cannot be read.
std::string Tail(const std::string& path) {
    std::string bytes;
    std::uintmax_t size = 0;
    if (!ReadRegularFilePrefix(path, std::numeric_limits<std::size_t>::max(), bytes, size) ||
        bytes.size() <= kImageSize)
        return {};
    return bytes.substr(kImageSize);
}

}  // namespace

int RunDiff(Context& ctx) {
    if (ctx.args.size() != 2) return UsageError(ctx, "diff", "diff takes two files");
    RadioImage a, b;
    if (!LoadImage(ctx, ctx.args[0], a) || !LoadImage(ctx, ctx.args[1], b)) return kExitUsage;
    const std::vector<ImageDifference> diffs = DiffImages(a, b, ctx.lang);
    for (const ImageDifference& d : diffs) ctx.out << FormatDifference(d) << "\n";
    if (const int status = FinishOutput(ctx); status != kExitOk) return status;
    // The images are what diff compares; files that differ only past them must not pass for
    // the same without a word.
    if (diffs.empty() && Tail(ctx.args[0]) != Tail(ctx.args[1])) {
        Error(ctx, "note: the images are the same, but the files differ after byte " +
                       std::to_string(kImageSize) + ", outside the image");
    }
    return diffs.empty() ? kExitOk : kExitRefused;
}

}  // namespace radio::cli
