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
        {"an off-step Rx deletes a used channel, and is the only report",
         kUsed,
         {{5, 1, "146.5201"}, {5, 2, "146.5201"}, {5, 3, "67.0"}, {5, 9, "X"}},
         {},
         {{1, CommitResult::StepError, "was deleted"}}},
        {"an out-of-range Rx of an empty row",
         {},
         {{5, 1, "600"}},
         {},
         {{1, CommitResult::OutOfRange, "left empty"}}},
        {"an off-step Tx clears only the Tx",
         kUsed,
         {{5, 2, "145.6001"}},
         {"145.00000", "", "67.0", "D023N", "Low", "Unlock", "No", "Narrow", "RPT"},
         {{2, CommitResult::StepError, "no Tx Frequency"}}},
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
        const std::vector<CellRejection> rejected = ApplyCellTexts(grid, c.cells, c.lang);
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
    EXPECT_TRUE(FillDown(grid, CellRange::Spanning(2, 1, 4, 3), Language::English).empty());
    const ChannelTexts filled = {"145.00000", "145.60000", "67.0", "None", "High",
                                 "Lock",      "Yes",       "Wide", ""};
    EXPECT_EQ(grid.RowTexts(3), filled);
    EXPECT_EQ(grid.Text(4, kColRxTone), "67.0");
    EXPECT_EQ(grid.Text(4, kColPower), "Low");

    // One row takes the row above it; an empty top cell reaches an empty channel's settings.
    EXPECT_TRUE(FillDown(grid, CellRange::Cell(5, kColName), Language::English).empty());
    EXPECT_EQ(grid.Text(5, kColName), "RPT");
    const auto rejected = FillDown(grid, CellRange::Spanning(6, 5, 7, 5), Language::English);
    EXPECT_TRUE(rejected.empty());
    EXPECT_FALSE(grid.InUse(7));

    // An off-step frequency at the top is refused in every row it would reach.
    grid.SetText(8, kColRxFreq, "146.52001");
    const auto refused = FillDown(grid, CellRange::Spanning(8, 1, 10, 1), Language::English);
    ASSERT_EQ(refused.size(), 2u);
    EXPECT_EQ(refused[0].row, 9);
    EXPECT_EQ(refused[1].row, 10);
    EXPECT_EQ(refused[1].result, CommitResult::StepError);
    // Pr has no row above it.
    EXPECT_TRUE(FillDown(grid, CellRange::Cell(1, 1), Language::English).empty());
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
