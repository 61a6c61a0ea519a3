#include "core/options/option_values.h"

#include <cstdint>
#include <span>

#include "core/config/phrase.h"

namespace radio {
namespace {

std::vector<std::string> Numbered(const char* first, int from, int to, const char* last = nullptr) {
    std::vector<std::string> entries{first};
    for (int n = from; n <= to; ++n) entries.push_back(std::to_string(n));
    if (last != nullptr) entries.emplace_back(last);
    return entries;
}

// Two-bit list fields: 00 and 01 select their entry, anything else the third one.
int TwoBitIndex(std::uint8_t bits) { return bits == 0 ? 0 : bits == 1 ? 1 : 2; }
std::uint8_t TwoBitValue(int index) { return index == 0 ? 0 : index == 1 ? 1 : 2; }

// A value outside the list shows no selection, or `fallback` where the dialog forces one.
int ListIndex(int value, std::size_t entries, int fallback = kNoSelection) {
    return value >= 0 && static_cast<std::size_t>(value) < entries ? value : fallback;
}

std::size_t EntryCount(int OptionValues::*field) {
    for (const OptionList& list : OptionLists()) {
        if (list.field == field) return list.entries.size();
    }
    return 0;
}

// Read, mask, set, store: only the bits of `mask` change.
void SetBits(RadioImage& image, std::size_t at, std::uint8_t mask, std::uint8_t bits) {
    image[at] = static_cast<std::uint8_t>((image[at] & ~mask) | (bits & mask));
}

// Whole-byte lists with a forced selection store 0 when nothing is selected.
std::uint8_t IndexOrZero(int index) { return static_cast<std::uint8_t>(index < 0 ? 0 : index); }

// The lists that own a whole byte. The dialog reads it through `readMask`; a list whose value
// is none of its entries shows no selection, or its first entry where `firstWhenUnlisted`.
// OK stores the index through `writeMask`, or the index itself (0 without a selection).
struct ByteField {
    int OptionValues::*field;
    std::size_t at;
    std::uint8_t readMask;
    std::uint8_t writeMask;  // 0: the index, or 0 without a selection
    bool firstWhenUnlisted;
};
constexpr ByteField kByteFields[] = {
    {&OptionValues::timeOutTimer, offset::kTimeOutTimer, 0x0F, 0x0F, false},
    {&OptionValues::squelch, offset::kSquelch, 0x0F, 0x0F, false},
    {&OptionValues::callTone, offset::kCallTone, 0x0F, 0x0F, false},
    {&OptionValues::voiceSensitivity, offset::kVoiceSensitivity, 0x1F, 0x1F, false},
    {&OptionValues::step, offset::kStep, 0x07, 0, false},
    {&OptionValues::batterySaver, offset::kBatterySaver, 0xFF, 0, true},
    {&OptionValues::priScanTime, offset::kPriScanTime, 0xFF, 0, true},
};

const OptionList* ListOf(int id) {
    for (const OptionList& list : OptionLists()) {
        if (list.id == id) return &list;
    }
    return nullptr;
}

void FillOptionFiller(RadioImage& image) {
    for (std::size_t k = 0; k < offset::kOptionFillerSize; ++k)
        image[offset::kOptionFiller + k] = 0xFF;
}

// One control's field, by the rule of the dialog's OK; every other bit of the image stays.
void WriteControl(RadioImage& image, const OptionValues& v, int id) {
    if (id == kIdPowerOnName) {
        EncodeName(v.powerOnName, std::span<std::uint8_t>(image.data() + offset::kPowerOnName,
                                                          offset::kPowerOnNameSize));
        return;
    }
    if (id == kIdBeep) {
        SetBits(image, offset::kBeep, 0x01, v.beep ? 0x01 : 0x00);
        return;
    }
    const OptionList* list = ListOf(id);
    if (!list) return;
    for (const ByteField& f : kByteFields) {
        if (f.field != list->field) continue;
        const int index = v.*f.field;
        // No selection is index -1, which the masks turn into 0x0F / 0x1F.
        image[f.at] =
            f.writeMask != 0 ? static_cast<std::uint8_t>(index & f.writeMask) : IndexOrZero(index);
        return;
    }
    const std::size_t display = offset::kDisplayFlags;
    const std::size_t scan = offset::kScanFlags;
    const int OptionValues::*field = list->field;
    if (field == &OptionValues::channelDisplay)
        SetBits(image, display, 0x80, v.channelDisplay == 1 ? 0x00 : 0x80);
    else if (field == &OptionValues::busy)
        SetBits(image, display, 0x40, v.busy == 0 ? 0x40 : 0x00);
    else if (field == &OptionValues::scanMode)
        SetBits(image, display, 0x30, static_cast<std::uint8_t>(TwoBitValue(v.scanMode) << 4));
    else if (field == &OptionValues::led)
        SetBits(image, display, 0x0C, static_cast<std::uint8_t>(TwoBitValue(v.led) << 2));
    else if (field == &OptionValues::keypadLock)
        SetBits(image, display, 0x02, v.keypadLock != 0 ? 0x02 : 0x00);
    else if (field == &OptionValues::priorityScan)
        SetBits(image, scan, 0x40, v.priorityScan != 0 ? 0x40 : 0x00);
    else if (field == &OptionValues::encoder)
        SetBits(image, scan, 0x20, v.encoder != 0 ? 0x20 : 0x00);
    else if (field == &OptionValues::mode)
        SetBits(image, scan, 0x03, TwoBitValue(v.mode));
}

}  // namespace

const std::vector<OptionList>& OptionLists() {
    static const std::vector<OptionList> lists = {
        {1119, QT_TRANSLATE_NOOP("radio", "LED"), {"Off", "Auto", "On"}, &OptionValues::led},
        {1120,
         QT_TRANSLATE_NOOP("radio", "Battery Saver"),
         {"Off", "0.2", "0.4", "0.6", "0.8", "1.0"},
         &OptionValues::batterySaver},
        {1121,
         QT_TRANSLATE_NOOP("radio", "Keypad Lock"),
         {"Manual", "Auto"},
         &OptionValues::keypadLock},
        {1118,
         QT_TRANSLATE_NOOP("radio", "Time-Out Timer"),
         {"Off", "1", "3", "10"},
         &OptionValues::timeOutTimer},
        {1122, QT_TRANSLATE_NOOP("radio", "Voice Sensitivity"), Numbered("Off", 1, 16),
         &OptionValues::voiceSensitivity},
        {1123,
         QT_TRANSLATE_NOOP("radio", "Priority Scan"),
         {"Off", "On"},
         &OptionValues::priorityScan},
        {1124,
         QT_TRANSLATE_NOOP("radio", "Channel Display"),
         {"Off", "On"},
         &OptionValues::channelDisplay},
        {1125,
         QT_TRANSLATE_NOOP("radio", "Pri-Scanning Time"),
         {"3s", "5s", "8s", "10s"},
         &OptionValues::priScanTime},
        {1117,
         QT_TRANSLATE_NOOP("radio", "Step"),
         {"5k", "10k", "6.25k", "12.5k", "25k"},
         &OptionValues::step},
        {1130, QT_TRANSLATE_NOOP("radio", "Call Tone"), Numbered("Off", 1, 8, "1750"),
         &OptionValues::callTone},
        {1116, QT_TRANSLATE_NOOP("radio", "Squelch Level"), Numbered("0", 1, 9),
         &OptionValues::squelch},
        {1129, QT_TRANSLATE_NOOP("radio", "Encoder"), {"Off", "On"}, &OptionValues::encoder},
        {1128,
         QT_TRANSLATE_NOOP("radio", "Mode"),
         {"Channel", "Frequency", "Memory"},
         &OptionValues::mode},
        {1127, QT_TRANSLATE_NOOP("radio", "Busy"), {"Off", "On"}, &OptionValues::busy},
        {1126,
         QT_TRANSLATE_NOOP("radio", "Scan Mode"),
         {"SE", "CO", "TO"},
         &OptionValues::scanMode},
    };
    return lists;
}

OptionValues ReadOptions(const RadioImage& image) {
    OptionValues v;
    v.powerOnName = DecodeName(std::span<const std::uint8_t>(image.data() + offset::kPowerOnName,
                                                             offset::kPowerOnNameSize));
    for (const ByteField& f : kByteFields) {
        v.*f.field = ListIndex(image[f.at] & f.readMask, EntryCount(f.field),
                               f.firstWhenUnlisted ? 0 : kNoSelection);
    }

    const std::uint8_t display = image[offset::kDisplayFlags];
    v.channelDisplay = (display & 0x80) ? 0 : 1;  // stored inverted: set means "Off"
    v.busy = (display & 0x40) ? 0 : 1;            // stored inverted
    v.scanMode = TwoBitIndex((display >> 4) & 0x03);
    v.led = TwoBitIndex((display >> 2) & 0x03);
    v.keypadLock = (display & 0x02) ? 1 : 0;

    const std::uint8_t scan = image[offset::kScanFlags];
    v.priorityScan = (scan & 0x40) ? 1 : 0;
    v.encoder = (scan & 0x20) ? 1 : 0;
    v.mode = TwoBitIndex(scan & 0x03);

    v.beep = (image[offset::kBeep] & 0x01) != 0;
    return v;
}

void WriteOptions(RadioImage& image, const OptionValues& v) {
    FillOptionFiller(image);
    for (const OptionList& list : OptionLists()) WriteControl(image, v, list.id);
    WriteControl(image, v, kIdBeep);
    WriteControl(image, v, kIdPowerOnName);
}

std::vector<int> ChangedControls(const OptionValues& before, const OptionValues& after) {
    std::vector<int> changed;
    for (const OptionList& list : OptionLists()) {
        if (before.*list.field != after.*list.field) changed.push_back(list.id);
    }
    if (before.beep != after.beep) changed.push_back(kIdBeep);
    if (before.powerOnName != after.powerOnName) changed.push_back(kIdPowerOnName);
    return changed;
}

bool WriteOptionControls(RadioImage& image, const OptionValues& v,
                         const std::vector<int>& controls) {
    bool written = false;
    for (int id : controls) {
        const OptionList* list = ListOf(id);
        if (list && v.*list->field == kNoSelection) continue;  // the stored value stays
        if (!list && id != kIdBeep && id != kIdPowerOnName) continue;
        WriteControl(image, v, id);
        written = true;
    }
    // The dialog's confirmation has always filled these; a run that changed nothing leaves them.
    if (written) FillOptionFiller(image);
    return written;
}

std::optional<int> UnlistedValue(const RadioImage& image, const OptionList& list) {
    for (const ByteField& f : kByteFields) {
        if (f.field != list.field || f.firstWhenUnlisted) continue;
        const int value = image[f.at] & f.readMask;
        if (static_cast<std::size_t>(value) >= list.entries.size()) return value;
    }
    return std::nullopt;
}

std::string UnlistedText(int value, Language lang) {
    return lang == Language::Chinese ? std::to_string(value) + "（不在列表中）"
                                     : UnlistedPhrase(value).English();
}

Phrase UnlistedPhrase(int value) {
    return Phrase::Of(QT_TRANSLATE_NOOP("radio", "%1 (not in the list)"), value);
}

std::string ShownOptionText(const RadioImage& image, const OptionList& list) {
    return ShownOptionPhrase(image, list).English();
}

Phrase ShownOptionPhrase(const RadioImage& image, const OptionList& list) {
    if (const std::optional<int> unlisted = UnlistedValue(image, list))
        return UnlistedPhrase(*unlisted);
    const int index = ReadOptions(image).*list.field;
    // An entry is a word to translate ("Off"), or reads the same in every language ("10k").
    return index >= 0 ? Phrase{list.entries[static_cast<std::size_t>(index)], {}, true}
                      : Phrase::Text({});
}

std::vector<OptionSheetLine> OptionSheetLines(const RadioImage& image, Language lang) {
    const auto t = [lang](std::string_view en, std::string_view zh) {
        return std::string(Pick(lang, en, zh));
    };
    const std::string off = t("Off", "关");
    const std::string on = t("On", "开");
    const auto onOff = [&](bool set) { return set ? on : off; };
    const auto number = [&](int n) { return n == 0 ? off : std::to_string(n); };

    // The sheet reads some fields through narrower masks than the dialog does, so every
    // stored value prints as one of the listed texts.
    const std::uint8_t display = image[offset::kDisplayFlags];
    const std::uint8_t scan = image[offset::kScanFlags];
    const int tot = image[offset::kTimeOutTimer] & 0x03;
    const int callTone = image[offset::kCallTone] & 0x0F;
    const int step = image[offset::kStep];
    const int saver = image[offset::kBatterySaver] & 0x07;
    const int scanMode = (display >> 4) & 0x03;
    const int led = (display >> 2) & 0x03;
    const int mode = scan & 0x03;

    static const char* const kTot[] = {"Off", "1", "3", "10"};
    static const char* const kPriScan[] = {"3s", "5s", "8s", "10s"};
    static const char* const kScanMode[] = {"SE", "CO", "TO", "TO"};
    static const char* const kStep[] = {"5k", "10k", "6.25k", "12.5k"};

    std::string saverText = off;
    if (saver != 0) {
        // n x 0.2 with one decimal, done in tenths to stay exact.
        const int tenths = saver * 2;
        saverText = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    }

    return {
        {t("Time Out Timer:", "超时定时器:"), tot == 0 ? off : kTot[tot]},
        {t("Squelch Level:", "静噪电平:"), std::to_string(image[offset::kSquelch] & 0x0F)},
        {t("Beep:", "提示音:"), onOff(image[offset::kBeep] & 0x01)},
        {t("Call Tone:", "呼叫铃音:"), callTone == 9 ? "1750" : number(callTone)},
        {t("Channel Display:", "信道显示:"), onOff(!(display & 0x80))},
        {t("Priority Scan:", "优先扫描:"), onOff(scan & 0x40)},
        {t("Busy", "繁忙:"), onOff(!(display & 0x40))},
        {t("Pri-Scanning Time:", "预扫描时间:"), kPriScan[image[offset::kPriScanTime] & 0x03]},
        {t("Scan Mode:", "扫描模式:"), kScanMode[scanMode]},
        {t("Keypad Lock:", "键盘锁定:"),
         (display & 0x02) ? t("Auto", "自动") : t("Manual", "手动")},
        {"LED", led == 0   ? off
                : led == 1 ? t("Auto", "自动")
                           : on},
        {t("Mode:", "模式:"), mode == 0   ? t("Channel", "信道")
                              : mode == 1 ? t("Frequency", "频率")
                                          : t("Memory", "存储")},
        {t("Encoder", "编码器"), onOff(scan & 0x20)},
        {t("Voice Sensitivity:", "声控灵敏度:"), number(image[offset::kVoiceSensitivity] & 0x1F)},
        {t("Step:", "步长:"), step < 4 ? kStep[step] : "25k"},
        {t("Battery Saver:", "电池省电:"), saverText},
    };
}

}  // namespace radio
