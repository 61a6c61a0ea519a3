#include "core/formats/image_check.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <span>

#include "core/codec/channel_codec.h"
#include "core/codec/decimal.h"
#include "core/codec/tone_table.h"
#include "core/options/option_values.h"

namespace radio {
namespace {

constexpr std::int64_t kUnitsPerMHz = 100000;

bool EmptyMarker(std::uint8_t msb) { return msb == 0x00 || msb == 0xFF; }
bool ValidBcd(std::uint8_t b) { return (b >> 4) <= 9 && (b & 0x0F) <= 9; }

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t b : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", b);
        if (!text.empty()) text += ' ';
        text += hex;
    }
    return text;
}

// Four packed-BCD bytes, least significant first, in 10 Hz units; nullopt when a nibble is
// past 9 (the grid would show another number than the radio uses).
std::optional<std::int64_t> ReadBcdFrequency(std::span<const std::uint8_t> bytes) {
    std::int64_t units = 0;
    for (int k = 3; k >= 0; --k) {
        if (!ValidBcd(bytes[static_cast<std::size_t>(k)])) return std::nullopt;
        units = units * 100 + BcdDecode(bytes[static_cast<std::size_t>(k)]);
    }
    return units;
}

// The grid's heading, a marked text of its own.
const char* Heading(int col) { return ChannelGrid::Heading(col, Language::English).data(); }

// The option fields that can hold a value outside their list: their bits, and the line of the
// printed option sheet that shows them. In the sheet's order.
struct CheckedOption {
    int controlId;
    std::size_t at;
    std::uint8_t mask;  // 0xFF: the whole byte
    int shift;
    std::size_t sheetLine;
};
constexpr CheckedOption kCheckedOptions[] = {
    {1118, offset::kTimeOutTimer, 0xFF, 0, 0}, {1116, offset::kSquelch, 0xFF, 0, 1},
    {1130, offset::kCallTone, 0xFF, 0, 3},     {1125, offset::kPriScanTime, 0xFF, 0, 7},
    {1126, offset::kDisplayFlags, 0x30, 4, 8}, {1119, offset::kDisplayFlags, 0x0C, 2, 10},
    {1128, offset::kScanFlags, 0x03, 0, 11},   {1122, offset::kVoiceSensitivity, 0xFF, 0, 13},
    {1117, offset::kStep, 0xFF, 0, 14},        {1120, offset::kBatterySaver, 0xFF, 0, 15},
};

bool IsNumber(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// A list entry for a message: a word to translate ("Off"), or the same in every language.
Phrase Entry(const std::string& entry) { return {entry, {}, true}; }

// A list's entries for a message, with runs of numbers shortened: "Off, 1-16".
Phrase Offered(const std::vector<std::string>& entries) {
    std::vector<Phrase> parts;
    for (std::size_t i = 0; i < entries.size();) {
        std::size_t end = i;
        while (IsNumber(entries[i]) && end + 1 < entries.size() && IsNumber(entries[end + 1]) &&
               std::stoi(entries[end + 1]) == std::stoi(entries[end]) + 1)
            ++end;
        parts.push_back(end >= i + 2 ? Phrase::Text(entries[i] + "-" + entries[end])
                                     : Entry(entries[i]));
        i = end >= i + 2 ? end + 1 : i + 1;
    }
    return Phrase::Join(std::move(parts), ", ");
}

Phrase Quoted(Phrase text) {
    return Phrase::Of(QT_TRANSLATE_NOOP("radio", "\"%1\""), std::move(text));
}

std::string BitsText(std::uint8_t value, int width) {
    std::string bits;
    for (int b = width - 1; b >= 0; --b) bits += (value >> b) & 1 ? '1' : '0';
    return bits;
}

// One finding per option whose stored value its list does not hold. The dialog and the printed
// sheet read some fields through different masks; each stays as it is, and the text says what
// each of them shows.
void CheckOptions(const RadioImage& image, std::vector<Finding>& found) {
    const std::vector<OptionSheetLine> sheet = OptionSheetLines(image, Language::English);
    for (const CheckedOption& c : kCheckedOptions) {
        const OptionList* list = nullptr;
        for (const OptionList& l : OptionLists()) {
            if (l.id == c.controlId) list = &l;
        }
        const int stored = (image[c.at] & c.mask) >> c.shift;
        if (static_cast<std::size_t>(stored) < list->entries.size()) continue;

        char at[16];
        std::snprintf(at, sizeof at, "0x%04zX", c.at);
        Phrase where;
        if (c.mask == 0xFF) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", stored);
            where = Phrase::Of(QT_TRANSLATE_NOOP("radio", "%1 holds %2 (%3)"), at, stored, hex);
        } else {
            const int width = c.mask >> c.shift == 0x03 ? 2 : 1;
            where = Phrase::Of(QT_TRANSLATE_NOOP("radio", "bits %1-%2 of %3 hold %4"),
                               c.shift + width - 1, c.shift, at,
                               BitsText(static_cast<std::uint8_t>(stored), width));
        }
        const Phrase dialog = ShownOptionPhrase(image, *list);
        const Phrase printed = Entry(sheet[c.sheetLine].value);
        // The same value, written as the dialog offers it and as the sheet prints it, counts as
        // the same reading.
        const std::optional<int> unlisted = UnlistedValue(image, *list);
        Phrase shown;
        if (dialog.English() == printed.English()) {
            shown = Phrase::Of(
                QT_TRANSLATE_NOOP("radio", "Option Features and the printed option sheet show %1"),
                Quoted(dialog));
        } else if (unlisted && printed.pattern == std::to_string(*unlisted)) {
            shown = Phrase::Of(
                QT_TRANSLATE_NOOP("radio", "Option Features shows %1, the printed option sheet %2"),
                Quoted(dialog), Quoted(printed));
        } else {
            shown = Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                                 "Option Features shows %1 but the printed option "
                                                 "sheet %2: the two read the byte differently"),
                               Quoted(dialog), Quoted(printed));
        }
        Phrase phrase = Phrase::Of(
            QT_TRANSLATE_NOOP("radio",
                              "option %1: %2, a value the radio's list (%3) does not hold; %4"),
            Phrase::Of(list->label), std::move(where), Offered(list->entries), std::move(shown));
        std::string text = phrase.English();
        found.push_back({Severity::Warning, FindingKind::OptionNotInList, -1, 0, std::move(text),
                         std::move(phrase)});
    }
}

class Checker {
  public:
    explicit Checker(const RadioImage& image)
        : m_image(image),
          m_limits(ReadBandLimits(image)),
          m_tones(BuildToneTable(Language::English)) {}

    std::vector<Finding> Run() {
        int inUse = 0;
        for (int record = 0; record < kChannelCount; ++record) {
            if (EmptyMarker(m_image.Record(record)[3])) continue;
            ++inUse;
            Channel(record);
        }
        CheckOptions(m_image, m_found);
        if (inUse == 0) {
            Phrase phrase = Phrase::Of(QT_TRANSLATE_NOOP(
                "radio", "the image holds no channels: writing it leaves the radio with none"));
            std::string text = phrase.English();
            m_found.push_back({Severity::Warning, FindingKind::BlankImage, -1, 0, std::move(text),
                               std::move(phrase)});
        }
        return std::move(m_found);
    }

  private:
    void Add(Severity severity, FindingKind kind, int record, int col, Phrase what) {
        Phrase phrase = col > 0
                            ? Phrase::Of(QT_TRANSLATE_NOOP("radio", "channel %1, %2%3"),
                                         Label(record), Phrase::Of(Heading(col)), std::move(what))
                            : Phrase::Of(QT_TRANSLATE_NOOP("radio", "channel %1%2"), Label(record),
                                         std::move(what));
        std::string text = phrase.English();
        m_found.push_back({severity, kind, record, col, std::move(text), std::move(phrase)});
    }

    static std::string Label(int record) { return record == 0 ? "Pr" : std::to_string(record); }

    void Channel(int record) {
        const auto r = m_image.Record(record);
        Frequency(record, kColRxFreq, r.subspan<0, 4>());
        if (!EmptyMarker(r[7])) Frequency(record, kColTxFreq, r.subspan<4, 4>());
        Tone(record, kColRxTone, r[9], r[8]);
        Tone(record, kColTxTone, r[11], r[10]);
        if ((r[12] & 0x30) == 0x30) {
            Add(Severity::Error, FindingKind::Unrepresentable, record, kColPower,
                Phrase::Of(QT_TRANSLATE_NOOP(
                    "radio", ": the power bits hold no power level the grid can show")));
        }
        Name(record);
    }

    void Frequency(int record, int col, std::span<const std::uint8_t, 4> bytes) {
        const auto units = ReadBcdFrequency(bytes);
        if (!units) {
            Add(Severity::Error, FindingKind::Unrepresentable, record, col,
                Phrase::Of(QT_TRANSLATE_NOOP(
                               "radio", ": the bytes %1 are not a frequency the grid can show"),
                           HexBytes(bytes)));
            return;
        }
        const std::string text = FrequencyUnitsToText(*units);
        if (!FrequencyInBands(*units)) {
            Add(Severity::Error, FindingKind::OutsideBands, record, col,
                Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                             " %1: outside both bands of the radio (136-175 and "
                                             "400-520 MHz)"),
                           text));
            return;
        }
        if (!FrequencyOnStep(*units)) {
            Add(Severity::Error, FindingKind::OffStep, record, col,
                Phrase::Of(QT_TRANSLATE_NOOP("radio", " %1: not on a 2.5 kHz or 6.25 kHz step"),
                           text));
            return;
        }
        if (m_limits && (*units < m_limits->lowerMHz * kUnitsPerMHz ||
                         *units > m_limits->upperMHz * kUnitsPerMHz)) {
            const bool tx = col == kColTxFreq;
            Add(Severity::Warning,
                tx ? FindingKind::TxOutsideBandLimits : FindingKind::OutsideBandLimits, record, col,
                Phrase::Of(
                    tx ? QT_TRANSLATE_NOOP("radio",
                                           " %1: transmits outside the radio's band %2-%3 "
                                           "MHz (Product Information)")
                       : QT_TRANSLATE_NOOP(
                             "radio",
                             " %1: outside the radio's band %2-%3 MHz (Product Information)"),
                    text, std::to_string(m_limits->lowerMHz), std::to_string(m_limits->upperMHz)));
        }
    }

    void Tone(int record, int col, std::uint8_t high, std::uint8_t low) {
        if (EmptyMarker(high)) return;  // no tone, whatever the low byte holds
        const std::string text = DecodeTone(high, low, Language::English);
        if (!(EncodeTone(text) == ToneWord{high, low})) {
            const std::uint8_t word[] = {high, low};
            Add(Severity::Error, FindingKind::Unrepresentable, record, col,
                Phrase::Of(
                    QT_TRANSLATE_NOOP("radio", ": the bytes %1 are not a tone the grid can show"),
                    HexBytes(word)));
            return;
        }
        if (std::find(m_tones.begin(), m_tones.end(), text) == m_tones.end()) {
            Add(Severity::Warning, FindingKind::ToneNotInList, record, col,
                Phrase::Of(QT_TRANSLATE_NOOP("radio", " %1: not in the tone list"), text));
        }
    }

    void Name(int record) {
        const auto bytes = m_image.NameBytes(record);
        const std::string name = DecodeName(bytes);
        const bool foreign = std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t code) {
            return code != kNameFill && NameCodeToChar(code) == '\0';
        });
        if (foreign) {
            Add(Severity::Warning, FindingKind::NameCharacters, record, kColName,
                Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                             ": the bytes %1 hold codes outside the radio's name "
                                             "characters (it shows \"%2\")"),
                           HexBytes(bytes), name));
        }
        if (name.empty()) return;
        const auto [first, added] = m_names.emplace(name, record);
        if (!added) {
            Add(Severity::Warning, FindingKind::DuplicateName, record, kColName,
                Phrase::Of(QT_TRANSLATE_NOOP("radio", " %1: also the name of channel %2"), name,
                           Label(first->second)));
        }
    }

    const RadioImage& m_image;
    std::optional<BandLimits> m_limits;
    std::vector<std::string> m_tones;
    std::map<std::string, int> m_names;  // name -> first record using it
    std::vector<Finding> m_found;
};

std::string Counted(std::size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

std::vector<Finding> CheckImage(const RadioImage& image) { return Checker(image).Run(); }

bool HasErrors(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

std::string FormatFinding(const Finding& finding) {
    return (finding.severity == Severity::Error ? "error: " : "warning: ") + finding.text;
}

std::string CountFindings(const std::vector<Finding>& findings) {
    const auto errors = static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(),
                      [](const Finding& f) { return f.severity == Severity::Error; }));
    const std::size_t warnings = findings.size() - errors;
    if (errors > 0 && warnings > 0)
        return Counted(errors, "error") + " and " + Counted(warnings, "warning");
    if (errors > 0) return Counted(errors, "error");
    if (warnings > 0) return Counted(warnings, "warning");
    return "no findings";
}

}  // namespace radio
