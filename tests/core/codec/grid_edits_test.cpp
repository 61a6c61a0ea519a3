// Pasted and filled cells go through the typing rules; Clear leaves only what a row can hold.
#include "core/codec/grid_edits.h"

#include <gtest/gtest.h>

namespace radio {
namespace {

const ChannelTexts kUsed = {"145.00000", "145.60000", "67.0",   "D023N", "Low",
                            "Unlock",    "No",        "Narrow", "RPT"};
const ChannelTexts kNew146 = {"146.52500", "146.52500", "None", "None", "High",
                              "Lock",      "Yes",       "Wide", ""};

struct Expected {
    int col;
    CommitResult result;
    const char* reasonPart;
};

TEST(ApplyCellTexts, EachCellAsTypingWouldStoreIt) {
    const struct {
        const char* what;
        ChannelTexts start;  // row 5 before
        std::vector<CellText> cells;
        ChannelTexts after;  // row 5 after
        std::vector<Expected> rejected;
        Language lang = Language::English;
    } cases[] = {
        {"a new Rx Frequency fills the defaults", {}, {{5, 1, "146.525"}}, kNew146, {}},
        {"blanks around a text are dropped", {}, {{5, 1, " 146.525\t"}}, kNew146, {}},
        {"a whole row in order",
         {},
         {{5, 1, "146.525"}, {5, 2, "147.125"}, {5, 3, "67.0"}, {5, 5, "low"}, {5, 9, "rpt2"}},
         {"146.52500", "147.12500", "67.0", "None", "Low", "Lock", "Yes", "Wide", "RPT2"},
         {}},
        {"an off-step Rx keeps the channel, whose other cells still land",
         kUsed,
         {{5, 1, "146.5201"}, {5, 2, "146.5201"}, {5, 3, "88.5"}},
         {"145.00000", "145.60000", "88.5", "D023N", "Low", "Unlock", "No", "Narrow", "RPT"},
         {{1, CommitResult::StepError, "keeps its value"},
          {2, CommitResult::StepError, "keeps its value"}}},
        {"an out-of-range Rx of an empty row, reported once",
         {},
         {{5, 1, "600"}, {5, 3, "67.0"}},
         {},
         {{1, CommitResult::OutOfRange, "stays empty"}}},
        {"list entries of either language",
         kUsed,
         {{5, 5, "高"}, {5, 8, "WIDE"}, {5, 4, "none"}},
         {"145.00000", "145.60000", "67.0", "None", "High", "Unlock", "No", "Wide", "RPT"},
         {}},
        {"Chinese grid takes English entries",
         {},
         {{5, 1, "146.525"}, {5, 6, "unlock"}},
         {"146.52500", "146.52500", "无", "无", "高", "未锁定", "有", "宽", ""},
         {},
         Language::Chinese},
        {"not an entry keeps the cell",
         kUsed,
         {{5, 3, "67.1"}, {5, 7, "maybe"}},
         kUsed,
         {{3, CommitResult::NotAnEntry, "not an entry"},
          {7, CommitResult::NotAnEntry, "not an entry"}}},
        {"names upper-cased and cut to six",
         kUsed,
         {{5, 9, "repeater"}},
         {"145.00000", "145.60000", "67.0", "D023N", "Low", "Unlock", "No", "Narrow", "REPEAT"},
         {}},
        {"a name the radio cannot show",
         kUsed,
         {{5, 9, "A.B"}},
         kUsed,
         {{9, CommitResult::NameRefused, "radio name"}}},
        {"settings for a row without a channel are reported",
         {},
         {{5, 3, "67.0"}, {5, 9, ""}, {5, 2, "146.525"}},
         {},
         {{3, CommitResult::Accepted, "no Rx Frequency"},
          {2, CommitResult::Accepted, "no Rx Frequency"}}},
        {"the cell's own text stays, even one the rules refuse",
         {"145.00000", "145.60000", "69.4", "D023N", "Low", "Unlock", "No", "Narrow", "RPT"},
         {{5, 3, "69.4"}, {5, 1, "145.00000"}},
         {"145.00000", "145.60000", "69.4", "D023N", "Low", "Unlock", "No", "Narrow", "RPT"},
         {}},
        {"an empty Rx deletes the channel", kUsed, {{5, 1, ""}}, {}, {}},
        {"cells outside the channel table are skipped",
         kUsed,
         {{0, 1, "146.525"}, {5, 0, "x"}, {5, 10, "x"}, {201, 1, "146.525"}},
         kUsed,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ChannelGrid grid(c.lang);
        grid.SetRowTexts(5, c.start);
        grid.SetRowTexts(6, kUsed);
        const std::vector<CellRejection> rejected = ApplyCellTexts(grid, c.cells, c.lang).rejected;
        EXPECT_EQ(grid.RowTexts(5), c.after);
        EXPECT_EQ(grid.RowTexts(6), kUsed);  // only the named cells change
        ASSERT_EQ(rejected.size(), c.rejected.size());
        for (std::size_t i = 0; i < rejected.size(); ++i) {
            EXPECT_EQ(rejected[i].row, 5);
            EXPECT_EQ(rejected[i].col, c.rejected[i].col);
            EXPECT_EQ(rejected[i].result, c.rejected[i].result);
            EXPECT_NE(rejected[i].reason.find(c.rejected[i].reasonPart), std::string::npos)
                << rejected[i].reason;
        }
    }
}

TEST(ClearCells, LeavesWhatARowCanHold) {
    const struct {
        const char* what;
        CellRange range;
        ChannelTexts row5, row6;  // rows 5 and 6 start as kUsed and as empty
    } cases[] = {
        {"the Rx column deletes the channels", {5, 1, 6, 1}, {}, {}},
        {"a whole row", {5, 1, 5, 9}, {}, {}},
        {"Tx and name empty, lists to a new channel's values",
         {5, 2, 6, 9},
         {"145.00000", "", "None", "None", "High", "Lock", "Yes", "Wide", ""},
         {}},
        {"one list cell",
         {5, 4, 5, 4},
         {"145.00000", "145.60000", "67.0", "None", "Low", "Unlock", "No", "Narrow", "RPT"},
         {}},
        {"corners in any order, clamped",
         {6, 9, 5, 8},
         {"145.00000", "145.60000", "67.0", "D023N", "Low", "Unlock", "No", "Wide", ""},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ChannelGrid grid;
        grid.SetRowTexts(5, kUsed);
        grid.SetRowTexts(7, kUsed);
        ClearCells(grid, c.range, Language::English);
        EXPECT_EQ(grid.RowTexts(5), c.row5);
        EXPECT_EQ(grid.RowTexts(6), c.row6);
        EXPECT_EQ(grid.RowTexts(7), kUsed);
    }
}

TEST(FillDown, CopiesTheTopCellsThroughTheTypingRules) {
    ChannelGrid grid;
    grid.SetRowTexts(2, kUsed);
    grid.SetRowTexts(4, kUsed);
    grid.SetText(4, kColRxTone, "69.4");  // as decoded: not an entry of the list
    grid.SetRowTexts(5, kNew146);

    // Rx, Tx and Rx Tone of row 2 down to row 4: row 3 becomes a channel with row 2's values,
    // row 4 takes them too.
    CellsOutcome out = FillDown(grid, CellRange::Spanning(2, 1, 4, 3), Language::English);
    EXPECT_TRUE(out.rejected.empty());
    EXPECT_EQ(out.stored, 6);
    const ChannelTexts filled = {"145.00000", "145.60000", "67.0", "None", "High",
                                 "Lock",      "Yes",       "Wide", ""};
    EXPECT_EQ(grid.RowTexts(3), filled);
    EXPECT_EQ(grid.Text(4, kColRxTone), "67.0");
    EXPECT_EQ(grid.Text(4, kColPower), "Low");

    // One row takes the row above it; cells of empty channels are passed over quietly.
    EXPECT_TRUE(FillDown(grid, CellRange::Cell(5, kColName), Language::English).rejected.empty());
    EXPECT_EQ(grid.Text(5, kColName), "RPT");
    out = FillDown(grid, CellRange::Spanning(5, 5, 8, 5), Language::English);
    EXPECT_TRUE(out.rejected.empty());
    EXPECT_EQ(out.skipped, 3);
    EXPECT_FALSE(grid.InUse(7));

    // An off-step frequency at the top is refused in every row it would reach.
    grid.SetText(8, kColRxFreq, "146.52001");
    out = FillDown(grid, CellRange::Spanning(8, 1, 10, 1), Language::English);
    ASSERT_EQ(out.rejected.size(), 2u);
    EXPECT_EQ(out.rejected[0].row, 9);
    EXPECT_EQ(out.rejected[1].row, 10);
    EXPECT_EQ(out.rejected[1].result, CommitResult::StepError);
    // Pr has no row above it.
    EXPECT_TRUE(FillDown(grid, CellRange::Cell(1, 1), Language::English).rejected.empty());
}

// A paste or a fill that cuts a name to six characters lists it: "PASTE10" may end up as
// "PASTE1", the name of another channel. A refused name is a rejection, not a cut.
TEST(ApplyCellTexts, ListsEveryNameItCuts) {
    ChannelGrid grid;
    for (int row = 2; row <= 4; ++row) grid.SetRowTexts(row, kUsed);
    const CellsOutcome out = ApplyCellTexts(
        grid, {{2, kColName, "paste10"}, {3, kColName, "SIXSIX"}, {4, kColName, "A.BCDEFG"}},
        Language::English);
    EXPECT_EQ(out.cutNames, (std::vector<NameCut>{{2, "paste10", "PASTE1"}}));
    EXPECT_EQ(out.rejected.size(), 1u);
    grid.SetText(2, kColName, "ABCDEFGH");  // decoded: the record holds eight
    EXPECT_EQ(FillDown(grid, CellRange::Spanning(2, kColName, 3, kColName), {}).cutNames,
              (std::vector<NameCut>{{3, "ABCDEFGH", "ABCDEF"}}));
}

TEST(CellRange, SpanningNormalisesAndClamps) {
    EXPECT_EQ(CellRange::Spanning(9, 7, 3, 2), (CellRange{3, 2, 9, 7}));
    EXPECT_EQ(CellRange::Spanning(-4, 0, 400, 12), CellRange::All());
    EXPECT_EQ(CellRange::Spanning(5, 3, 5, 3).Rows(), 1);
    EXPECT_TRUE(CellRange::Cell(5, 3).IsCell());
    EXPECT_EQ(ChannelName(1), "channel Pr");
    EXPECT_EQ(ChannelName(13), "channel 12");
}

}  // namespace
}  // namespace radio
