#include "core/codec/channel_codec.h"

#include <gtest/gtest.h>

namespace radio {
namespace {

using Bytes = std::vector<std::uint8_t>;

RadioImage WithRecord(int record, const Bytes& bytes, const Bytes& name = {}) {
    RadioImage image;
    std::copy(bytes.begin(), bytes.end(), image.Record(record).begin());
    std::copy(name.begin(), name.end(), image.NameBytes(record).begin());
    return image;
}

const Bytes kFull = {0x00, 0x25, 0x65, 0x14, 0x00, 0x00, 0x60, 0x14,
                     0x70, 0x06, 0x23, 0x80, 0xEF, 0xFF, 0xFF, 0xFF};
const Bytes kName = {0x0A, 0x0B, 0x24, 0x01, 0xFF, 0xFF, 0xFF, 0xFF};

struct DecodeCase {
    const char* what;
    Bytes record, name;
    ChannelTexts english, chinese;
};

class DecodeRow : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeRow, GivesTheTextsOfEachLanguage) {
    const DecodeCase& c = GetParam();
    const RadioImage image = WithRecord(57, c.record, c.name);
    EXPECT_EQ(DecodeChannelRow(image, 57, Language::English), c.english);
    EXPECT_EQ(DecodeChannelRow(image, 57, Language::Chinese), c.chinese);
}

Bytes With(Bytes bytes, std::initializer_list<std::pair<int, std::uint8_t>> changes) {
    for (auto [index, value] : changes) bytes[index] = value;
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Channel, DecodeRow,
    ::testing::Values(
        DecodeCase{
            "full",
            kFull,
            kName,
            {"146.52500", "146.00000", "67.0", "D023N", "High", "Lock", "Yes", "Wide", "AB-1"},
            {"146.52500", "146.00000", "67.0", "D023N", "高", "锁定", "有", "宽", "AB-1"}},
        DecodeCase{"byte 3 FF empties all", With(kFull, {{3, 0xFF}}), kName, {}, {}},
        DecodeCase{"byte 3 00 empties all", With(kFull, {{3, 0x00}}), kName, {}, {}},
        DecodeCase{"no tx, flags clear",
                   With(kFull, {{7, 0xFF}, {8, 0}, {9, 0}, {12, 0x00}}),
                   {},
                   {"146.52500", "", "None", "D023N", "Low", "Unlock", "No", "Narrow", ""},
                   {"146.52500", "", "无", "D023N", "低", "未锁定", "无", "窄", ""}},
        DecodeCase{"power 11 has no text",
                   With(kFull, {{7, 0x00}, {12, 0x30}}),
                   {},
                   {"146.52500", "", "67.0", "D023N", "", "Unlock", "No", "Narrow", ""},
                   {"146.52500", "", "67.0", "D023N", "", "未锁定", "无", "窄", ""}},
        DecodeCase{
            "middle, 400 MHz, 8-char name",
            With(kFull, {{0, 0},
                         {1, 0},
                         {2, 0},
                         {3, 0x40},
                         {4, 0x50},
                         {5, 0x62},
                         {6, 0x52},
                         {7, 0x14},
                         {12, 0x1A}}),
            {0x1C, 0x1D, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23},
            {"400.00000", "145.26250", "67.0", "D023N", "Middle", "Lock", "No", "Wide", "STUVWXYZ"},
            {"400.00000", "145.26250", "67.0", "D023N", "中", "锁定", "无", "宽", "STUVWXYZ"}}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

struct EncodeCase {
    const char* what;
    ChannelTexts texts;
    Bytes before, after, name;
};

TEST(EncodeRow, BuildsTheRecordFromEitherLanguage) {
    const Bytes ff(16, 0xFF), zero(16, 0x00);
    const std::vector<EncodeCase> cases = {
        {"defaults on FF",
         {"146.52500", "146.52500", "None", "None", "High", "Lock", "Yes", "Wide", ""},
         ff,
         {0x00, 0x25, 0x65, 0x14, 0x00, 0x25, 0x65, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0xFF, 0xFF,
          0xFF},
         Bytes(8, 0xFF)},
        {"Chinese on zero keeps bits 7,6,0",
         {"400.00000", "", "67.0", "D754I", "中", "未锁定", "无", "窄", "AB-1"},
         zero,
         {0x00, 0x00, 0x00, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x06, 0x54, 0xC7, 0x10, 0x00, 0x00,
          0x00},
         kName},
        {"unknown texts",
         {"145.26250", "abc", "x", "", "low", "unlock", "no", "narrow", "b"},
         zero,
         {0x50, 0x62, 0x52, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0E, 0x00, 0x00,
          0x00},
         Bytes(8, 0xFF)},
        {"Low keeps bits 7,6,0 set",
         {"146", "", "", "", "Low", "Lock", "Yes", "Wide", ""},
         ff,
         {0x00, 0x00, 0x60, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xCF, 0xFF, 0xFF,
          0xFF},
         Bytes(8, 0xFF)},
        {"empty rx empties the record, not the name",
         {"", "146", "67.0", "", "High", "", "", "", "AB"},
         zero,
         ff,
         Bytes(8, 0x00)},
    };
    for (const auto& c : cases) {
        RadioImage image = WithRecord(199, c.before, Bytes(8, 0x00));
        EncodeChannelRow(c.texts, image, 199);
        const auto r = image.Record(199);
        const auto n = image.NameBytes(199);
        EXPECT_EQ(Bytes(r.begin(), r.end()), c.after) << c.what;
        EXPECT_EQ(Bytes(n.begin(), n.end()), c.name) << c.what;
    }
}

TEST(ColumnItems, ListTheEditorEntries) {
    EXPECT_EQ(ColumnItems(kColPower, Language::English),
              (std::vector<std::string>{"High", "Middle", "Low"}));
    EXPECT_EQ(ColumnItems(kColLock, Language::Chinese),
              (std::vector<std::string>{"锁定", "未锁定"}));
    EXPECT_EQ(ColumnItems(kColScanAdd, Language::Chinese), (std::vector<std::string>{"有", "无"}));
    EXPECT_EQ(ColumnItems(kColBandwidth, Language::English),
              (std::vector<std::string>{"Wide", "Narrow"}));
    EXPECT_EQ(ColumnItems(kColTxTone, Language::Chinese).size(), 261u);
    for (int col : {0, 1, 2, 9, 10}) EXPECT_TRUE(ColumnItems(col, Language::English).empty());
}

}  // namespace
}  // namespace radio
