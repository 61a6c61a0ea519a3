#include <gtest/gtest.h>

#include "core/options/option_values.h"

namespace radio {
namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

Lines Flatten(const std::vector<OptionSheetLine>& lines) {
    Lines out;
    for (const auto& l : lines) out.emplace_back(l.label, l.value);
    return out;
}

TEST(OptionSheet, BlankImageEnglish) {
    const Lines expected = {
        {"Time Out Timer:", "1"},
        {"Squelch Level:", "1"},
        {"Beep:", "On"},
        {"Call Tone:", "1"},
        {"Channel Display:", "Off"},
        {"Priority Scan:", "Off"},
        {"Busy", "Off"},
        {"Pri-Scanning Time:", "10s"},
        {"Scan Mode:", "CO"},
        {"Keypad Lock:", "Manual"},
        {"LED", "Auto"},
        {"Mode:", "Frequency"},
        {"Encoder", "On"},
        {"Voice Sensitivity:", "Off"},
        {"Step:", "25k"},
        {"Battery Saver:", "Off"},
    };
    EXPECT_EQ(Flatten(OptionSheetLines(RadioImage::Blank(), Language::English)), expected);
}

TEST(OptionSheet, BlankImageChinese) {
    const Lines expected = {
        {"超时定时器:", "1"}, {"静噪电平:", "1"},    {"提示音:", "开"}, {"呼叫铃音:", "1"},
        {"信道显示:", "关"},  {"优先扫描:", "关"},   {"繁忙:", "关"},   {"预扫描时间:", "10s"},
        {"扫描模式:", "CO"},  {"键盘锁定:", "手动"}, {"LED", "自动"},   {"模式:", "频率"},
        {"编码器", "开"},     {"声控灵敏度:", "关"}, {"步长:", "25k"},  {"电池省电:", "关"},
    };
    EXPECT_EQ(Flatten(OptionSheetLines(RadioImage::Blank(), Language::Chinese)), expected);
}

struct SheetCase {
    std::size_t at;
    std::uint8_t stored;
    int line;  // 1-based, as printed
    const char* english;
    const char* chinese;
};

TEST(OptionSheet, ValuesThroughTheSheetsOwnMasksAndCatchAlls) {
    const SheetCase cases[] = {
        {offset::kTimeOutTimer, 0x07, 1, "10", "10"},
        {offset::kTimeOutTimer, 0x04, 1, "Off", "关"},
        {offset::kSquelch, 0x1F, 2, "15", "15"},
        {offset::kBeep, 0xFE, 3, "Off", "关"},
        {offset::kCallTone, 0x09, 4, "1750", "1750"},
        {offset::kCallTone, 0xF5, 4, "5", "5"},
        {offset::kCallTone, 0x10, 4, "Off", "关"},
        {offset::kDisplayFlags, 0x00, 5, "On", "开"},
        {offset::kScanFlags, 0x40, 6, "On", "开"},
        {offset::kDisplayFlags, 0x80, 7, "On", "开"},
        {offset::kPriScanTime, 0xFE, 8, "8s", "8s"},
        {offset::kDisplayFlags, 0x00, 9, "SE", "SE"},
        {offset::kDisplayFlags, 0x30, 9, "TO", "TO"},
        {offset::kDisplayFlags, 0x02, 10, "Auto", "自动"},
        {offset::kDisplayFlags, 0x00, 11, "Off", "关"},
        {offset::kDisplayFlags, 0x0C, 11, "On", "开"},
        {offset::kScanFlags, 0x00, 12, "Channel", "信道"},
        {offset::kScanFlags, 0x03, 12, "Memory", "存储"},
        {offset::kScanFlags, 0x00, 13, "Off", "关"},
        {offset::kVoiceSensitivity, 0x1F, 14, "31", "31"},
        {offset::kVoiceSensitivity, 0xE0, 14, "Off", "关"},
        {offset::kStep, 0x02, 15, "6.25k", "6.25k"},
        {offset::kStep, 0x07, 15, "25k", "25k"},
        {offset::kStep, 0x08, 15, "25k", "25k"},  // whole byte: no mask to 0
        {offset::kBatterySaver, 0x01, 16, "0.2", "0.2"},
        {offset::kBatterySaver, 0x05, 16, "1.0", "1.0"},
        {offset::kBatterySaver, 0x06, 16, "1.2", "1.2"},
        {offset::kBatterySaver, 0x0F, 16, "1.4", "1.4"},
        {offset::kBatterySaver, 0x08, 16, "Off", "关"},
    };
    for (const SheetCase& c : cases) {
        RadioImage image = RadioImage::Blank();
        image[c.at] = c.stored;
        const auto en = OptionSheetLines(image, Language::English);
        const auto zh = OptionSheetLines(image, Language::Chinese);
        ASSERT_EQ(en.size(), 16u);
        EXPECT_EQ(en[c.line - 1].value, c.english)
            << "line " << c.line << " byte " << int(c.stored);
        EXPECT_EQ(zh[c.line - 1].value, c.chinese)
            << "line " << c.line << " byte " << int(c.stored);
    }
}

}  // namespace
}  // namespace radio
