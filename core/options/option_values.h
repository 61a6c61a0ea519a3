#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/config/language.h"
#include "core/config/phrase.h"
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

// Every control written back as the dialog's OK always did: 0x12E0-0x12E5 filled, each field
// by its own rule (a list without a selection stores its mask, or 0), only the bits of each
// field changing.
void WriteOptions(RadioImage& image, const OptionValues& values);

// The controls (list ids, kIdBeep, kIdPowerOnName) whose values differ between two states of
// the dialog, in OptionLists' order, then Beep, then the name.
std::vector<int> ChangedControls(const OptionValues& before, const OptionValues& after);

// OK as it should be: writes only the fields of `controls`, each by its rule above, and fills
// 0x12E0-0x12E5 when one was written; every other byte stays. A list without a selection (a
// value outside its list, still shown as such) keeps what is stored. Returns whether any
// control was written.
bool WriteOptionControls(RadioImage& image, const OptionValues& values,
                         const std::vector<int>& controls);

// The value a list's field holds as the dialog reads it (through its mask) when that is none
// of its entries: Squelch Level 12. Nullopt when an entry shows, also where the dialog falls
// back to its first entry (Battery Saver, Pri-Scanning Time).
std::optional<int> UnlistedValue(const RadioImage& image, const OptionList& list);
// How the dialog offers such a value, as an extra last entry: "12 (not in the list)".
std::string UnlistedText(int value, Language lang = Language::English);
Phrase UnlistedPhrase(int value);
// The text a list shows for `image`: its selected entry, or the unlisted value's text.
std::string ShownOptionText(const RadioImage& image, const OptionList& list);
// The same as a phrase, so that its words can be translated.
Phrase ShownOptionPhrase(const RadioImage& image, const OptionList& list);

// The 16 lines of the printed option sheet, label exactly as printed and value text.
struct OptionSheetLine {
    std::string label;
    std::string value;
};
std::vector<OptionSheetLine> OptionSheetLines(const RadioImage& image, Language lang);

}  // namespace radio
