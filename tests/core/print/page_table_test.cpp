#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "core/print/page_table.h"

namespace radio {
namespace {

using Rows = std::vector<int>;

ChannelGrid GridWithChannels(const Rows& rows) {
    ChannelGrid grid;
    for (int row : rows) grid.SetText(row, kColRxFreq, "146.52500");
    return grid;
}

Rows Range(int first, int last) {
    Rows rows(last - first + 1);
    std::iota(rows.begin(), rows.end(), first);
    return rows;
}

// The channels in use each channel page lists, as the channel sheet walks them.
std::vector<Rows> ListedRows(const PageTable& table, const ChannelGrid& grid, int channelPages) {
    std::vector<Rows> pages;
    for (int page = 2; page <= channelPages + 1; ++page) {
        Rows rows;
        for (int r = table.FirstRow(page); r <= table.LastRow(page); ++r)
            if (grid.InUse(r)) rows.push_back(r);
        pages.push_back(rows);
    }
    return pages;
}

struct PaginationCase {
    const char* name;
    Rows inUse;
    int channelPages;
    std::vector<Rows> pages;  // rows listed on pages 2, 3, ...
};

class PaginationTest : public ::testing::TestWithParam<PaginationCase> {};

TEST_P(PaginationTest, CountsPagesAndListsEveryChannelOnce) {
    const PaginationCase& c = GetParam();
    const ChannelGrid grid = GridWithChannels(c.inUse);
    PageTable table;
    EXPECT_EQ(table.CountChannelPages(grid), c.channelPages);
    EXPECT_EQ(table.ChannelCount(), static_cast<int>(c.inUse.size()));
    EXPECT_EQ(table.PageEnd(0), 0);
    EXPECT_EQ(ListedRows(table, grid, c.channelPages), c.pages);
    // Entries past the last whole page stay at the end of the grid.
    for (int k = static_cast<int>(c.inUse.size()) / 7 + 1; k < PageTable::kEntries; ++k)
        EXPECT_EQ(table.PageEnd(k), 200) << "entry " << k;
}

std::vector<Rows> AllRowsInSevens() {
    std::vector<Rows> pages;
    for (int first = 1; first <= 200; first += 7)
        pages.push_back(Range(first, std::min(first + 6, 200)));
    return pages;
}

INSTANTIATE_TEST_SUITE_P(
    Grids, PaginationTest,
    ::testing::Values(
        PaginationCase{"none", {}, 0, {}}, PaginationCase{"seven", Range(1, 7), 1, {Range(1, 7)}},
        PaginationCase{"eight", Range(1, 8), 2, {Range(1, 7), {8}}},
        PaginationCase{"all", Range(1, 200), 29, AllRowsInSevens()},
        PaginationCase{"gaps",
                       {3, 10, 11, 50, 51, 52, 99, 120, 200},
                       2,
                       {{3, 10, 11, 50, 51, 52, 99}, {120, 200}}},
        PaginationCase{
            "fourteen at the end", Range(187, 200), 2, {Range(187, 193), Range(194, 200)}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == ' ') ch = '_';
        return name;
    });

TEST(PageTableTest, OnlyTheRxFrequencyMakesAChannelInUse) {
    ChannelGrid grid = GridWithChannels({1, 5});
    // Everything but the Rx Frequency: still not a channel to print.
    for (int col = kColTxFreq; col <= kColName; ++col) grid.SetText(3, col, "x");
    PageTable table;
    EXPECT_EQ(table.CountChannelPages(grid), 1);
    EXPECT_EQ(table.ChannelCount(), 2);
    EXPECT_EQ(ListedRows(table, grid, 1), std::vector<Rows>({{1, 5}}));
}

TEST(PageTableTest, RecountAfterEditsLeavesNoStaleRanges) {
    ChannelGrid grid = GridWithChannels(Range(1, 21));
    PageTable table;
    ASSERT_EQ(table.CountChannelPages(grid), 3);
    ASSERT_EQ(table.PageEnd(3), 21);

    for (int row = 1; row <= 10; ++row) grid.ClearRow(row);
    for (int row = 150; row <= 155; ++row) grid.SetText(row, kColRxFreq, "440.00000");

    EXPECT_EQ(table.CountChannelPages(grid), 3);
    EXPECT_EQ(table.ChannelCount(), 17);
    EXPECT_EQ(table.PageEnd(1), 17);
    EXPECT_EQ(table.PageEnd(2), 152);
    EXPECT_EQ(table.PageEnd(3), 200);  // was 21 after the first count
    EXPECT_EQ(ListedRows(table, grid, 3),
              std::vector<Rows>({Range(11, 17), {18, 19, 20, 21, 150, 151, 152}, {153, 154, 155}}));

    // Emptying the grid afterwards resets everything, too.
    EXPECT_EQ(table.CountChannelPages(ChannelGrid()), 0);
    EXPECT_EQ(table.ChannelCount(), 0);
    for (int k = 1; k < PageTable::kEntries; ++k) EXPECT_EQ(table.PageEnd(k), 200);
}

TEST(PageTableTest, PagesOutsideTheTableAreEmpty) {
    const ChannelGrid grid = GridWithChannels(Range(1, 200));
    PageTable table;
    table.CountChannelPages(grid);
    for (int page : {-1, 0, 1, 31, 1000}) {
        EXPECT_GT(table.FirstRow(page), table.LastRow(page)) << "page " << page;
    }
    EXPECT_EQ(table.FirstRow(30), 197);
    EXPECT_EQ(table.LastRow(30), 200);
}

}  // namespace
}  // namespace radio
