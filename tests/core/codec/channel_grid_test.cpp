#include "core/codec/channel_grid.h"

#include <gtest/gtest.h>

#include <climits>

namespace radio {
namespace {

TEST(ChannelGrid, HeadingsAndLabels) {
    const ChannelGrid en(Language::English), zh(Language::Chinese);
    const char* english[] = {"CH",    "Rx Frequency", "Tx Frequency", "Rx Tone",   "Tx Tone",
                             "Power", "Cha Lock",     "Scan Add",     "Bandwidth", "Cha Name"};
    const char* chinese[] = {"信道", "接收频率", "发射频率", "接收信令", "发射信令",
                             "功率", "信道锁定", "扫描添加", "带宽",     "信道名字"};
    for (int col = 0; col < ChannelGrid::kCols; ++col) {
        EXPECT_EQ(en.Text(0, col), english[col]);
        EXPECT_EQ(zh.Text(0, col), chinese[col]);
    }
    const std::vector<std::pair<int, std::string>> labels = {
        {1, "Pr"}, {2, "  1"}, {11, " 10"}, {101, "100"}, {200, "199"}};
    for (const auto& [row, label] : labels) {
        EXPECT_EQ(en.Text(row, 0), label);
        EXPECT_EQ(zh.Text(row, 0), label);
    }
    for (int row = 1; row < ChannelGrid::kRows; ++row) EXPECT_FALSE(en.InUse(row));
}

TEST(ChannelGrid, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
    ChannelGrid grid;
    const std::pair<int, int> outside[] = {{-1, 0}, {201, 1},           {0, 10},
                                           {5, -1}, {INT_MIN, INT_MIN}, {INT_MAX, 3}};
    for (auto [row, col] : outside) {
        grid.SetText(row, col, "x");
        EXPECT_EQ(grid.Text(row, col), "");
        grid.SetRowTexts(row, {"146.52500"});
        grid.ClearRow(row);
        EXPECT_EQ(grid.RowTexts(row), ChannelTexts{});
    }
    EXPECT_EQ(grid.Text(0, 0), "CH");
}

TEST(ChannelGrid, RowTextsAreColumnsOneToNine) {
    ChannelGrid grid;
    const ChannelTexts texts{"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    grid.SetRowTexts(200, texts);
    EXPECT_EQ(grid.RowTexts(200), texts);
    EXPECT_EQ(grid.Text(200, kColName), "9");
    EXPECT_TRUE(grid.InUse(200));
    grid.ClearRow(200);
    EXPECT_EQ(grid.RowTexts(200), ChannelTexts{});
    EXPECT_EQ(grid.Text(200, 0), "199");
}

TEST(ChannelGrid, CurrentCellStaysOnAChannelCell) {
    const std::vector<std::array<int, 4>> cases = {// requested row, col -> row, col
                                                   {5, 4, 5, 4},
                                                   {0, 0, 1, 1},
                                                   {201, 10, 200, 9},
                                                   {-7, INT_MAX, 1, 9},
                                                   {INT_MAX, INT_MIN, 200, 1}};
    for (const auto& c : cases) {
        ChannelGrid grid;
        grid.SetCurrent(c[0], c[1]);
        EXPECT_EQ(grid.Row(), c[2]);
        EXPECT_EQ(grid.Col(), c[3]);
    }
}

}  // namespace
}  // namespace radio
