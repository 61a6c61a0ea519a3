#include "core/formats/channel_entry.h"

#include <algorithm>

#include "core/codec/decimal.h"
#include "core/codec/edit_rules.h"
#include "core/codec/tone_table.h"
#include "core/formats/delimited_text.h"
#include "core/image/radio_image.h"

namespace radio::formats {

namespace {

constexpr std::int64_t kHzPerUnit = 10;

// The grid's frequency text ("%3.5f" of MHz) made from integers: 14652500 -> "146.52500".
std::string UnitsText(std::int64_t units) {
    std::string fraction = std::to_string(units % 100000);
    fraction.insert(0, 5 - fraction.size(), '0');
    std::string whole = std::to_string(units / 100000);
    if (whole.size() < 3) whole.insert(0, 3 - whole.size(), ' ');
    return whole + "." + fraction;
}

std::string MHzRange(std::int64_t lowUnits, std::int64_t highUnits) {
    return std::to_string(lowUnits / 100000) + "-" + std::to_string(highUnits / 100000);
}

// What a row keeps instead of a refused frequency, in the grid's words.
Phrase KeptPhrase(std::string_view kept) {
    if (kept == "Rx Frequency") return Phrase::Of(QT_TRANSLATE_NOOP("radio", "Rx Frequency"));
    if (kept == "Rx and Tx Frequencies")
        return Phrase::Of(QT_TRANSLATE_NOOP("radio", "Rx and Tx Frequencies"));
    return Phrase::Text(std::string(kept));
}

}  // namespace

void RecordFindings::Add(std::string_view column, std::string_view value, Phrase what) {
    Phrase phrase =
        Phrase::Of(QT_TRANSLATE_NOOP("radio", "location %1: %2"), m_location, std::move(what));
    std::string text = phrase.English();
    m_findings.push_back({m_line, m_location, std::string(column), std::string(value),
                          std::move(text), false, 0, std::move(phrase)});
}

void RecordFindings::Skip(std::string_view column, std::string_view value, Phrase what) {
    Add(column, value, std::move(what));
    m_findings.back().rowSkipped = true;
}

CommitResult ChannelRules::Start(std::int64_t hz) {
    m_grid.ClearRow(1);
    m_refused = {};
    if (hz <= 0 || hz % kHzPerUnit != 0) return CommitResult::StepError;
    return CommitCellEdit(m_grid, 1, kColRxFreq, UnitsText(hz / kHzPerUnit), Language::English);
}

std::optional<std::int64_t> ChannelRules::StartText(std::string_view column, std::string_view text,
                                                    std::string_view kept,
                                                    RecordFindings& findings) {
    const auto hz = ParseMHz(text);
    const CommitResult result = hz ? Start(*hz) : CommitResult::OutOfRange;
    if (result == CommitResult::Accepted) return hz;
    // The channel is not taken as the file gives it: counted as left out, and a unit mistake
    // (Hz, kHz) is named, since it explains every row of such a file.
    findings.Skip(
        column, text,
        Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                     "frequency %1 %2%3: kept the stored %4 (an empty row stays "
                                     "empty)"),
                   Shown(text),
                   hz ? RefusalPhrase(result)
                      : Phrase::Of(QT_TRANSLATE_NOOP("radio", "is not a frequency in MHz")),
                   UnitNotePhrase(text), KeptPhrase(kept)));
    // Any frequency of the bands starts the channel, so that the record's other cells land;
    // the importer puts the row's own frequency in its place.
    m_grid.ClearRow(1);
    (void)CommitCellEdit(m_grid, 1, kColRxFreq, UnitsText(kBand1Low), Language::English);
    m_refused = {};
    m_refused[kColRxFreq - 1] = true;
    return hz;
}

CommitResult ChannelRules::SetTx(std::int64_t hz) {
    const CommitResult result =
        hz <= 0 ? CommitResult::OutOfRange
        : hz % kHzPerUnit
            ? CommitResult::StepError
            : CommitCellEdit(m_grid, 1, kColTxFreq, UnitsText(hz / kHzPerUnit), Language::English);
    m_refused[kColTxFreq - 1] = result != CommitResult::Accepted;
    return result;
}

void ChannelRules::ClearTx() {
    (void)CommitCellEdit(m_grid, 1, kColTxFreq, "", Language::English);  // always accepted
    m_refused[kColTxFreq - 1] = false;
}

bool ChannelRules::SetEntry(int col, std::string_view text) {
    const auto entry = ResolveListEntry(col, text, Language::English);
    if (!entry) return false;
    // List columns have nothing to refuse once the channel exists.
    (void)CommitCellEdit(m_grid, 1, col, *entry, Language::English);
    return true;
}

void ChannelRules::SetName(std::string_view column, std::string_view value,
                           RecordFindings& findings) {
    const std::string upper = UpperAscii(value);
    std::string kept;
    for (char c : upper)
        if (NameCharToCode(c) != kNameFill) kept += c;
    std::string name = kept.substr(0, kChannelNameLength);
    // A cut is named as such, also beside dropped characters: a name cut short may now equal
    // another channel's.
    if (kept != upper) {
        findings.Add(
            column, value,
            name != kept
                ? Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                               "name '%1' has characters the radio cannot show "
                                               "and is cut to %2 characters: stored '%3'"),
                             Shown(value), static_cast<int>(kChannelNameLength), name)
                : Phrase::Of(
                      QT_TRANSLATE_NOOP(
                          "radio", "name '%1' has characters the radio cannot show: stored '%2'"),
                      Shown(value), name));
    } else if (name != kept) {
        findings.Add(
            column, value,
            Phrase::Of(QT_TRANSLATE_NOOP("radio", "name '%1' cut to '%2'"), Shown(value), name));
    }
    // What is left passes the rule by construction; checking keeps the two from drifting.
    if (CheckRadioName(name, kChannelNameLength)) name.clear();
    (void)CommitCellEdit(m_grid, 1, kColName, name, Language::English);
}

std::optional<std::int64_t> ParseMHz(std::string_view text) { return ParseScaledDecimal(text, 6); }

namespace {

bool InBand(std::int64_t hz) {
    return hz > 0 && hz % kHzPerUnit == 0 && FrequencyInBands(hz / kHzPerUnit);
}

}  // namespace

std::optional<std::string_view> FrequencyUnit(std::string_view text) {
    const auto asMHz = ParseMHz(text);  // the number times 1e6
    if (!asMHz || InBand(*asMHz)) return std::nullopt;
    if (*asMHz % 1000000 == 0 && InBand(*asMHz / 1000000)) return "Hz";
    if (*asMHz % 1000 == 0 && InBand(*asMHz / 1000)) return "kHz";
    return std::nullopt;
}

std::string UnitNote(std::string_view text) { return UnitNotePhrase(text).English(); }

Phrase UnitNotePhrase(std::string_view text) {
    const auto unit = FrequencyUnit(text);
    if (!unit) return Phrase::Text({});
    const std::int64_t hz = *ParseMHz(text) / (*unit == "Hz" ? 1000000 : 1000);
    return Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                        "; it looks like %1 (%2 MHz), but the file must "
                                        "give MHz"),
                      std::string(*unit), MHzText(hz));
}

std::string MHzText(std::int64_t hz) {
    if (hz < 0) return "-" + MHzText(-hz);
    std::string fraction = std::to_string(hz % 1000000);
    fraction.insert(0, 6 - fraction.size(), '0');
    return std::to_string(hz / 1000000) + "." + fraction;
}

std::string RefusalText(CommitResult result) { return RefusalPhrase(result).English(); }

Phrase RefusalPhrase(CommitResult result) {
    if (result == CommitResult::OutOfRange) {
        return Phrase::Of(QT_TRANSLATE_NOOP("radio", "is out of range (%1 and %2 MHz)"),
                          MHzRange(kBand1Low, kBand1High), MHzRange(kBand2Low, kBand2High));
    }
    return Phrase::Of(QT_TRANSLATE_NOOP("radio", "is not on a 2.5 or 6.25 kHz step"));
}

std::optional<std::string> SnapCtcss(std::string_view text) {
    constexpr int kDecimals = 4;  // 0.0001 Hz
    constexpr std::int64_t kWithin = 1000;
    static const auto tones = [] {
        std::vector<std::pair<std::int64_t, std::string>> list;
        for (const std::string& t : BuildToneTable(Language::English)) {
            if (auto v = ParseScaledDecimal(t, kDecimals)) list.emplace_back(*v, t);
        }
        return list;
    }();
    const auto value = ParseScaledDecimal(text, kDecimals, true);
    if (!value) return std::nullopt;
    for (const auto& [tone, name] : tones) {
        if (std::abs(tone - *value) < kWithin) return name;
    }
    return std::nullopt;
}

std::optional<std::int64_t> ParseWatts(std::string_view text) {
    if (text.empty() || (text.back() != 'W' && text.back() != 'w')) return std::nullopt;
    return ParseScaledDecimal(TrimBlanks(text.substr(0, text.size() - 1)), 3, true);
}

std::optional<std::string_view> PowerLevels::Level(std::string_view text) const {
    if (auto entry = ResolveListEntry(kColPower, text, Language::English)) {
        if (*entry == "High") return "High";
        if (*entry == "Low") return "Low";
        return "Middle";
    }
    for (std::string_view high : {"H", "Hi"})
        if (EqualsNoCase(text, high)) return "High";
    for (std::string_view low : {"L", "Lo"})
        if (EqualsNoCase(text, low)) return "Low";
    for (std::string_view mid : {"M", "Mid", "Med", "Medium"})
        if (EqualsNoCase(text, mid)) return "Middle";
    const auto mw = ParseWatts(text);
    if (!mw || m_watts.empty()) return std::nullopt;
    if (*mw == *m_watts.rbegin()) return "High";
    if (*mw == *m_watts.begin()) return "Low";
    return "Middle";
}

std::optional<int> ParseLocation(std::string_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

Phrase Shown(std::string_view value) {
    if (value.empty()) return Phrase::Of(QT_TRANSLATE_NOOP("radio", "(empty)"));
    constexpr std::size_t kLongest = 40;
    std::size_t n = std::min(value.size(), kLongest);
    // Never cut inside a UTF-8 character.
    while (n > 0 && n < value.size() && (static_cast<unsigned char>(value[n]) & 0xC0) == 0x80) --n;
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        // Control bytes would garble a terminal; UTF-8 (>= 0x80) stays readable.
        out += (c < 0x20 || c == 0x7F) ? '?' : value[i];
    }
    if (n < value.size()) out += "...";
    return Phrase::Text(out);
}

ImportFinding UnclosedQuoteFinding(int line) {
    Phrase text = Phrase::Of(QT_TRANSLATE_NOOP(
        "radio", "a quote opened here is never closed: the rest of the file is read as one field"));
    return {line, "", "", "", text.English(), false, 0, std::move(text)};
}

ImportFinding NotAChannelNumberFinding(int line, std::string_view location, std::string column) {
    Phrase text =
        Phrase::Of(QT_TRANSLATE_NOOP("radio", "location %1 is not a channel number: skipped"),
                   Shown(location));
    return {
        line, std::string(location), std::move(column), std::string(location), text.English(), true,
        0,    std::move(text)};
}

}  // namespace radio::formats
