#include "core/image/radio_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace radio {
namespace {

TEST(RadioImage, BlankDiffersFromFillOnlyInItsTenBytes) {
    const std::vector<std::pair<std::size_t, std::uint8_t>> expected = {
        {0x1FC1, 0x01}, {0x1FC3, 0x01}, {0x1FD6, 0x00}, {0x1FD7, 0x00}, {0x1FE0, 0x04},
        {0x1FE1, 0xD4}, {0x1FE2, 0x21}, {0x1FE4, 0x00}, {0x1FE5, 0x01}, {0x1FE7, 0x00}};
    const RadioImage blank = RadioImage::Blank();
    RadioImage fill;
    for (const auto& [offset, value] : expected) fill[offset] = value;
    EXPECT_EQ(blank, fill);
    EXPECT_EQ(RadioImage()[0x1FE8], 0xFF);
}

TEST(RadioImage, RecordsAndNamesAddressTheirTables) {
    RadioImage image;
    for (int i = 0; i < kChannelCount; ++i) {
        image.Record(i)[0] = static_cast<std::uint8_t>(i);
        image.Record(i)[15] = static_cast<std::uint8_t>(i + 1);
        image.NameBytes(i)[7] = static_cast<std::uint8_t>(i);
    }
    for (int i = 0; i < kChannelCount; ++i) {
        EXPECT_EQ(image[16 * i], i);
        EXPECT_EQ(image[16 * i + 15], static_cast<std::uint8_t>(i + 1));
        EXPECT_EQ(image[0x0CA0 + 8 * i + 7], i);
    }
    // The tables end where the uninterpreted gap and the option filler begin.
    EXPECT_EQ(image[0x0C80], 0xFF);
    EXPECT_EQ(image[0x12E0], 0xFF);
}

TEST(NameCode, EveryCodeMapsBackToItself) {
    int valid = 0;
    for (int code = 0; code < 256; ++code) {
        const char c = NameCodeToChar(static_cast<std::uint8_t>(code));
        if (c == '\0') continue;
        ++valid;
        EXPECT_EQ(NameCharToCode(c), code);
    }
    EXPECT_EQ(valid, 38);  // 10 digits, 26 letters, '-' and '_'; 37 is no character
}

struct NameCase {
    std::vector<std::uint8_t> bytes;
    std::string text;
};

TEST(NameCode, DecodeStopsAtFillAndUnknownCodes) {
    const std::vector<NameCase> cases = {
        {{0x0B, 0x0A, 0x1C, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "BAS"},
        {{0x0A, 0x0B, 0x24, 0x26, 0x00, 0x09, 0x23, 0x0C}, "AB-_09ZC"},
        {{0xFF, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A}, ""},
        {{0x0A, 0x25, 0x0A, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "A"},  // 37 ends the text
        {{0x0A, 0x27, 0x0A, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "A"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeName(c.bytes), c.text);
}

TEST(NameCode, EncodeMapsEachByteAndFillsTheRest) {
    const std::vector<NameCase> cases = {
        {{0x0A, 0x0B, 0x24, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}, "AB-1"},
        {{0x0B, 0xFF, 0xFF, 0x24, 0x01, 0xFF, 0xFF, 0xFF}, "B a-1"},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, ""},
        {{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}, "123456789"},
        {{0xFF, 0xFF, 0xFF, 0x0A, 0xFF, 0xFF, 0xFF, 0xFF}, "中A"},
    };
    for (const auto& c : cases) {
        std::array<std::uint8_t, 8> out{};
        EncodeName(c.text, out);
        EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.end()), c.bytes) << c.text;
    }
}

TEST(BandLimits, TruncatingArithmeticModulo256) {
    struct Case {
        int lower, upper;
        std::array<std::uint8_t, 3> bytes;
    };
    const std::vector<Case> cases =
        {
            {136, 174, {0x13, 0x17, 0x63}}, {400, 470, {0x40, 0x46, 0x09}},
            {0, 0, {0x00, 0x00, 0xFF}},     {350, 390, {0x35, 0x38, 0x09}},
            {0, -25, {0x00, 0xFE, 0xFA}},  // H = -26: (-26/10)%10 = -2, -26%10 = -6
        };
    for (const auto& c : cases) {
        EXPECT_EQ(BandLimitBytes(c.lower, c.upper), c.bytes) << c.lower << "-" << c.upper;
        RadioImage image;
        WriteBandLimits(image, c.lower, c.upper);
        RadioImage expected;
        for (int k = 0; k < 3; ++k) expected[0x1FF0 + k] = c.bytes[k];
        EXPECT_EQ(image, expected);
    }
}

}  // namespace
}  // namespace radio
