// Row operations and undo patches: whole rows move with their bytes, and a patch gives back
// exactly the rows it was taken from.
#include "core/codec/row_operations.h"

#include <gtest/gtest.h>

#include <string>

#include "core/codec/channel_codec.h"
#include "core/codec/decimal.h"
#include "core/codec/row_patch.h"

namespace radio {
namespace {

// Channels named by letters; each record's byte 13 (kept by no text) carries the letter, so a
// saved image shows whether a channel's own bytes went with it.
struct Rig {
    RadioImage image = RadioImage::Blank();
    ChannelGrid grid{Language::English};

    explicit Rig(const std::string& layout) {  // "AB-C": row 1 A, row 2 B, row 3 empty, ...
        PutAt(1, layout);
    }
    void PutAt(int first, const std::string& layout) {
        for (std::size_t i = 0; i < layout.size(); ++i) {
            if (layout[i] == '-') continue;
            const int record = first - 1 + static_cast<int>(i);
            // Frequencies rise with the record, so sorting keeps the letters' order.
            ChannelTexts texts =
                NewChannelTexts(FrequencyUnitsToText(14600000 + 2500 * record), {});
            texts[kColName - 1] = std::string(1, layout[i]);
            EXPECT_EQ(EncodeChannelRow(texts, image, record), 0);
            image.Record(record)[13] = static_cast<std::uint8_t>(layout[i]);
        }
        DecodeImageToGrid(image, grid, Language::English);
    }
    // Rows first..first+n-1 as letters ('-' empty, '?' a channel without a one-letter name).
    std::string Layout(int first, int n) const {
        std::string out;
        for (int row = first; row < first + n; ++row) {
            const std::string& name = grid.Text(row, kColName);
            out += !grid.InUse(row) ? '-' : name.size() == 1 ? name[0] : '?';
        }
        return out;
    }
};

TEST(RowOperations, MoveWholeRowsWithTheirBytes) {
    const struct {
        const char* what;
        const char* start;  // rows 1.., and "Y" "Z" at rows 199, 200
        std::function<bool(ChannelGrid&)> op;
        bool done;
        const char* rows;  // rows 1..6 afterwards
        const char* end;   // rows 199, 200 afterwards
    } cases[] = {
        {"insert at Pr", "ABCD", [](ChannelGrid& g) { return InsertChannels(g, 1); }, true,
         "-ABCD-", "-Y"},
        {"insert two at 2", "ABCD", [](ChannelGrid& g) { return InsertChannels(g, 2, 2); }, true,
         "A--BCD", "--"},
        {"insert at the last row", "AB", [](ChannelGrid& g) { return InsertChannels(g, 200); },
         true, "AB----", "Y-"},
        {"insert past the end", "AB", [](ChannelGrid& g) { return InsertChannels(g, 200, 2); },
         false, "AB----", "YZ"},
        {"delete 2", "ABCD", [](ChannelGrid& g) { return DeleteChannels(g, 2); }, true, "ACD---",
         "Z-"},
        {"delete Pr", "ABCD", [](ChannelGrid& g) { return DeleteChannels(g, 1); }, true, "BCD---",
         "Z-"},
        {"delete the last", "AB", [](ChannelGrid& g) { return DeleteChannels(g, 200); }, true,
         "AB----", "Y-"},
        {"delete three at 2", "ABCDE", [](ChannelGrid& g) { return DeleteChannels(g, 2, 3); }, true,
         "AE----", "--"},
        {"delete row 0", "AB", [](ChannelGrid& g) { return DeleteChannels(g, 0); }, false, "AB----",
         "YZ"},
        {"move 3 up", "ABCD", [](ChannelGrid& g) { return MoveChannels(g, 3, 3, true); }, true,
         "ACBD--", "YZ"},
        {"move 2-3 down", "ABCD", [](ChannelGrid& g) { return MoveChannels(g, 2, 3, false); }, true,
         "ADBC--", "YZ"},
        {"move Pr up", "ABCD", [](ChannelGrid& g) { return MoveChannels(g, 1, 1, true); }, false,
         "ABCD--", "YZ"},
        {"move the last down", "AB",
         [](ChannelGrid& g) { return MoveChannels(g, 200, 200, false); }, false, "AB----", "YZ"},
        {"move 1 to 4", "ABCD", [](ChannelGrid& g) { return MoveChannel(g, 1, 4); }, true, "BCDA--",
         "YZ"},
        {"move 4 to 2", "ABCD", [](ChannelGrid& g) { return MoveChannel(g, 4, 2); }, true, "ADBC--",
         "YZ"},
        {"copy 1-2 to 5", "ABCD", [](ChannelGrid& g) { return CopyChannels(g, 1, 5, 2); }, true,
         "ABCDAB", "YZ"},
        {"copy overlapping", "ABCD", [](ChannelGrid& g) { return CopyChannels(g, 1, 2, 3); }, true,
         "AABC--", "YZ"},
        {"copy past the end", "AB", [](ChannelGrid& g) { return CopyChannels(g, 1, 200, 2); },
         false, "AB----", "YZ"},
        {"sort channels 1-199", "DB-CA", [](ChannelGrid& g) { return SortByRxFrequency(g); }, true,
         "DBCAYZ", "--"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig(c.start);
        rig.PutAt(199, "YZ");
        const RadioImage before = rig.image;
        EXPECT_EQ(c.op(rig.grid), c.done);
        EXPECT_EQ(rig.Layout(1, 6), c.rows);
        EXPECT_EQ(rig.Layout(199, 2), c.end);
        // Every channel, wherever it went, is saved with its own bytes.
        RadioImage saved = before;
        EXPECT_EQ(EncodeGridToImage(rig.grid, saved), 0);
        for (int row = 1; row <= kChannelCount; ++row) {
            if (!rig.grid.InUse(row)) {
                EXPECT_EQ(saved.Record(row - 1)[3], 0xFF) << "row " << row;
                continue;
            }
            EXPECT_TRUE(rig.grid.Untouched(row)) << "row " << row;
            EXPECT_EQ(saved.Record(row - 1)[13], rig.grid.Text(row, kColName)[0]) << "row " << row;
        }
    }
}

TEST(RowOperations, SortOrdersByFrequencyStablyWithEmptyRowsLast) {
    Rig rig("");
    const char* rx[] = {"446.00625", "", "145.50000", "446.00625", "136.00000", "", "145.50000"};
    for (int i = 0; i < 7; ++i) {
        if (*rx[i]) {
            EXPECT_EQ(CommitCellEdit(rig.grid, i + 2, kColRxFreq, rx[i], {}), CommitResult{});
        }
        rig.grid.SetText(i + 2, kColName, std::string(1, char('a' + i)));
    }
    rig.grid.SetText(1, kColRxFreq, "520.00000");  // Pr outside the sorted rows stays
    EXPECT_TRUE(SortByRxFrequency(rig.grid, 2, 8));
    std::string order;
    for (int row = 2; row <= 8; ++row) order += rig.grid.Text(row, kColName);
    EXPECT_EQ(order, "ecgadbf");
    EXPECT_EQ(rig.grid.Text(1, kColRxFreq), "520.00000");
    EXPECT_FALSE(SortByRxFrequency(rig.grid, 9, 8));
}

// The priority channel is the user's choice: a sort without a selection leaves it in place,
// a selection sorts exactly its rows.
TEST(RowOperations, SortRangesLeavePrUnlessSelected) {
    const struct {
        const char* what;
        int selectedTop, selectedBottom;
        RowSpan span;
        const char* names;  // rows 1..7 afterwards
    } cases[] = {
        {"no selection: channels 1-199", 40, 40, {2, kChannelCount}, "Pabcde-"},
        {"selected rows only, corners in any order", 5, 3, {3, 5}, "Pebcda-"},
        {"Pr selected takes part", 1, 4, {1, 4}, "cdePba-"},
        {"every row", 1, kChannelCount, {1, kChannelCount}, "abcdeP-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RowSpan span = SortRows(c.selectedTop, c.selectedBottom);
        EXPECT_EQ(span, c.span);
        // Pr on the highest frequency, rows 2-6 falling: any sort that reaches Pr moves it.
        ChannelGrid grid;
        const char* rx[] = {"446.00000", "146.50000", "146.40000",
                            "146.30000", "146.20000", "146.10000"};
        for (int row = 1; row <= 6; ++row) {
            ASSERT_EQ(CommitCellEdit(grid, row, kColRxFreq, rx[row - 1], {}), CommitResult{});
            grid.SetText(row, kColName, row == 1 ? "P" : std::string(1, char('a' + 6 - row)));
        }
        const GridRow pr = grid.RowState(1);
        EXPECT_TRUE(SortByRxFrequency(grid, span.top, span.bottom));
        std::string names;
        for (int row = 1; row <= 7; ++row)
            names += grid.InUse(row) ? grid.Text(row, kColName) : std::string("-");
        EXPECT_EQ(names, c.names);
        if (span.top > 1) {
            EXPECT_EQ(grid.RowState(1), pr);
        }
    }
}

TEST(RowOperations, InsertCountsTheChannelsItWouldPushOff) {
    Rig rig("A");
    rig.PutAt(198, "X-Z");
    EXPECT_EQ(ChannelsPushedOff(rig.grid, 5), 1);       // Z
    EXPECT_EQ(ChannelsPushedOff(rig.grid, 5, 2), 1);    // -, Z
    EXPECT_EQ(ChannelsPushedOff(rig.grid, 5, 3), 2);    // X, -, Z
    EXPECT_EQ(ChannelsPushedOff(rig.grid, 199, 3), 0);  // not a valid insert
}

// Texts and origins of every row.
void ExpectSameRows(const ChannelGrid& a, const ChannelGrid& b) {
    for (int row = 1; row <= kChannelCount; ++row)
        ASSERT_EQ(a.RowState(row), b.RowState(row)) << "row " << row;
}

TEST(RowPatch, SwappingGivesBackEitherSideExactly) {
    const struct {
        const char* what;
        std::function<void(ChannelGrid&)> change;
        std::size_t rows;  // rows the patch keeps
    } cases[] = {
        {"nothing", [](ChannelGrid&) {}, 0},
        {"one cell", [](ChannelGrid& g) { g.SetText(3, kColName, "NEW"); }, 1},
        {"a long UTF-8 text",
         [](ChannelGrid& g) { g.SetText(200, kColName, std::string(300, 'x') + "名字"); }, 1},
        {"origin only",
         [](ChannelGrid& g) {
             g.SetRowState(2, {g.RowTexts(2), std::nullopt});
         },
         1},
        {"move Pr to 4", [](ChannelGrid& g) { (void)MoveChannel(g, 1, 4); }, 4},
        {"delete Pr", [](ChannelGrid& g) { (void)DeleteChannels(g, 1); }, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig("DCBA");
        rig.PutAt(200, "Z");
        const ChannelGrid before = rig.grid;
        c.change(rig.grid);
        const ChannelGrid after = rig.grid;
        RowPatch patch = RowPatch::Between(before, after);
        EXPECT_EQ(patch.Rows().size(), c.rows);
        EXPECT_EQ(patch.Empty(), c.rows == 0);
        patch.SwapWith(rig.grid);  // undo
        ExpectSameRows(rig.grid, before);
        patch.SwapWith(rig.grid);  // redo
        ExpectSameRows(rig.grid, after);
        patch.SwapWith(rig.grid);
        ExpectSameRows(rig.grid, before);
    }
}

TEST(RowPatch, AllRowsOfAFullGridFitInAFewDozenKilobytes) {
    RadioImage image;
    for (int record = 0; record < kChannelCount; ++record) {
        ChannelTexts texts = NewChannelTexts(FrequencyUnitsToText(40000000 + 625 * record), {});
        texts[kColName - 1] = "CH" + std::to_string(record);
        ASSERT_EQ(EncodeChannelRow(texts, image, record), 0);
    }
    ChannelGrid grid(Language::Chinese);
    DecodeImageToGrid(image, grid, Language::Chinese);
    const ChannelGrid before = grid;
    for (int row = 1; row <= kChannelCount; ++row) grid.SetText(row, kColName, "X");
    const RowPatch patch = RowPatch::Between(before, grid);
    EXPECT_EQ(patch.Rows().size(), 200u);
    EXPECT_LT(patch.MemoryBytes(), 40u * 1024);
    // Rows outside the grid and repeats are not kept.
    EXPECT_EQ(RowPatch::Capture(grid, {0, 5, 5, 201, -3}).Rows(), std::vector<int>{5});
}

}  // namespace
}  // namespace radio
