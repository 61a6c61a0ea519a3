#include <filesystem>
#include <system_error>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace radio::cli {

int RunNew(Context& ctx) {
    const bool force = TakeFlag(ctx, "--force");
    if (ctx.args.size() != 1) return UsageError(ctx, "new", "new takes exactly one FILE");
    const std::string& path = ctx.args[0];
    OpenedFile file;
    if (LockForReplace(ctx, path, file) != kExitOk) return kExitRefused;
    // A blank image over a file of channels loses them all: only when the user says so. What
    // is no file (a FIFO, a folder) the save itself refuses by name.
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec) && !force) {
        Error(ctx, path +
                       " already exists; new would replace it with a blank image. Nothing "
                       "was written; add --force to replace it");
        return kExitRefused;
    }
    return SaveImage(ctx, path, RadioImage::Blank(), &file) ? kExitOk : kExitRefused;
}

}  // namespace radio::cli
