// A refused frequency changes nothing, whichever way it comes into the grid: typed into its
// cell, pasted, filled down or imported. The row's other cells still land (on a row with a
// channel), a refused Rx Frequency on an empty row makes no channel, and each refusal is
// reported once.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/codec/channel_codec.h"
#include "core/codec/grid_edits.h"
#include "core/formats/channel_import.h"
#include "core/formats/channel_list.h"

namespace radio {
namespace {

constexpr int kRow = 12;  // channel 11

const ChannelTexts kUsed = {"145.00000", "145.60000", "67.0",   "D023N", "Low",
                            "Unlock",    "No",        "Narrow", "RPT"};
const ChannelTexts kNone{};

enum class Way { Typed, Pasted, Filled, Imported };
const char* Name(Way way) {
    constexpr const char* kNames[] = {"typed", "pasted", "filled", "imported"};
    return kNames[static_cast<int>(way)];
}

// Puts `given` into row kRow the chosen way; returns the columns reported as refused.
std::vector<int> Enter(Way way, ChannelGrid& grid, const ChannelTexts& given) {
    std::vector<int> refused;
    const Language lang = Language::English;
    switch (way) {
        case Way::Typed:
            for (int col = 1; col <= kChannelColumns; ++col) {
                if (CommitCellEdit(grid, kRow, col, given[col - 1], lang) != CommitResult::Accepted)
                    refused.push_back(col);
            }
            break;
        case Way::Pasted:
        case Way::Filled: {
            CellsOutcome out;
            if (way == Way::Pasted) {
                std::vector<CellText> cells;
                for (int col = 1; col <= kChannelColumns; ++col)
                    cells.push_back({kRow, col, given[col - 1]});
                out = ApplyCellTexts(grid, cells, lang);
            } else {
                grid.SetRowTexts(kRow - 1, given);  // the row above, as decoded
                out = FillDown(grid, CellRange::Spanning(kRow - 1, 1, kRow, kChannelColumns), lang);
            }
            for (const CellRejection& r : out.rejected) refused.push_back(r.col);
            break;
        }
        case Way::Imported: {
            std::string listing = "CH";
            for (int col = 1; col <= kChannelColumns; ++col)
                listing += "\t" + std::string(ChannelGrid::Heading(col, lang));
            listing += "\n" + std::to_string(kRow - 1);
            for (const std::string& text : given) listing += "\t" + text;
            const ImportResult result = ApplyImport(grid, ReadChannelList(listing + "\n"), {true});
            grid = result.grid;
            for (const ImportFinding& f : result.findings) {
                for (int col = 1; col <= kChannelColumns; ++col)
                    if (f.column == ChannelGrid::Heading(col, lang)) refused.push_back(col);
            }
            break;
        }
    }
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
         kNone,
         {"146.521", "146.52500", "88.5", "None", "High", "Lock", "Yes", "Wide", "NEW"},
         kNone,
         {1}},
        {"an out-of-range Tx Frequency keeps the stored one",
         kUsed,
         {"146.52500", "600", "None", "D023N", "Low", "Unlock", "No", "Narrow", "RPT"},
         {"146.52500", "145.60000", "None", "D023N", "Low", "Unlock", "No", "Narrow", "RPT"},
         {2}},
        // Typed cell by cell, the channel starts on its Rx Frequency before the Tx is refused;
        // an import makes it receive only rather than send where the file did not say.
        {"a new channel with a refused Tx Frequency",
         kNone,
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
        for (Way way : {Way::Typed, Way::Pasted, Way::Filled, Way::Imported}) {
            SCOPED_TRACE(std::string(c.what) + ", " + Name(way));
            ChannelGrid grid;
            grid.SetRowTexts(kRow, c.start);
            grid.SetRowTexts(kRow + 1, kUsed);
            std::vector<int> refused = Enter(way, grid, c.given);
            std::ranges::sort(refused);
            EXPECT_EQ(grid.RowTexts(kRow),
                      way == Way::Imported && c.imported ? *c.imported : c.after);
            EXPECT_EQ(grid.RowTexts(kRow + 1), kUsed);
            EXPECT_EQ(refused, c.refused);
        }
    }
}

}  // namespace
}  // namespace radio
