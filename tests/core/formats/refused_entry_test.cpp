// A refused frequency changes nothing, whichever way it comes into the grid: typed, pasted,
// filled down or imported. The row's other cells still land on a channel, a refused Rx
// Frequency on an empty row makes none, and each refusal is reported once.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/codec/channel_codec.h"
#include "core/codec/grid_edits.h"
#include "core/formats/channel_import.h"

namespace radio {
namespace {

constexpr int kRow = 12;  // channel 11
const ChannelTexts kUsed = {"145.00000", "145.60000", "67.0",   "D023N", "Low",
                            "Unlock",    "No",        "Narrow", "RPT"};
enum Way { kTyped, kPasted, kFilled, kImported };

// Puts `given` into row kRow the chosen way; returns the columns reported as refused.
std::vector<int> Enter(Way way, ChannelGrid& grid, const ChannelTexts& given) {
    std::vector<int> refused;
    std::vector<CellText> cells;
    for (int col = 1; col <= kChannelColumns; ++col) cells.push_back({kRow, col, given[col - 1]});
    if (way == kTyped) {
        for (const CellText& c : cells)
            if (CommitCellEdit(grid, kRow, c.col, c.text, {}) != CommitResult::Accepted)
                refused.push_back(c.col);
    } else if (way == kImported) {
        std::string listing = "CH";  // the listing of radioprog dump
        for (int col = 1; col <= kChannelColumns; ++col)
            listing += "\t" + std::string(ChannelGrid::Heading(col, {}));
        // The next channel as it stands, so that the import takes something besides the
        // refused row (an import of nothing changes nothing).
        for (const auto& [row, texts] : {std::pair{kRow, given}, std::pair{kRow + 1, kUsed}}) {
            listing += "\n" + std::to_string(row - 1);
            for (const std::string& text : texts) listing += "\t" + text;
        }
        const ImportResult result = ApplyImport(grid, ReadChannelList(listing), {true});
        grid = result.grid;
        for (const ImportFinding& f : result.findings)
            for (int col = 1; col <= kChannelColumns; ++col)
                if (f.column == ChannelGrid::Heading(col, {})) refused.push_back(col);
    } else {
        if (way == kFilled) grid.SetRowTexts(kRow - 1, given);  // the row above, as decoded
        const CellsOutcome out =
            way == kPasted ? ApplyCellTexts(grid, cells, {})
                           : FillDown(grid, CellRange::Spanning(kRow - 1, 1, kRow, 9), {});
        for (const CellRejection& r : out.rejected) refused.push_back(r.col);
    }
    std::ranges::sort(refused);
    return refused;
}

TEST(RefusedEntry, ChangesNothingWhicheverWayItComes) {
    const struct {
        const char* what;
        ChannelTexts start, given, after;
        std::vector<int> refused;
        std::optional<ChannelTexts> imported = std::nullopt;  // when an import stores otherwise
    } cases[] = {
        {"a typo in the Rx Frequency keeps the whole channel",
         kUsed,
         {"999", "145.60000", "67.0", "D023N", "Low", "Unlock", "No", "Narrow", "RPT"},
         kUsed,
         {1}},
        {"an off-step Rx Frequency; the row's other cells land",
         kUsed,
         {"146.521", "146.52500", "88.5", "None", "High", "Lock", "Yes", "Wide", "NEW"},
         {"145.00000", "146.52500", "88.5", "None", "High", "Lock", "Yes", "Wide", "NEW"},
         {1}},
        {"a refused Rx Frequency on an empty row makes no channel",
         {},
         {"146.521", "146.52500", "88.5", "None", "High", "Lock", "Yes", "Wide", "NEW"},
         {},
         {1}},
        {"an out-of-range Tx Frequency keeps the stored one",
         kUsed,
         {"146.52500", "600", "None", "D023N", "Low", "Unlock", "No", "Narrow", "RPT"},
         {"146.52500", "145.60000", "None", "D023N", "Low", "Unlock", "No", "Narrow", "RPT"},
         {2}},
        // Typed cell by cell, a new channel starts on its Rx Frequency before the Tx is refused;
        // an import makes it receive only rather than send where the file did not say.
        {"a new channel with a refused Tx Frequency",
         {},
         {"146.52500", "146.5201", "67.0", "None", "High", "Lock", "Yes", "Wide", "NEW"},
         {"146.52500", "146.52500", "67.0", "None", "High", "Lock", "Yes", "Wide", "NEW"},
         {2},
         ChannelTexts{"146.52500", "", "67.0", "None", "High", "Lock", "Yes", "Wide", "NEW"}},
        {"both frequencies refused, each once",
         kUsed,
         {"abc", "9", "67.0", "D023N", "Low", "Unlock", "No", "Narrow", "RPT"},
         kUsed,
         {1, 2}},
    };
    for (const auto& c : cases) {
        for (Way way : {kTyped, kPasted, kFilled, kImported}) {
            SCOPED_TRACE(std::string(c.what) + ", way " + std::to_string(way));
            ChannelGrid grid;
            grid.SetRowTexts(kRow, c.start);
            grid.SetRowTexts(kRow + 1, kUsed);
            EXPECT_EQ(Enter(way, grid, c.given), c.refused);
            EXPECT_EQ(grid.RowTexts(kRow), way == kImported && c.imported ? *c.imported : c.after);
            EXPECT_EQ(grid.RowTexts(kRow + 1), kUsed);
        }
    }
}

}  // namespace
}  // namespace radio
