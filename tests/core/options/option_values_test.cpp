#include "core/options/option_values.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace radio {
namespace {

std::vector<std::uint8_t> Bytes(const RadioImage& image, std::size_t at, std::size_t n) {
    return {image.data() + at, image.data() + at + n};
}

// What the dialog shows for an image, as label -> selected entry text ("" for none).
std::map<std::string, std::string> Shown(const RadioImage& image) {
    const OptionValues v = ReadOptions(image);
    std::map<std::string, std::string> shown;
    for (const OptionList& list : OptionLists()) {
        const int index = v.*list.field;
        shown[list.label] = index == kNoSelection ? "" : list.entries.at(index);
    }
    return shown;
}

TEST(ReadOptions, BlankImage) {
    const std::map<std::string, std::string> expected = {
        {"Squelch Level", "1"},
        {"Time-Out Timer", "1"},
        {"Step", "25k"},
        {"Channel Display", "Off"},
        {"Busy", "Off"},
        {"Scan Mode", "CO"},
        {"LED", "Auto"},
        {"Keypad Lock", "Manual"},
        {"Priority Scan", "Off"},
        {"Encoder", "On"},
        {"Mode", "Frequency"},
        {"Voice Sensitivity", "Off"},
        {"Call Tone", "1"},
        {"Battery Saver", "Off"},
        {"Pri-Scanning Time", "3s"},
    };
    EXPECT_EQ(Shown(RadioImage::Blank()), expected);
    const OptionValues v = ReadOptions(RadioImage::Blank());
    EXPECT_TRUE(v.beep);
    EXPECT_EQ(v.powerOnName, "");
}

TEST(ReadOptions, EveryListEndsWhereItsStoredRangeEnds) {
    RadioImage image = RadioImage::Blank();
    image[offset::kCallTone] = 9;
    image[offset::kVoiceSensitivity] = 16;
    image[offset::kSquelch] = 9;
    image[offset::kBatterySaver] = 5;
    image[offset::kPriScanTime] = 3;
    image[offset::kTimeOutTimer] = 3;
    const auto shown = Shown(image);
    EXPECT_EQ(shown.at("Call Tone"), "1750");
    EXPECT_EQ(shown.at("Voice Sensitivity"), "16");
    EXPECT_EQ(shown.at("Squelch Level"), "9");
    EXPECT_EQ(shown.at("Battery Saver"), "1.0");
    EXPECT_EQ(shown.at("Pri-Scanning Time"), "10s");
    EXPECT_EQ(shown.at("Time-Out Timer"), "10");
}

TEST(WriteOptions, OkWithoutChangeOnBlankImage) {
    const RadioImage blank = RadioImage::Blank();
    RadioImage image = blank;
    WriteOptions(image, ReadOptions(image));
    RadioImage expected = blank;
    expected[offset::kPriScanTime] = 0x00;
    EXPECT_EQ(image, expected);
}

struct StoredCase {
    const char* name;
    std::size_t at;
    std::uint8_t stored;
    int OptionValues::*field;
    int shown;
    std::uint8_t writtenBack;  // the byte after OK without change
};

class StoredValue : public testing::TestWithParam<StoredCase> {};

TEST_P(StoredValue, ShowsAndWritesBackAsTheDialogDoes) {
    const StoredCase& c = GetParam();
    RadioImage image = RadioImage::Blank();
    image[c.at] = c.stored;
    const OptionValues v = ReadOptions(image);
    EXPECT_EQ(v.*c.field, c.shown);
    WriteOptions(image, v);
    EXPECT_EQ(image[c.at], c.writtenBack);
}

const StoredCase kStored[] = {
    {"Step5", offset::kStep, 0x05, &OptionValues::step, kNoSelection, 0x00},
    {"StepFF", offset::kStep, 0xFF, &OptionValues::step, kNoSelection, 0x00},
    {"StepHighBitsMasked", offset::kStep, 0x0A, &OptionValues::step, 2, 0x02},
    {"Tot7", offset::kTimeOutTimer, 0x07, &OptionValues::timeOutTimer, kNoSelection, 0x0F},
    {"TotHighNibble", offset::kTimeOutTimer, 0x23, &OptionValues::timeOutTimer, 3, 0x03},
    {"Squelch9", offset::kSquelch, 0x09, &OptionValues::squelch, 9, 0x09},
    {"Squelch10", offset::kSquelch, 0x0A, &OptionValues::squelch, kNoSelection, 0x0F},
    {"CallTone1750", offset::kCallTone, 0x09, &OptionValues::callTone, 9, 0x09},
    {"CallToneF", offset::kCallTone, 0xFF, &OptionValues::callTone, kNoSelection, 0x0F},
    {"Voice16", offset::kVoiceSensitivity, 0x10, &OptionValues::voiceSensitivity, 16, 0x10},
    {"Voice17", offset::kVoiceSensitivity, 0x11, &OptionValues::voiceSensitivity, kNoSelection,
     0x1F},
    {"VoiceMasked", offset::kVoiceSensitivity, 0xE3, &OptionValues::voiceSensitivity, 3, 0x03},
    {"Saver5", offset::kBatterySaver, 0x05, &OptionValues::batterySaver, 5, 0x05},
    {"Saver6FirstEntry", offset::kBatterySaver, 0x06, &OptionValues::batterySaver, 0, 0x00},
    {"PriScan3", offset::kPriScanTime, 0x03, &OptionValues::priScanTime, 3, 0x03},
    {"PriScan4FirstEntry", offset::kPriScanTime, 0x04, &OptionValues::priScanTime, 0, 0x00},
    {"ScanMode11", offset::kDisplayFlags, 0xF4, &OptionValues::scanMode, 2, 0xE4},
    {"Led11", offset::kDisplayFlags, 0xDD, &OptionValues::led, 2, 0xD9},
    {"Mode11", offset::kScanFlags, 0x23, &OptionValues::mode, 2, 0x22},
    {"DisplayOn", offset::kDisplayFlags, 0x54, &OptionValues::channelDisplay, 1, 0x54},
    {"BusyOn", offset::kDisplayFlags, 0x94, &OptionValues::busy, 1, 0x94},
    {"KeypadAuto", offset::kDisplayFlags, 0xD6, &OptionValues::keypadLock, 1, 0xD6},
    {"PriorityOn", offset::kScanFlags, 0x61, &OptionValues::priorityScan, 1, 0x61},
    {"EncoderOff", offset::kScanFlags, 0x01, &OptionValues::encoder, 0, 0x01},
};

INSTANTIATE_TEST_SUITE_P(Cases, StoredValue, testing::ValuesIn(kStored),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WriteOptions, NoSelectionStoresMaskOrZero) {
    RadioImage image = RadioImage::Blank();
    OptionValues v = ReadOptions(image);
    v.timeOutTimer = v.squelch = v.callTone = v.voiceSensitivity = kNoSelection;
    v.step = v.batterySaver = v.priScanTime = kNoSelection;
    WriteOptions(image, v);
    EXPECT_EQ(image[offset::kTimeOutTimer], 0x0F);
    EXPECT_EQ(image[offset::kSquelch], 0x0F);
    EXPECT_EQ(image[offset::kCallTone], 0x0F);
    EXPECT_EQ(image[offset::kVoiceSensitivity], 0x1F);
    EXPECT_EQ(image[offset::kStep], 0x00);
    EXPECT_EQ(image[offset::kBatterySaver], 0x00);
    EXPECT_EQ(image[offset::kPriScanTime], 0x00);
}

TEST(WriteOptions, LedChangeKeepsTheOtherBits) {
    for (std::uint8_t flags : {std::uint8_t{0xD4}, std::uint8_t{0xD5}, std::uint8_t{0x01}}) {
        RadioImage image = RadioImage::Blank();
        image[offset::kDisplayFlags] = flags;
        OptionValues v = ReadOptions(image);
        v.led = 2;  // "On"
        WriteOptions(image, v);
        EXPECT_EQ(image[offset::kDisplayFlags], (flags & ~0x0C) | 0x08) << int(flags);
    }
}

TEST(WriteOptions, BeepTouchesOnlyBitZero) {
    RadioImage image = RadioImage::Blank();
    image[offset::kBeep] = 0xA5;
    OptionValues v = ReadOptions(image);
    EXPECT_TRUE(v.beep);
    v.beep = false;
    WriteOptions(image, v);
    EXPECT_EQ(image[offset::kBeep], 0xA4);
}

TEST(PowerOnName, EncodesAndReadsBack) {
    using B = std::vector<std::uint8_t>;
    const std::tuple<const char*, B, const char*> cases[] = {
        {"HELLO", {0x11, 0x0E, 0x15, 0x15, 0x18, 0xFF}, "HELLO"},
        {"hello", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, ""},
        {"A-_09Z", {0x0A, 0x24, 0x26, 0x00, 0x09, 0x23}, "A-_09Z"},
        {"A B", {0x0A, 0xFF, 0x0B, 0xFF, 0xFF, 0xFF}, "A"},
        {"", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, ""},
    };
    for (const auto& [typed, bytes, shownNext] : cases) {
        RadioImage image = RadioImage::Blank();
        image[offset::kOptionFiller + 2] = 0x00;
        OptionValues v = ReadOptions(image);
        v.powerOnName = typed;
        WriteOptions(image, v);
        EXPECT_EQ(Bytes(image, offset::kPowerOnName, 6), bytes) << typed;
        EXPECT_EQ(Bytes(image, offset::kOptionFiller, 6), B(6, 0xFF));
        EXPECT_EQ(ReadOptions(image).powerOnName, shownNext);
    }
}

TEST(PowerOnName, ReadStopsAtSixAndAtUnknownCodes) {
    RadioImage image = RadioImage::Blank();
    const std::uint8_t name[] = {0x0B, 0x0A, 0x1C, 0x25, 0x0A, 0x0A};
    std::copy(std::begin(name), std::end(name), image.data() + offset::kPowerOnName);
    EXPECT_EQ(ReadOptions(image).powerOnName, "BAS");  // code 37 ends the text
    image[offset::kPowerOnName + 3] = 0x01;
    image[offset::kPowerOnName + 6] = 0x02;  // beyond the field
    EXPECT_EQ(ReadOptions(image).powerOnName, "BAS1AA");
}

// The dialog owns these bits; OK must leave every other bit of the image alone.
RadioImage OwnedMask() {
    RadioImage mask;
    for (auto& b : mask.bytes()) b = 0;
    for (std::size_t k = 0; k < 6; ++k) {
        mask[offset::kOptionFiller + k] = 0xFF;
        mask[offset::kPowerOnName + k] = 0xFF;
    }
    for (std::size_t at :
         {offset::kSquelch, offset::kTimeOutTimer, offset::kStep, offset::kVoiceSensitivity,
          offset::kCallTone, offset::kBatterySaver, offset::kPriScanTime}) {
        mask[at] = 0xFF;
    }
    mask[offset::kBeep] = 0x01;
    mask[offset::kDisplayFlags] = 0xFE;
    mask[offset::kScanFlags] = 0x63;
    return mask;
}

TEST(OptionRoundTrip, RandomImagesChangeOnlyOwnedBitsAndSettle) {
    const RadioImage mask = OwnedMask();
    std::mt19937 rng(2024);
    for (int round = 0; round < 500; ++round) {
        RadioImage image;
        for (auto& b : image.bytes()) b = static_cast<std::uint8_t>(rng());
        const RadioImage before = image;
        const OptionValues shown = ReadOptions(image);
        WriteOptions(image, shown);
        for (std::size_t i = 0; i < kImageSize; ++i) {
            ASSERT_EQ(image[i] & ~mask[i], before[i] & ~mask[i])
                << "round " << round << " byte " << i;
        }
        // Once written, the dialog shows and writes the same thing again.
        RadioImage again = image;
        WriteOptions(again, ReadOptions(again));
        ASSERT_EQ(again, image) << "round " << round;
        EXPECT_EQ(ReadOptions(image).powerOnName, shown.powerOnName);
    }
}

// OK as the dialog now does it: only the controls changed (or chosen in) are written, and a
// value outside its list shows as such and stays until a real entry replaces it.
using Stored = std::vector<std::pair<std::size_t, std::uint8_t>>;
struct ControlCase {
    const char* name;
    Stored stored;  // over a blank image
    int shownId;    // a list, and what the dialog shows in it first
    const char* shown;
    int control;  // changed or chosen (0: OK without a change), and its entry
    int chosen;
    Stored after;  // what OK leaves; every other byte stays, 0x12E0-0x12E5 too unless written
};

const ControlCase kControls[] = {
    {"Squelch12Kept", {{offset::kSquelch, 12}}, 1116, "12 (not in the list)", 0, 0, {}},
    {"Squelch12Replaced",
     {{offset::kSquelch, 12}},
     1116,
     "12 (not in the list)",
     1116,
     5,
     {{offset::kSquelch, 5}}},
    {"ExtraEntryChosenAgain", {{offset::kSquelch, 12}}, 1116, "", 1116, kNoSelection, {}},
    {"Step9ShowsItsLowBits", {{offset::kStep, 9}}, 1117, "10k", 0, 0, {}},
    {"StepFFUnlisted", {{offset::kStep, 0xFF}}, 1117, "7 (not in the list)", 0, 0, {}},
    {"PriScanFFShowsFirstEntry", {}, 1125, "3s", 1125, 0, {{offset::kPriScanTime, 0}}},
    {"LedKeepsScanMode11AndBit0",
     {{offset::kDisplayFlags, 0xF5}},
     1126,
     "TO",
     1119,
     2,
     {{offset::kDisplayFlags, 0xF9}}},
    {"BeepKeepsMode11AndNameBytes",
     {{offset::kScanFlags, 0x23}, {offset::kPowerOnName + 1, 0x25}},
     1128,
     "Memory",
     kIdBeep,
     0,
     {{offset::kBeep, 0xFE}}},
};

class OptionControls : public testing::TestWithParam<ControlCase> {};

TEST_P(OptionControls, OkWritesOnlyWhatWasChanged) {
    const ControlCase& c = GetParam();
    RadioImage image = RadioImage::Blank();
    image[offset::kOptionFiller + 1] = 0x00;  // shows whether the filler was written
    for (const auto& [at, byte] : c.stored) image[at] = byte;
    RadioImage expected = image;
    OptionValues chosen = ReadOptions(image);
    for (const OptionList& list : OptionLists()) {
        if (list.id == c.shownId && *c.shown) {
            EXPECT_EQ(ShownOptionText(image, list), c.shown);
        }
        if (list.id == c.control) chosen.*list.field = c.chosen;
    }
    if (c.control == kIdBeep) chosen.beep = c.chosen != 0;
    std::vector<int> controls = ChangedControls(ReadOptions(image), chosen);
    if (c.control != 0 && controls.empty()) controls.push_back(c.control);  // chosen as shown

    const bool written = c.control != 0 && c.chosen != kNoSelection;
    EXPECT_EQ(WriteOptionControls(image, chosen, controls), written);
    for (const auto& [at, byte] : c.after) expected[at] = byte;
    if (written) expected[offset::kOptionFiller + 1] = 0xFF;
    EXPECT_EQ(image, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionControls, testing::ValuesIn(kControls),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace radio
