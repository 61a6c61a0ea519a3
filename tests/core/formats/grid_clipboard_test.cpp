// Clipboard text: what spreadsheets, this grid and radioprog dump put there, read back as cells.
#include "core/formats/grid_clipboard.h"

#include <gtest/gtest.h>

#include "core/codec/channel_codec.h"
#include "core/formats/channel_list.h"

namespace radio {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(ParseClipboardText, SpreadsheetsThisGridAndDump) {
    const struct {
        const char* what;
        std::string text;
        Rows rows;
        bool heading = false;
        bool labels = false;
    } cases[] = {
        {"nothing", "", {}},
        {"one value without a line end", "146.525", {{"146.525"}}},
        {"one value with its line end", "146.525\n", {{"146.525"}}},
        {"an empty cell", "\r\n", {{""}}},
        {"CRLF and a trailing line end", "1\t2\r\n3\t4\r\n", {{"1", "2"}, {"3", "4"}}},
        {"LF, lone CR, no trailing line end",
         "1\t2\n3\t4\r5\t6",
         {{"1", "2"}, {"3", "4"}, {"5", "6"}}},
        {"empty lines inside a column are cells", "a\n\nb\n", {{"a"}, {""}, {"b"}}},
        {"empty cells between TABs", "\t\tx\t\n", {{"", "", "x", ""}}},
        {"a TAB at the very end", "a\t", {{"a", ""}}},
        {"a byte order mark",
         "\xEF\xBB\xBF"
         "a\tb\n",
         {{"a", "b"}}},
        {"quoted cells with TABs, line ends and quotes",
         "\"a\tb\"\t\"two\r\nlines\"\t\"say \"\"hi\"\"\"\n",
         {{"a\tb", "two\r\nlines", "say \"hi\""}}},
        {"an empty quoted cell", "\"\"\tx\n", {{"", "x"}}},
        {"a quote inside a cell is text", "ab\"c\t\"d\"e\n", {{"ab\"c", "\"d\"e"}}},
        {"an unclosed quote stays in its cell", "\"abc\tdef\n\"x\n", {{"\"abc", "def"}, {"\"x"}}},
        {"rows of different lengths", "a\tb\tc\nd\n", {{"a", "b", "c"}, {"d"}}},
        {"dump with its heading",
         "CH\tRx Frequency\tTx Frequency\tRx Tone\nPr\t146.52500\t146.52500\tNone\n  1\t\t\t\n",
         {{"146.52500", "146.52500", "None"}, {"", "", ""}},
         true,
         true},
        {"Chinese dump heading",
         "信道\t接收频率\t信道名字\n5\t146.52500\tAB\n",
         {{"146.52500", "AB"}},
         true,
         true},
        {"headings without CH keep the first column",
         "rx frequency\tTX FREQUENCY\n1\t2\n",
         {{"1", "2"}},
         true,
         false},
        {"dump lines without a heading: ten cells, labels first",
         "Pr\t146.52500\t146.52500\tNone\tNone\tHigh\tLock\tYes\tWide\t\n"
         "12\t\t\t\t\t\t\t\t\t\n",
         {{"146.52500", "146.52500", "None", "None", "High", "Lock", "Yes", "Wide", ""},
          {"", "", "", "", "", "", "", "", ""}},
         false,
         true},
        {"ten cells whose first is no label stay whole",
         "x\t1\t2\t3\t4\t5\t6\t7\t8\t9\n",
         {{"x", "1", "2", "3", "4", "5", "6", "7", "8", "9"}}},
        {"label 200 is no channel",
         "200\t1\t2\t3\t4\t5\t6\t7\t8\t9\n",
         {{"200", "1", "2", "3", "4", "5", "6", "7", "8", "9"}}},
        {"a single heading-like name is a cell", "CH\n", {{"CH"}}},
        {"quoted headings are cells", "\"Power\"\t\"CH\"\n", {{"Power", "CH"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ClipboardTable table = ParseClipboardText(c.text);
        EXPECT_EQ(table.rows, c.rows);
        EXPECT_EQ(table.headingSkipped, c.heading);
        EXPECT_EQ(table.labelsSkipped, c.labels);
    }
}

TEST(ParseClipboardText, ReadsTheWholeDumpListing) {
    ChannelGrid grid(Language::Chinese);
    ASSERT_EQ(CommitCellEdit(grid, 1, kColRxFreq, "146.525", Language::Chinese), CommitResult{});
    ASSERT_EQ(CommitCellEdit(grid, 200, kColRxFreq, "446.00625", Language::Chinese),
              CommitResult{});
    const ClipboardTable table = ParseClipboardText(WriteChannelTsv(grid));
    EXPECT_TRUE(table.headingSkipped);
    EXPECT_TRUE(table.labelsSkipped);
    ASSERT_EQ(table.rows.size(), 200u);
    for (int row = 1; row <= kChannelCount; ++row) {
        const ChannelTexts texts = grid.RowTexts(row);
        EXPECT_EQ(table.rows[static_cast<std::size_t>(row - 1)],
                  std::vector<std::string>(texts.begin(), texts.end()));
    }
}

TEST(CopyCellsText, ParsesBackToTheSameCells) {
    ChannelGrid grid;
    const ChannelTexts texts = {"146.52500", "",    "None", "D023N", "High",
                                "Lock",      "Yes", "Wide", "AB"};
    grid.SetRowTexts(3, texts);
    // Texts no typing gives, but which a copy must still carry exactly.
    grid.SetText(4, 1, "Power");
    grid.SetText(4, 2, "cha name");
    grid.SetText(4, 3, "a\tb");
    grid.SetText(4, 4, "\"quoted\"");
    grid.SetText(4, 5, "line\r\nend");
    grid.SetText(4, 6,
                 "\xEF\xBB\xBF"
                 "bom");
    grid.SetText(4, 7, " CH ");
    grid.SetText(4, 8, "名字");

    EXPECT_EQ(CopyCellsText(grid, CellRange::Spanning(3, 1, 3, 9)),
              "146.52500\t\tNone\tD023N\tHigh\tLock\tYes\tWide\tAB\n");
    for (const CellRange range : {CellRange::Spanning(3, 1, 5, 9), CellRange::Spanning(4, 3, 4, 8),
                                  CellRange::Spanning(4, 1, 4, 1), CellRange::Cell(10, 2)}) {
        SCOPED_TRACE(CopyCellsText(grid, range));
        const ClipboardTable table = ParseClipboardText(CopyCellsText(grid, range));
        EXPECT_FALSE(table.headingSkipped);
        EXPECT_FALSE(table.labelsSkipped);
        ASSERT_EQ(static_cast<int>(table.rows.size()), range.Rows());
        for (int r = 0; r < range.Rows(); ++r) {
            ASSERT_EQ(static_cast<int>(table.rows[r].size()), range.Cols());
            for (int c = 0; c < range.Cols(); ++c)
                EXPECT_EQ(table.rows[r][c], grid.Text(range.top + r, range.left + c));
        }
    }
}

TEST(PlacePaste, FromTheTopLeftCellOrIntoEverySelectedCell) {
    const ClipboardTable one{{{"x"}}};
    const ClipboardTable block{{{"a", "b", "c"}, {"d"}, {"e", "f"}}};
    const struct {
        const char* what;
        const ClipboardTable& table;
        CellRange selection;
        std::vector<CellText> cells;
        CellRange range;
        int rowsCut, colsCut;
    } cases[] = {
        {"one value, one cell",
         one,
         CellRange::Cell(4, 2),
         {{4, 2, "x"}},
         CellRange::Cell(4, 2),
         0,
         0},
        {"one value fills the selection",
         one,
         CellRange::Spanning(6, 3, 5, 2),
         {{5, 2, "x"}, {5, 3, "x"}, {6, 2, "x"}, {6, 3, "x"}},
         {5, 2, 6, 3},
         0,
         0},
        {"a block from the selection's top-left, short rows leave cells",
         block,
         CellRange::Spanning(10, 5, 20, 9),
         {{10, 5, "a"}, {10, 6, "b"}, {10, 7, "c"}, {11, 5, "d"}, {12, 5, "e"}, {12, 6, "f"}},
         {10, 5, 12, 7},
         0,
         0},
        {"cut at the last channel and at Cha Name",
         block,
         CellRange::Cell(199, 8),
         {{199, 8, "a"}, {199, 9, "b"}, {200, 8, "d"}},
         {199, 8, 200, 9},
         1,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PastePlacement placement = PlacePaste(c.table, c.selection);
        EXPECT_EQ(placement.cells, c.cells);
        EXPECT_EQ(placement.range, c.range);
        EXPECT_EQ(placement.rowsCut, c.rowsCut);
        EXPECT_EQ(placement.colsCut, c.colsCut);
    }
    EXPECT_TRUE(PlacePaste(ClipboardTable{}, CellRange::All()).cells.empty());
}

}  // namespace
}  // namespace radio
