#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/codec/channel_codec.h"
#include "core/codec/channel_grid.h"
#include "core/config/messages.h"

namespace radio::cli {

namespace {

struct Edit {
    int row;
    int col;
    std::string text;  // what the grid's editor would hold when the cell is left
};

// The tone lists are long; name their shape and values instead of 261 entries.
std::string ToneChoices(int col) {
    const std::vector<std::string> items = ColumnItems(col, Language::English);
    std::vector<std::string> ctcss, dcs;
    for (std::size_t i = 1; i < items.size(); ++i) {
        const std::string& t = items[i];
        if (t.starts_with('D')) {
            if (t.ends_with('N')) dcs.push_back(t.substr(1, t.size() - 2));
        } else {
            ctcss.push_back(t);
        }
    }
    return "None (" + ColumnItems(col, Language::Chinese)[0] +
           "), a CTCSS tone: " + Join(ctcss, " ") +
           "\n  or a DCS code DxxxN (normal) or DxxxI (inverted), xxx one of: " + Join(dcs, " ");
}

std::string ListChoices(int col) {
    const std::vector<std::string> en = ColumnItems(col, Language::English);
    const std::vector<std::string> zh = ColumnItems(col, Language::Chinese);
    return Join(en, ", ") + " (" + Join(zh, ", ") + ")";
}

}  // namespace

int RunSet(Context& ctx) {
    const bool truncate = TakeFlag(ctx, "--truncate");
    const auto& args = ctx.args;
    if (args.size() < 4 || (args.size() - 1) % 3 != 0) {
        return UsageError(ctx, "set", "set takes FILE and then ROW COL TEXT triples");
    }
    const std::string& path = args[0];

    // Check every edit before touching anything, so a typo in the last triple changes nothing.
    std::vector<Edit> edits;
    for (std::size_t i = 1; i < args.size(); i += 3) {
        const auto row = ParseIndex(args[i]);
        const auto col = ParseIndex(args[i + 1]);
        if (!row || *row < 1 || *row > kChannelCount) {
            return UsageError(ctx, "set",
                              "ROW must be 1-200 (1 is the channel Pr), not '" + args[i] + "'");
        }
        if (!col || *col < 1 || *col > kChannelColumns) {
            return UsageError(ctx, "set",
                              "COL must be 1-9 (1 Rx Frequency, 2 Tx Frequency, 3 Rx Tone, "
                              "4 Tx Tone, 5 Power, 6 Cha Lock, 7 Scan Add, 8 Bandwidth, "
                              "9 Cha Name), not '" +
                                  args[i + 1] + "'");
        }
        std::string text = args[i + 2];
        if (*col >= kColRxTone && *col <= kColBandwidth) {
            auto entry = ResolveListEntry(*col, text, ctx.lang);
            if (!entry) {
                const bool tone = *col == kColRxTone || *col == kColTxTone;
                return UsageError(
                    ctx, "set",
                    "'" + text + "' is not an entry of column " + std::to_string(*col) + " (" +
                        std::string(ChannelGrid::Heading(*col, Language::English)) +
                        "); valid: " + (tone ? ToneChoices(*col) : ListChoices(*col)));
            }
            text = *entry;
        } else if (*col == kColName) {
            if (auto problem = CheckRadioName(text, kChannelNameLength))
                return UsageError(ctx, "set", *problem);
        }
        edits.push_back({*row, *col, std::move(text)});
    }

    RadioImage image;
    OpenedFile file;
    if (const int status = OpenForChange(ctx, path, image, file); status != kExitOk) return status;
    ChannelGrid grid(ctx.lang);
    DecodeImageToGrid(image, grid, ctx.lang);

    for (const Edit& e : edits) {
        // An empty channel takes no settings: the grid drops them silently, we say so.
        const bool ignored = e.col != kColRxFreq && !grid.InUse(e.row);
        grid.SetCurrent(e.row, e.col);
        const CommitResult result = CommitCellEdit(grid, e.row, e.col, e.text, ctx.lang);
        if (result != CommitResult::Accepted) {
            ctx.err << MessageText(static_cast<int>(result)) << "\n";
            Error(ctx, path + ": row " + std::to_string(e.row) + " column " +
                           std::to_string(e.col) + " refused '" + e.text +
                           "'; the file is unchanged");
            return kExitRefused;
        }
        if (ignored) {
            // The grid would drop it without a word; a script must not take that for done.
            Error(ctx, path + ": row " + std::to_string(e.row) +
                           " has no Rx Frequency, so column " + std::to_string(e.col) +
                           " cannot be set; give the row an Rx Frequency first (column 1). "
                           "The file is unchanged");
            return kExitRefused;
        }
    }

    // Every edit went through CommitCellEdit, which keeps only what the record can hold.
    return SaveGrid(ctx, file, grid, image, truncate);
}

}  // namespace radio::cli
