#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/print/print_layout.h"
#include "core/print/sheet_layout.h"

namespace radio {
namespace {

// Round numbers keep expected positions readable: U = 100, V = 300, L_A = 345, L = 93.
PageMetrics Metrics() {
    PageMetrics m;
    m.geometry = {100, 300};
    m.largeLine = 345;
    m.smallLine = 93;
    return m;
}

const PrintItem* FindText(const std::vector<PrintItem>& items, const std::string& text) {
    auto it = std::find_if(items.begin(), items.end(), [&](const PrintItem& item) {
        return item.kind == PrintItem::Kind::Text && item.text == text;
    });
    return it == items.end() ? nullptr : &*it;
}

// The text printed at (x, y), or "" when there is none.
std::string TextAt(const std::vector<PrintItem>& items, int x, int y) {
    for (const PrintItem& item : items)
        if (item.kind == PrintItem::Kind::Text && item.x == x && item.y == y) return item.text;
    return {};
}

TEST(PageGeometryTest, UnitsComeFromThePrintableAreaWithIntegerDivision) {
    struct Case {
        int w, h, px, py;
        PageGeometry expected;
    };
    const Case cases[] = {
        {4800, 6600, 600, 600, {174, 352}},     // 11520 / 66 = 174.5, 15840 / 45 = 352
        {9638, 13606, 1200, 1200, {175, 362}},  // A4 less 10 mm margins at 1200 dpi
        {2400, 1650, 300, 150, {174, 352}},     // different resolutions across and down
        {65, 44, 1440, 1440, {0, 0}},           // less than one unit each way
        {4800, 6600, 0, 600, {0, 0}},           // a device without a resolution
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComputePageGeometry(c.w, c.h, c.px, c.py), c.expected)
            << c.w << "x" << c.h << " at " << c.px << "/" << c.py;
    }
}

TEST(PageGeometryTest, SmallFontIsEightTenthsTruncated) {
    const PageGeometry g{174, 352};
    EXPECT_EQ(FontSizeFor(FontRole::Large, g), (FontSize{352, 174}));
    EXPECT_EQ(FontSizeFor(FontRole::Small, g), (FontSize{281, 139}));  // 281.6, 139.2
}

TEST(PageFrameTest, RulesUseTheLargeLineHeight) {
    PageMetrics m = Metrics();
    m.largeLine = 401;  // odd, so the half line truncates
    const std::vector<PrintItem> expected = {
        PrintItem::Rule(500, 6000, -2 * 401 - 50),
        PrintItem::Rule(500, 6000, -2 * 401 - 120),
        PrintItem::Rule(500, 6000, -36 * 401 + 200),
    };
    EXPECT_EQ(FrameRules(m), expected);
}

TEST(PageFrameTest, FooterHoldsOwnerAndPageNumbers) {
    const PageMetrics m = Metrics();
    const int y = -36 * 345;
    EXPECT_EQ(FrameFooter(m, 2, 3, "www.example.org"),
              (std::vector<PrintItem>{
                  PrintItem::Text(FontRole::Small, 1000, y, "www.example.org"),
                  PrintItem::Text(FontRole::Small, 4500, y, "Page 2 of 3"),
              }));
    // A missing owner key prints nothing where the owner would be.
    EXPECT_EQ(FrameFooter(m, 1, 1, ""),
              (std::vector<PrintItem>{PrintItem::Text(FontRole::Small, 4500, y, "Page 1 of 1")}));
}

struct OptionCase {
    const char* name;
    Language lang;
    std::vector<std::pair<std::size_t, std::uint8_t>> bytes;  // changes to the blank image
    std::vector<std::string> values;                          // lines 1..16
};

class OptionSheetTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(OptionSheetTest, PrintsSixteenLabelledValuesInColumns) {
    const OptionCase& c = GetParam();
    RadioImage image = RadioImage::Blank();
    for (auto [at, value] : c.bytes) image[at] = value;
    const PageMetrics m = Metrics();
    const std::vector<PrintItem> items = OptionSheet(m, image, c.lang);

    const bool zh = c.lang == Language::Chinese;
    EXPECT_EQ(items[0], PrintItem::Text(FontRole::Large, 600, -345, zh ? "可选功能" : "Option"));
    EXPECT_EQ(items[1], PrintItem::Text(FontRole::Small, 600, -4 * 93, zh ? "功能" : "Function"));
    ASSERT_EQ(items.size(), 2u + 2 * 16);
    for (int i = 1; i <= 16; ++i) {
        const int y = -(4 + i) * 93;
        EXPECT_FALSE(TextAt(items, 900, y).empty()) << "label of line " << i;
        EXPECT_EQ(TextAt(items, 3500, y), c.values[i - 1]) << "value of line " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Images, OptionSheetTest,
    ::testing::Values(OptionCase{"BlankEnglish",
                                 Language::English,
                                 {},
                                 {"1", "1", "On", "1", "Off", "Off", "Off", "10s", "CO", "Manual",
                                  "Auto", "Frequency", "On", "Off", "25k", "Off"}},
                      OptionCase{"BlankChinese",
                                 Language::Chinese,
                                 {},
                                 {"1", "1", "开", "1", "关", "关", "关", "10s", "CO", "手动",
                                  "自动", "频率", "开", "关", "25k", "关"}},
                      // Values no list holds print by the catch-alls and masks.
                      OptionCase{"CatchAllsEnglish",
                                 Language::English,
                                 {{offset::kTimeOutTimer, 0xF3},
                                  {offset::kSquelch, 0x7C},
                                  {offset::kBeep, 0xFE},
                                  {offset::kCallTone, 0x19},
                                  {offset::kDisplayFlags, 0x3E},
                                  {offset::kScanFlags, 0x43},
                                  {offset::kPriScanTime, 0x00},
                                  {offset::kVoiceSensitivity, 0x1F},
                                  {offset::kStep, 0x07},
                                  {offset::kBatterySaver, 0x07}},
                                 {"10", "12", "Off", "1750", "On", "On", "On", "3s", "TO", "Auto",
                                  "On", "Memory", "Off", "31", "25k", "1.4"}},
                      OptionCase{"CatchAllsChinese",
                                 Language::Chinese,
                                 {{offset::kCallTone, 0x07},
                                  {offset::kDisplayFlags, 0x00},
                                  {offset::kScanFlags, 0x00},
                                  {offset::kStep, 0x02},
                                  {offset::kBatterySaver, 0x05},
                                  {offset::kPriScanTime, 0x01}},
                                 {"1", "1", "开", "7", "开", "关", "开", "5s", "SE", "手动", "关",
                                  "信道", "关", "关", "6.25k", "1.0"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChannelSheetTest, BlockOffsetsAreFiveSevenLinesTruncated) {
    // 5.7 x 93 = 530.1, then 1060.2, 1590.3, 2120.4, 2650.5, 3180.6: truncated, never rounded.
    const int expected[] = {0, 530, 1060, 1590, 2120, 2650, 3180, 0};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(ChannelBlockOffset(k, 93), expected[k]) << "k " << k;
}

ChannelGrid ThreeChannelGrid(Language lang) {
    ChannelGrid grid(lang);
    grid.SetRowTexts(
        2, {"146.52500", "146.52500", "67.0", "D023N", "High", "Lock", "Yes", "Wide", "REPEAT"});
    // Row 3 is skipped however full its other cells are; no gap is left for it.
    grid.SetRowTexts(3, {"", "150.00000", "None", "None", "Low", "Unlock", "No", "Narrow", "X"});
    grid.SetRowTexts(5, {"440.00000", "", "None", "None", "", "Unlock", "No", "Narrow", ""});
    grid.SetRowTexts(
        1, {"136.00000", "136.00000", "None", "None", "Low", "Unlock", "No", "Narrow", "PR"});
    return grid;
}

TEST(ChannelSheetTest, BlocksFollowEachOtherWithoutGaps) {
    const ChannelGrid grid = ThreeChannelGrid(Language::English);
    const PageMetrics m = Metrics();
    PageTable table;
    const std::vector<PrintItem> items = ChannelSheet(m, table, grid, 2, Language::English);

    EXPECT_EQ(items[0], PrintItem::Text(FontRole::Large, 600, -345, "Channel"));
    // Row 1 ("Pr") prints as channel 0, row r as channel r - 1.
    const struct {
        const char* heading;
        int offset;
    } blocks[] = {{"Channel 0:", 0}, {"Channel 1:", 530}, {"Channel 4:", 1060}};
    for (const auto& b : blocks) {
        const PrintItem* heading = FindText(items, b.heading);
        ASSERT_NE(heading, nullptr) << b.heading;
        EXPECT_EQ(heading->x, 400);
        EXPECT_EQ(heading->y, -4 * 93 - b.offset) << b.heading;
        EXPECT_EQ(TextAt(items, 500, -5 * 93 - b.offset), "Receive Frequency:");
        EXPECT_EQ(TextAt(items, 3600, -5 * 93 - b.offset), "Transceive Frequency:");
        EXPECT_EQ(TextAt(items, 500, -6 * 93 - b.offset), "QT/DQT Decode:");
        EXPECT_EQ(TextAt(items, 3600, -6 * 93 - b.offset), "QT/DQT Encode:");
        EXPECT_EQ(TextAt(items, 500, -7 * 93 - b.offset), "Power:");
        EXPECT_EQ(TextAt(items, 3600, -7 * 93 - b.offset), "Channel Lock:");
        EXPECT_EQ(TextAt(items, 500, -8 * 93 - b.offset), "Channel Name:");
    }
    EXPECT_EQ(FindText(items, "Channel 2:"), nullptr);
    // The second block's values, in their columns.
    EXPECT_EQ(TextAt(items, 2200, -5 * 93 - 530), "146.52500");
    EXPECT_EQ(TextAt(items, 5500, -5 * 93 - 530), "146.52500");
    EXPECT_EQ(TextAt(items, 2200, -6 * 93 - 530), "67.0");
    EXPECT_EQ(TextAt(items, 5500, -6 * 93 - 530), "D023N");
    EXPECT_EQ(TextAt(items, 2200, -7 * 93 - 530), "High");
    EXPECT_EQ(TextAt(items, 5500, -7 * 93 - 530), "Lock");
    EXPECT_EQ(TextAt(items, 2200, -8 * 93 - 530), "REPEAT");
    // Scan Add and Bandwidth are not printed; empty cells print nothing.
    EXPECT_EQ(FindText(items, "Yes"), nullptr);
    EXPECT_EQ(FindText(items, "Wide"), nullptr);
    EXPECT_EQ(TextAt(items, 5500, -5 * 93 - 1060), "");
    // Title, then 8 labels and 7 values a block; the third lacks Tx, power and name.
    EXPECT_EQ(items.size(), 1u + 3 * 15 - 3);
    // Nothing below the third block.
    for (const PrintItem& item : items) EXPECT_GE(item.y, -8 * 93 - 1060) << item.text;
}

TEST(ChannelSheetTest, RecountsBeforePrintingSoEditsShow) {
    ChannelGrid grid;
    for (int row = 1; row <= 8; ++row) grid.SetText(row, kColRxFreq, "146.00000");
    PageTable table;
    table.CountChannelPages(grid);
    // Edited after the count: row 3 emptied, row 20 added. Page 3 must show row 20 alone.
    grid.ClearRow(3);
    grid.SetText(20, kColRxFreq, "147.00000");
    const std::vector<PrintItem> page3 = ChannelSheet(Metrics(), table, grid, 3, Language::English);
    EXPECT_EQ(TextAt(page3, 400, -4 * 93), "Channel 19:");
    EXPECT_EQ(FindText(page3, "Channel 7:"), nullptr);
    EXPECT_EQ(FindText(page3, "Channel 8:"), nullptr);
}

TEST(PrintLayoutTest, PagesAreFramedAndNumberedOutOfTheJob) {
    ChannelGrid grid;
    for (int row = 1; row <= 8; ++row) grid.SetText(row, kColRxFreq, "146.00000");
    const RadioImage image = RadioImage::Blank();
    PrintLayout layout(image, grid, Language::English, "owner");
    EXPECT_EQ(layout.PreparePages(), 3);

    const PageMetrics m = Metrics();
    for (int page = 1; page <= 3; ++page) {
        const std::vector<PrintItem> items = layout.Page(page, m);
        ASSERT_GE(items.size(), 6u);
        // Rules first, footer last, the sheet body in between.
        EXPECT_EQ(std::vector<PrintItem>(items.begin(), items.begin() + 3), FrameRules(m));
        EXPECT_EQ(std::vector<PrintItem>(items.end() - 2, items.end()),
                  FrameFooter(m, page, 3, "owner"));
        EXPECT_EQ(items[3].text, page == 1 ? "Option" : "Channel");
    }
    EXPECT_NE(FindText(layout.Page(3, m), "Channel 7:"), nullptr);

    const ChannelGrid empty;
    PrintLayout none(image, empty, Language::English, "");
    EXPECT_EQ(none.PreparePages(), 1);
    EXPECT_NE(FindText(none.Page(1, m), "Page 1 of 1"), nullptr);
}

}  // namespace
}  // namespace radio
