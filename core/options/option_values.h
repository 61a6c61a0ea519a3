#pragma once

#include <string>
#include <vector>

#include "core/config/language.h"
#include "core/image/radio_image.h"

namespace radio {

inline constexpr int kNoSelection = -1;

// What the Option Features dialog shows: the selected entry index of each drop-down list
// (kNoSelection when the stored value is none of its entries), the Beep box and the name.
struct OptionValues {
    int led = 0;
    int batterySaver = 0;
    int keypadLock = 0;
    int timeOutTimer = 0;
    int voiceSensitivity = 0;
    int priorityScan = 0;
    int channelDisplay = 0;
    int priScanTime = 0;
    int step = 0;
    int callTone = 0;
    int squelch = 0;
    int encoder = 0;
    int mode = 0;
    int busy = 0;
    int scanMode = 0;
    bool beep = false;
    std::string powerOnName;
    friend bool operator==(const OptionValues&, const OptionValues&) = default;
};

// One drop-down list of the dialog: control id, label, entries, and the field it shows.
struct OptionList {
    int id;
    const char* label;
    std::vector<std::string> entries;
    int OptionValues::*field;
};

inline constexpr int kIdPowerOnName = 1002;
inline constexpr int kIdBeep = 1016;

// The 15 lists in dialog order: left column (LED ... Pri-Scanning Time), then right column
// (Step ... Scan Mode). Step holds the five entries the image's step value indexes.
const std::vector<OptionList>& OptionLists();

// Dialog start: reads the option block through each field's mask.
OptionValues ReadOptions(const RadioImage& image);

// Dialog OK: writes the values back, changing only the bits of each field.
void WriteOptions(RadioImage& image, const OptionValues& values);

// The 16 lines of the printed option sheet, label exactly as printed and value text.
struct OptionSheetLine {
    std::string label;
    std::string value;
};
std::vector<OptionSheetLine> OptionSheetLines(const RadioImage& image, Language lang);

}  // namespace radio
