// Comparing two images: random images with known changes, every byte accounted for, and the
// texts users read.
#include "core/formats/image_diff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/codec/channel_codec.h"
#include "core/codec/decimal.h"
#include "core/options/option_values.h"

namespace radio {
namespace {

constexpr Language kEn = Language::English;

// A full radio: every channel in use with texts drawn from the lists, random options.
RadioImage RandomImage(std::mt19937& rng) {
    RadioImage image = RadioImage::Blank();
    WriteBandLimits(image, 136, 174);
    const auto pick = [&](const std::vector<std::string>& items) {
        return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(rng)];
    };
    std::uniform_int_distribution<int> khz(0, 1000);
    for (int record = 0; record < kChannelCount; ++record) {
        const std::string rx = FrequencyUnitsToText(14400000 + khz(rng) * 250);
        ChannelTexts texts = {rx, rx, "", "", "", "", "", "", "N" + std::to_string(record)};
        for (int col = kColRxTone; col <= kColBandwidth; ++col)
            texts[std::size_t(col - 1)] = pick(ColumnItems(col, kEn));
        EncodeChannelRow(texts, image, record);
    }
    OptionValues options = ReadOptions(image);
    options.squelch = std::uniform_int_distribution<int>(0, 9)(rng);
    options.led = std::uniform_int_distribution<int>(0, 2)(rng);
    WriteOptions(image, options);
    return image;
}

// A grid-cell edit of one channel to a value it does not hold yet.
struct CellEdit {
    int record;
    int col;
    std::string text;
};

std::string OtherText(const std::string& current, int col, std::mt19937& rng) {
    for (;;) {
        std::string text;
        if (col == kColRxFreq || col == kColTxFreq) {
            text = FrequencyUnitsToText(43000000 +
                                        std::uniform_int_distribution<int>(0, 999)(rng) * 625);
        } else if (col == kColName) {
            text = "E" + std::to_string(std::uniform_int_distribution<int>(0, 9999)(rng));
        } else {
            const auto items = ColumnItems(col, kEn);
            text = items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(rng)];
        }
        if (text != current) return text;
    }
}

TEST(ImageDiff, RandomImagesReportExactlyTheKnownCellEdits) {
    std::mt19937 rng(12);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const RadioImage before = RandomImage(rng);
        RadioImage after = before;
        // Up to six edits on distinct cells; the expected differences in address order.
        std::vector<CellEdit> edits;
        const int count = std::uniform_int_distribution<int>(1, 6)(rng);
        while (int(edits.size()) < count) {
            const CellEdit e{std::uniform_int_distribution<int>(0, kChannelCount - 1)(rng),
                             std::uniform_int_distribution<int>(kColRxFreq, kColName)(rng), ""};
            const bool taken = std::any_of(edits.begin(), edits.end(), [&](const CellEdit& o) {
                return o.record == e.record && o.col == e.col;
            });
            if (!taken) edits.push_back(e);
        }
        std::sort(edits.begin(), edits.end(), [](const CellEdit& a, const CellEdit& b) {
            return a.record != b.record ? a.record < b.record : a.col < b.col;
        });
        std::vector<ImageDifference> expected;
        for (CellEdit& e : edits) {
            ChannelTexts texts = DecodeChannelRow(after, e.record, kEn);
            const std::string old = texts[std::size_t(e.col - 1)];
            e.text = OtherText(old, e.col, rng);
            texts[std::size_t(e.col - 1)] = e.text;
            EncodeChannelRow(texts, after, e.record);
            expected.push_back({DiffArea::Channel, e.record, e.col,
                                std::string(ChannelGrid::Heading(e.col, kEn)), old, e.text});
        }
        EXPECT_EQ(DiffImages(before, after, kEn), expected);
        EXPECT_TRUE(DiffImages(after, after, kEn).empty());
    }
}

TEST(ImageDiff, EveryChangedByteIsReported) {
    // Whatever byte changes, in whatever way, the images never compare equal, and each change
    // is named where it lies.
    std::mt19937 rng(7);
    const RadioImage base = RandomImage(rng);
    for (int i = 0; i < 3000; ++i) {
        RadioImage changed = base;
        const auto at = std::uniform_int_distribution<std::size_t>(0, kImageSize - 1)(rng);
        changed[at] ^= std::uniform_int_distribution<int>(1, 255)(rng);
        const std::vector<ImageDifference> diffs = DiffImages(base, changed, kEn);
        ASSERT_FALSE(diffs.empty()) << "byte 0x" << std::hex << at;
        const bool inRecord = at < offset::kRecordSize * kChannelCount;
        if (inRecord) {
            for (const ImageDifference& d : diffs)
                EXPECT_EQ(d.record, int(at / offset::kRecordSize)) << FormatDifference(d);
        }
    }
}

TEST(ImageDiff, OptionsBandAndBytesAsUsersNameThem) {
    std::mt19937 rng(3);
    const RadioImage before = RandomImage(rng);
    RadioImage after = before;
    OptionValues options = ReadOptions(after);
    options.squelch = (options.squelch + 1) % 10;
    options.powerOnName = "HELLO";
    WriteOptions(after, options);
    WriteBandLimits(after, 400, 470);
    after[0x1500] = 0x00;         // nothing of the program's lies here
    after.Record(5)[12] ^= 0x80;  // a flag bit of channel 5 the grid does not show
    after.Record(7)[13] = 0x42;   // a record byte no column uses
    const auto squelch = [](const RadioImage& image) {
        return std::to_string(image[offset::kSquelch] & 0x0F);
    };

    const std::vector<ImageDifference> expected = {
        {DiffArea::Bytes, 5, 0, "bytes 0x005C", "", ""},
        {DiffArea::Bytes, 7, 0, "bytes 0x007D", "", ""},
        {DiffArea::Option, -1, 0, "Squelch Level", squelch(before), squelch(after)},
        {DiffArea::Option, -1, 0, "Power-on Name", "", "HELLO"},
        {DiffArea::Band, -1, 0, "Band Limits", "136-174 MHz", "400-470 MHz"},
        {DiffArea::Bytes, -1, 0, "bytes 0x1500", "FF", "00"},
    };
    const std::vector<ImageDifference> diffs = DiffImages(before, after, kEn);
    ASSERT_EQ(diffs.size(), expected.size());
    for (std::size_t i = 0; i < diffs.size(); ++i) {
        SCOPED_TRACE(FormatDifference(diffs[i]));
        EXPECT_EQ(diffs[i].area, expected[i].area);
        EXPECT_EQ(diffs[i].record, expected[i].record);
        EXPECT_EQ(diffs[i].field, expected[i].field);
        if (!expected[i].before.empty() || !expected[i].after.empty()) {
            EXPECT_EQ(diffs[i].before, expected[i].before);
            EXPECT_EQ(diffs[i].after, expected[i].after);
        }
    }
    // Swapped images give the same places with the texts swapped.
    const std::vector<ImageDifference> back = DiffImages(after, before, kEn);
    ASSERT_EQ(back.size(), diffs.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i].field, diffs[i].field);
        EXPECT_EQ(back[i].before, diffs[i].after);
    }
}

TEST(ImageDiff, RunsOfBytesStopAtBlocksAndChannels) {
    RadioImage a, b;
    for (std::size_t at = 0x1400; at < 0x1414; ++at) b[at] = 0x11;  // 20 bytes: 3 blocks
    // Record 0's last byte and record 1's first: one block, two channels.
    b[0x000F] = 0x01;
    b[0x0010] = 0x01;
    std::vector<std::string> fields;
    for (const ImageDifference& d : DiffImages(a, b, kEn)) {
        if (d.area == DiffArea::Bytes) fields.push_back(ChannelLabel(d.record) + "|" + d.field);
    }
    const std::vector<std::string> expected = {"Pr|bytes 0x000F", "1|bytes 0x0010",
                                               "|bytes 0x1400-0x1407", "|bytes 0x1408-0x140F",
                                               "|bytes 0x1410-0x1413"};
    EXPECT_EQ(fields, expected);
}

TEST(ImageDiff, VerifyComparesOnlyWhatAWriteSends) {
    RadioImage written = RadioImage::Blank();
    WriteBandLimits(written, 136, 174);
    RadioImage readBack = written;
    readBack[0x1FF5] = 0x12;  // never sent: not compared
    EXPECT_TRUE(VerifyWrittenImage(written, readBack, kEn).empty());
    readBack[0x1FF2] ^= 0x01;  // the band frame is
    const auto diffs = VerifyWrittenImage(written, readBack, kEn);
    ASSERT_EQ(diffs.size(), 1u);
    EXPECT_EQ(diffs[0].field, "Band Limits");
}

TEST(ImageDiff, LinesAndVerifyTexts) {
    const struct {
        ImageDifference d;
        const char* line;
        const char* verify;
    } cases[] = {
        {{DiffArea::Channel, 12, kColTxTone, "Tx Tone", "88.5", "None"},
         "12  Tx Tone  88.5 -> None",
         "channel 12, Tx Tone: wrote 88.5, the radio holds None"},
        {{DiffArea::Channel, 0, kColName, "Cha Name", "", "CALL"},
         "Pr  Cha Name  (empty) -> CALL",
         "channel Pr, Cha Name: wrote (empty), the radio holds CALL"},
        {{DiffArea::Option, -1, 0, "Squelch Level", "3", "5"},
         "option  Squelch Level  3 -> 5",
         "option Squelch Level: wrote 3, the radio holds 5"},
        {{DiffArea::Band, -1, 0, "Band Limits", "136-174 MHz", "400-470 MHz"},
         "band  Band Limits  136-174 MHz -> 400-470 MHz",
         "Band Limits: wrote 136-174 MHz, the radio holds 400-470 MHz"},
        {{DiffArea::Bytes, 20, 0, "bytes 0x0140", "00", "01"},
         "20  bytes 0x0140  00 -> 01",
         "channel 20, bytes 0x0140: wrote 00, the radio holds 01"},
        {{DiffArea::Bytes, -1, 0, "bytes 0x1500-0x1501", "FF FF", "00 FF"},
         "other  bytes 0x1500-0x1501  FF FF -> 00 FF",
         "bytes 0x1500-0x1501: wrote FF FF, the radio holds 00 FF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDifference(c.d), c.line);
        EXPECT_EQ(DescribeVerifyDifference(c.d), c.verify);
    }
}

TEST(ImageDiff, VerifyReportNamesTwentyThenCountsTheRest) {
    EXPECT_EQ(VerifyReport({}), "Verified: the radio holds what was written");
    std::vector<ImageDifference> many;
    for (int record = 1; record <= 25; ++record)
        many.push_back({DiffArea::Channel, record, kColRxFreq, "Rx Frequency", "146.52000", ""});
    const std::string report = VerifyReport(many);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 21);
    EXPECT_EQ(
        report.rfind("Verify failed: the radio does not hold what was written (25 differences)", 0),
        0u);
    EXPECT_NE(report.find("\nchannel 20, Rx Frequency: wrote 146.52000, the radio holds (empty)\n"),
              std::string::npos);
    EXPECT_EQ(report.find("channel 21,"), std::string::npos);
    EXPECT_TRUE(report.ends_with("\n... and 5 more"));
}

}  // namespace
}  // namespace radio
