// Whole channels for scripts: copy, move, insert, delete and sort the rows of a channel file.
// Each command changes the grid as the desktop program's row operations do (a channel moves
// with its record and name bytes), and saves the file atomically only when it succeeded.

#include <functional>
#include <optional>
#include <string>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/codec/channel_codec.h"
#include "core/codec/row_operations.h"

namespace radio::cli {

namespace {

// ROW as `set` numbers them: 1 is Pr, 200 the channel 199.
std::optional<int> RowArgument(Context& ctx, const char* command, const std::string& text,
                               const char* what) {
    const auto row = ParseIndex(text);
    if (!row || *row < 1 || *row > kChannelCount) {
        (void)UsageError(
            ctx, command,
            std::string(what) + " must be a row 1-200 (1 is the channel Pr), not '" + text + "'");
        return std::nullopt;
    }
    return row;
}

// Loads FILE, lets `change` work on its grid, then saves. `change` returns an empty string
// when done, else why it refused (the file then stays as it was).
int ChangeRows(Context& ctx, const std::string& path, bool truncate,
               const std::function<std::string(ChannelGrid&)>& change) {
    RadioImage image;
    OpenedFile file;
    if (const int status = OpenForChange(ctx, path, image, file); status != kExitOk) return status;
    ChannelGrid grid(ctx.lang);
    DecodeImageToGrid(image, grid, ctx.lang);
    if (const std::string refused = change(grid); !refused.empty()) {
        Error(ctx, path + ": " + refused + "; the file is unchanged");
        return kExitRefused;
    }
    // Rows move whole, bytes and texts together: nothing can fail to be stored.
    return SaveGrid(ctx, file, grid, image, truncate);
}

}  // namespace

int RunCopy(Context& ctx) {
    const bool truncate = TakeFlag(ctx, "--truncate");
    const auto& args = ctx.args;
    if (args.size() != 3 && args.size() != 4)
        return UsageError(ctx, "copy", "copy takes FILE FROM TO and an optional COUNT");
    const auto from = RowArgument(ctx, "copy", args[1], "FROM");
    if (!from) return kExitUsage;
    const auto to = RowArgument(ctx, "copy", args[2], "TO");
    if (!to) return kExitUsage;
    const auto count = args.size() == 4 ? ParseIndex(args[3]) : std::optional<int>(1);
    if (!count || *count < 1 || *from + *count - 1 > kChannelCount ||
        *to + *count - 1 > kChannelCount) {
        return UsageError(ctx, "copy",
                          "COUNT must be at least 1 and both ranges must end by row 200, not '" +
                              (args.size() == 4 ? args[3] : std::string("1")) + "'");
    }
    return ChangeRows(ctx, args[0], truncate, [&](ChannelGrid& grid) {
        (void)CopyChannels(grid, *from, *to, *count);
        return std::string();
    });
}

int RunMove(Context& ctx) {
    const bool truncate = TakeFlag(ctx, "--truncate");
    const auto& args = ctx.args;
    if (args.size() != 3) return UsageError(ctx, "move", "move takes FILE FROM TO");
    const auto from = RowArgument(ctx, "move", args[1], "FROM");
    if (!from) return kExitUsage;
    const auto to = RowArgument(ctx, "move", args[2], "TO");
    if (!to) return kExitUsage;
    return ChangeRows(ctx, args[0], truncate, [&](ChannelGrid& grid) {
        (void)MoveChannel(grid, *from, *to);
        return std::string();
    });
}

int RunInsert(Context& ctx) {
    const bool truncate = TakeFlag(ctx, "--truncate");
    const bool force = TakeFlag(ctx, "--force");
    const auto& args = ctx.args;
    if (args.size() != 2) return UsageError(ctx, "insert", "insert takes FILE ROW");
    const auto row = RowArgument(ctx, "insert", args[1], "ROW");
    if (!row) return kExitUsage;
    return ChangeRows(ctx, args[0], truncate, [&](ChannelGrid& grid) {
        // The last channel falls off the end: only when the user said so.
        if (ChannelsPushedOff(grid, *row) > 0 && !force)
            return std::string(
                "channel 199 holds a channel that insert would push off the end; "
                "delete or move it first, or add --force");
        (void)InsertChannels(grid, *row);
        return std::string();
    });
}

int RunDelete(Context& ctx) {
    const bool truncate = TakeFlag(ctx, "--truncate");
    const auto& args = ctx.args;
    if (args.size() != 2) return UsageError(ctx, "delete", "delete takes FILE ROW");
    const auto row = RowArgument(ctx, "delete", args[1], "ROW");
    if (!row) return kExitUsage;
    return ChangeRows(ctx, args[0], truncate, [&](ChannelGrid& grid) {
        (void)DeleteChannels(grid, *row);
        return std::string();
    });
}

int RunSort(Context& ctx) {
    const bool truncate = TakeFlag(ctx, "--truncate");
    // The priority channel is the user's choice, not the lowest frequency: it stays unless
    // asked for.
    const bool withPr = TakeFlag(ctx, "--with-pr");
    if (ctx.args.size() != 1) return UsageError(ctx, "sort", "sort takes exactly one FILE");
    return ChangeRows(ctx, ctx.args[0], truncate, [withPr](ChannelGrid& grid) {
        (void)SortByRxFrequency(grid, withPr ? 1 : 2, kChannelCount);
        return std::string();
    });
}

}  // namespace radio::cli
