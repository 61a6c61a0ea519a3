// The check before a write: one problem per image, and the one finding it must give.
#include "core/formats/image_check.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/codec/channel_codec.h"

namespace radio {
namespace {

ChannelTexts Channel(const char* rx, const char* tx, const char* rxTone, const char* txTone,
                     const char* name) {
    return {rx, tx, rxTone, txTone, "High", "Lock", "Yes", "Wide", name};
}

// Two VHF channels inside the radio's 136-174 MHz band: nothing to say about it.
RadioImage Clean() {
    RadioImage image = RadioImage::Blank();
    image[offset::kPriScanTime] = 0x00;  // a blank image's 0xFF is in no list
    WriteBandLimits(image, 136, 174);
    EncodeChannelRow(Channel("146.52000", "146.52000", "None", "88.5", "CALL"), image, 1);
    EncodeChannelRow(Channel("145.65000", "145.05000", "D023N", "D023N", "RPT"), image, 2);
    return image;
}

struct CheckCase {
    const char* name;
    std::function<void(RadioImage&)> change;
    bool findsSomething;
    Severity severity;
    FindingKind kind;
    int record;
    int column;
    const char* textPart;  // the finding's text names the channel and the value
};

const CheckCase kCases[] = {
    {"Clean", [](RadioImage&) {}, false, {}, {}, 0, 0, ""},
    {"RxOutsideBothBands",
     [](RadioImage& i) {
         EncodeChannelRow(Channel("180.00000", "146.52000", "None", "None", "X"), i, 5);
     },
     true, Severity::Error, FindingKind::OutsideBands, 5, kColRxFreq,
     "channel 5, Rx Frequency 180.00000: outside both bands"},
    {"TxOutsideBothBands",
     [](RadioImage& i) {
         EncodeChannelRow(Channel("146.52000", "530.00000", "None", "None", "X"), i, 0);
     },
     true, Severity::Error, FindingKind::OutsideBands, 0, kColTxFreq,
     "channel Pr, Tx Frequency 530.00000"},
    {"OffStep",
     [](RadioImage& i) { EncodeChannelRow(Channel("146.52600", "", "None", "None", "X"), i, 7); },
     true, Severity::Error, FindingKind::OffStep, 7, kColRxFreq, "146.52600: not on a 2.5 kHz"},
    {"RxBytesNoFrequency", [](RadioImage& i) { i.Record(1)[0] = 0x7A; }, true, Severity::Error,
     FindingKind::Unrepresentable, 1, kColRxFreq, "bytes 7A 20 65 14"},
    {"PowerBitsNoLevel", [](RadioImage& i) { i.Record(2)[12] |= 0x30; }, true, Severity::Error,
     FindingKind::Unrepresentable, 2, kColPower, "no power level"},
    {"ToneBytesNoTone",
     [](RadioImage& i) {
         i.Record(1)[9] = 0x1A;
         i.Record(1)[8] = 0x00;
     },
     true, Severity::Error, FindingKind::Unrepresentable, 1, kColRxTone, "bytes 1A 00"},
    {"RxOutsideBandLimits",
     [](RadioImage& i) { EncodeChannelRow(Channel("440.00000", "", "None", "None", "U"), i, 9); },
     true, Severity::Warning, FindingKind::OutsideBandLimits, 9, kColRxFreq,
     "440.00000: outside the radio's band 136-174 MHz"},
    {"TxOutsideBandLimits",
     [](RadioImage& i) {
         EncodeChannelRow(Channel("146.52000", "440.00000", "None", "None", "X"), i, 9);
     },
     true, Severity::Warning, FindingKind::TxOutsideBandLimits, 9, kColTxFreq,
     "transmits outside the radio's band"},
    {"ToneNotInList",
     [](RadioImage& i) {
         i.Record(2)[11] = 0x12;
         i.Record(2)[10] = 0x34;
     },
     true, Severity::Warning, FindingKind::ToneNotInList, 2, kColTxTone, "Tx Tone 123.4"},
    {"NameOutsideNameCode", [](RadioImage& i) { i.NameBytes(1)[2] = 0x25; }, true,
     Severity::Warning, FindingKind::NameCharacters, 1, kColName, "(it shows \"CA\")"},
    {"SameNameTwice", [](RadioImage& i) { EncodeName("CALL", i.NameBytes(2)); }, true,
     Severity::Warning, FindingKind::DuplicateName, 2, kColName,
     "CALL: also the name of channel 1"},
    {"Blank",
     [](RadioImage& i) {
         EncodeChannelRow({}, i, 1);
         EncodeChannelRow({}, i, 2);
     },
     true, Severity::Warning, FindingKind::BlankImage, -1, 0, "holds no channels"},
    // What the radio treats as nothing to check must not be reported.
    {"NoToneWithAnyLowByte",
     [](RadioImage& i) {
         i.Record(1)[9] = 0x00;
         i.Record(1)[8] = 0x55;
     },
     false,
     {},
     {},
     0,
     0,
     ""},
    {"EmptyTxWithLeftoverBytes",
     [](RadioImage& i) {
         EncodeChannelRow(Channel("146.52000", "", "None", "None", "X"), i, 3);
         i.Record(3)[4] = 0x7A;
     },
     false,
     {},
     {},
     0,
     0,
     ""},
    {"UnreadableBandLimitsLimitNothing",
     [](RadioImage& i) {
         for (std::size_t k = 0; k < 3; ++k) i[offset::kBandLimits + k] = 0xFF;
         EncodeChannelRow(Channel("440.00000", "", "None", "None", "U"), i, 9);
     },
     false,
     {},
     {},
     0,
     0,
     ""},
    {"EmptyRecordIsNotChecked",
     [](RadioImage& i) {
         i.Record(40)[3] = 0x00;
         i.Record(40)[0] = 0xAB;
         EncodeName("CALL", i.NameBytes(40));
     },
     false,
     {},
     {},
     0,
     0,
     ""},
};

class ImageCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ImageCheck, FindsExactlyTheOneProblem) {
    const CheckCase& c = GetParam();
    RadioImage image = Clean();
    c.change(image);
    const std::vector<Finding> findings = CheckImage(image);
    if (!c.findsSomething) {
        for (const Finding& f : findings) ADD_FAILURE() << FormatFinding(f);
        EXPECT_FALSE(HasErrors(findings));
        return;
    }
    ASSERT_EQ(findings.size(), 1u);
    const Finding& f = findings[0];
    EXPECT_EQ(f.severity, c.severity);
    EXPECT_EQ(f.kind, c.kind);
    EXPECT_EQ(f.record, c.record);
    EXPECT_EQ(f.column, c.column);
    EXPECT_NE(f.text.find(c.textPart), std::string::npos) << f.text;
    EXPECT_EQ(HasErrors(findings), c.severity == Severity::Error);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImageCheck, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImageCheckSummary, CountsAndPrefixes) {
    RadioImage image = Clean();
    EncodeChannelRow(Channel("180.00000", "", "None", "None", "CALL"), image, 3);
    const std::vector<Finding> findings = CheckImage(image);
    ASSERT_EQ(findings.size(), 2u);  // outside both bands, and the name already used
    EXPECT_EQ(CountFindings(findings), "1 error and 1 warning");
    EXPECT_EQ(FormatFinding(findings[0]).rfind("error: channel 3, Rx Frequency", 0), 0u);
    EXPECT_EQ(FormatFinding(findings[1]).rfind("warning: channel 3, Cha Name CALL", 0), 0u);
    EXPECT_EQ(CountFindings({}), "no findings");
}

// Option bytes outside their lists: one warning each, saying what the dialog and the printed
// sheet make of the byte, and that they differ where they read it through different masks.
struct OptionCase {
    const char* name;
    std::size_t at;
    std::uint8_t stored;
    const char* text;  // the whole finding
};

const OptionCase kOptionCases[] = {
    {"Squelch12", offset::kSquelch, 12,
     "option Squelch Level: 0x1FC1 holds 12 (0x0C), a value the radio's list (0-9) does not "
     "hold; Option Features shows \"12 (not in the list)\", the printed option sheet \"12\""},
    {"SquelchHighNibble", offset::kSquelch, 0x13,
     "option Squelch Level: 0x1FC1 holds 19 (0x13), a value the radio's list (0-9) does not "
     "hold; Option Features and the printed option sheet show \"3\""},
    {"Step9", offset::kStep, 9,
     "option Step: 0x1FE0 holds 9 (0x09), a value the radio's list (5k, 10k, 6.25k, 12.5k, 25k) "
     "does not hold; Option Features shows \"10k\" but the printed option sheet \"25k\": the "
     "two read the byte differently"},
    {"PriScanFF", offset::kPriScanTime, 0xFF,
     "option Pri-Scanning Time: 0x1FE8 holds 255 (0xFF), a value the radio's list (3s, 5s, 8s, "
     "10s) does not hold; Option Features shows \"3s\" but the printed option sheet \"10s\": "
     "the two read the byte differently"},
    {"TimeOut7", offset::kTimeOutTimer, 7,
     "option Time-Out Timer: 0x1FC3 holds 7 (0x07), a value the radio's list (Off, 1, 3, 10) "
     "does not hold; Option Features shows \"7 (not in the list)\" but the printed option "
     "sheet \"10\": the two read the byte differently"},
    {"Voice17", offset::kVoiceSensitivity, 17,
     "option Voice Sensitivity: 0x1FE4 holds 17 (0x11), a value the radio's list (Off, 1-16) "
     "does not hold; Option Features shows \"17 (not in the list)\", the printed option sheet "
     "\"17\""},
    {"ScanMode11", offset::kDisplayFlags, 0xF4,
     "option Scan Mode: bits 5-4 of 0x1FE1 hold 11, a value the radio's list (SE, CO, TO) does "
     "not hold; Option Features and the printed option sheet show \"TO\""},
};

class OptionCheck : public ::testing::TestWithParam<OptionCase> {};

TEST_P(OptionCheck, WarnsOnceWithWhatEachReaderShows) {
    const OptionCase& c = GetParam();
    RadioImage image = Clean();
    image[c.at] = c.stored;
    const std::vector<Finding> findings = CheckImage(image);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].severity, Severity::Warning);
    EXPECT_EQ(findings[0].kind, FindingKind::OptionNotInList);
    EXPECT_EQ(findings[0].record, -1);
    EXPECT_EQ(findings[0].text, c.text);
}

INSTANTIATE_TEST_SUITE_P(Options, OptionCheck, ::testing::ValuesIn(kOptionCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace radio
