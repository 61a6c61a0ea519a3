// The CSV layout open-source radio programmers exchange, read and written.

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>

#include "core/codec/decimal.h"
#include "core/codec/edit_rules.h"
#include "core/codec/tone_table.h"
#include "core/formats/channel_entry.h"
#include "core/formats/channel_list.h"
#include "core/formats/delimited_text.h"

namespace radio {

namespace {

using formats::ChannelRules;
using formats::ParseWatts;
using formats::PowerLevels;
using formats::RecordFindings;
using formats::Shown;
using formats::SnapCtcss;

enum CsvColumn : int {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
    kComment,
    kUrCall,
    kRpt1Call,
    kRpt2Call,
    kDvCode,
    kCsvColumnCount,
};

constexpr std::array<std::string_view, kCsvColumnCount> kColumnNames = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE",
};

// What files in the wild write into the tone fields a channel does not use.
constexpr std::string_view kPlaceholderTone = "88.5", kPlaceholderCode = "023",
                           kPlaceholderPolarity = "NN", kPlaceholderCross = "Tone->Tone";

constexpr std::string_view kNone = "None";

// Where each known column sits in the file; columns are found by name, in any order.
class CsvHeader {
  public:
    explicit CsvHeader(const TextRecord& header) {
        m_index.fill(-1);
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            const std::string_view name = TrimBlanks(header.fields[i]);
            for (int col = 0; col < kCsvColumnCount; ++col) {
                if (m_index[col] < 0 && EqualsNoCase(name, kColumnNames[col]))
                    m_index[col] = static_cast<int>(i);
            }
        }
    }
    bool Has(CsvColumn col) const { return m_index[col] >= 0; }
    // The trimmed field; nullopt when the file has no such column. A short record reads as
    // blank in the columns it lacks.
    std::optional<std::string_view> Field(const TextRecord& r, CsvColumn col) const {
        if (!Has(col)) return std::nullopt;
        const auto i = static_cast<std::size_t>(m_index[col]);
        return i < r.fields.size() ? TrimBlanks(r.fields[i]) : std::string_view();
    }
    std::string_view Text(const TextRecord& r, CsvColumn col) const {
        return Field(r, col).value_or(std::string_view());
    }

  private:
    std::array<int, kCsvColumnCount> m_index{};
};

// ---- Tones ------------------------------------------------------------------------------

// A DCS code of the file: one to three octal digits, shortened ones ("23") as the code with
// leading zeros.
std::optional<std::string> DcsDigits(std::string_view text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '7') return std::nullopt;
    std::string code(text);
    code.insert(0, 3 - code.size(), '0');
    return code;
}

// The tone fields of one record, each read once so a field both sides use is reported once.
class ToneFields {
  public:
    ToneFields(const CsvHeader& header, const TextRecord& record, RecordFindings& findings)
        : m_header(header), m_record(record), m_findings(findings) {
        ReadPolarity();
    }

    // The CTCSS tone of column rToneFreq or cToneFreq as a list entry, or None.
    std::string Ctcss(CsvColumn col) {
        if (auto it = m_ctcss.find(col); it != m_ctcss.end()) return it->second;
        const std::string_view text = m_header.Text(m_record, col);
        std::string entry(kNone);
        if (auto tone = SnapCtcss(text))
            entry = *tone;
        else
            m_findings.Add(
                kColumnNames[col], text,
                Phrase::Of(QT_TRANSLATE_NOOP(
                               "radio", "tone %1 is not a CTCSS tone of the radio: stored None"),
                           Shown(text)));
        m_ctcss[col] = entry;
        return entry;
    }

    // The DCS code of column DtcsCode or RxDtcsCode with the polarity of side 0 (transmit) or
    // 1 (receive), as a list entry, or None.
    std::string Dcs(CsvColumn col, int side) {
        std::optional<std::string> code;
        if (auto it = m_codes.find(col); it != m_codes.end()) {
            code = it->second;
        } else {
            const std::string_view text = m_header.Text(m_record, col);
            code = DcsDigits(text);
            std::optional<std::string> known;
            if (code && ResolveListEntry(kColRxTone, "D" + *code + "N", Language::English))
                known = code;
            if (!known)
                m_findings.Add(
                    kColumnNames[col], text,
                    Phrase::Of(
                        QT_TRANSLATE_NOOP(
                            "radio", "DCS code %1 is not a DCS code of the radio: stored None"),
                        Shown(text)));
            m_codes[col] = known;
            code = known;
        }
        if (!code) return std::string(kNone);
        return "D" + *code + (m_polarity[side] == 'R' ? 'I' : 'N');
    }

    // Called once the tones are known: a polarity that was needed and unreadable is reported.
    void ReportPolarity(bool used) {
        if (used && !m_polarityValid)
            m_findings.Add(
                kColumnNames[kDtcsPolarity], m_polarityText,
                Phrase::Of(QT_TRANSLATE_NOOP(
                               "radio", "DCS polarity %1 is not two letters N or R: stored %2"),
                           Shown(m_polarityText),
                           std::string(1, m_polarity[0]) + std::string(1, m_polarity[1])));
    }

  private:
    void ReadPolarity() {
        const auto field = m_header.Field(m_record, kDtcsPolarity);
        if (!field || field->empty()) return;  // both normal
        const std::string text = UpperAscii(*field);
        bool valid = text.size() == 2;
        for (std::size_t i = 0; i < 2; ++i) {
            const char c = i < text.size() ? text[i] : 'N';
            if (c == 'N' || c == 'R')
                m_polarity[i] = c;
            else
                valid = false;
        }
        // Reported only when a DCS code uses it; placeholders are often odd.
        m_polarityValid = valid;
        m_polarityText = std::string(*field);
    }

    const CsvHeader& m_header;
    const TextRecord& m_record;
    RecordFindings& m_findings;
    std::map<int, std::string> m_ctcss;
    std::map<int, std::optional<std::string>> m_codes;
    std::array<char, 2> m_polarity = {'N', 'N'};
    bool m_polarityValid = true;
    std::string m_polarityText;
};

struct TonePair {
    std::string tx{kNone};
    std::string rx{kNone};
};

// Tone and CrossMode say which fields count; the others hold placeholders and are not read.
TonePair ReadTones(const CsvHeader& header, const TextRecord& record, RecordFindings& findings) {
    ToneFields fields(header, record, findings);
    TonePair tones;
    bool dcsUsed = false;
    const std::string_view mode = header.Text(record, kTone);
    if (mode.empty()) {
        // No tones.
    } else if (EqualsNoCase(mode, "Tone")) {
        tones.tx = fields.Ctcss(kRToneFreq);
    } else if (EqualsNoCase(mode, "TSQL")) {
        tones.tx = tones.rx = fields.Ctcss(kCToneFreq);
    } else if (EqualsNoCase(mode, "DTCS")) {
        tones.tx = fields.Dcs(kDtcsCode, 0);
        tones.rx = fields.Dcs(kDtcsCode, 1);
        dcsUsed = true;
    } else if (EqualsNoCase(mode, "Cross")) {
        std::string_view cross = header.Text(record, kCrossMode);
        if (cross.empty()) cross = kPlaceholderCross;  // older files have no CrossMode
        const std::size_t arrow = cross.find("->");
        const std::string_view tx = arrow == std::string_view::npos
                                        ? std::string_view("?")
                                        : TrimBlanks(cross.substr(0, arrow));
        const std::string_view rx = arrow == std::string_view::npos
                                        ? std::string_view("?")
                                        : TrimBlanks(cross.substr(arrow + 2));
        const auto known = [](std::string_view side) {
            return side.empty() || EqualsNoCase(side, "Tone") || EqualsNoCase(side, "DTCS");
        };
        if (!known(tx) || !known(rx) || (tx.empty() && rx.empty())) {
            findings.Add(
                kColumnNames[kCrossMode], cross,
                Phrase::Of(QT_TRANSLATE_NOOP("radio", "cross mode %1 not supported: stored None"),
                           Shown(cross)));
        } else {
            // Older files have one DCS code for both ways.
            const CsvColumn rxCode = header.Has(kRxDtcsCode) ? kRxDtcsCode : kDtcsCode;
            if (EqualsNoCase(tx, "Tone")) tones.tx = fields.Ctcss(kRToneFreq);
            if (EqualsNoCase(tx, "DTCS")) tones.tx = fields.Dcs(kDtcsCode, 0);
            if (EqualsNoCase(rx, "Tone")) tones.rx = fields.Ctcss(kCToneFreq);
            if (EqualsNoCase(rx, "DTCS")) tones.rx = fields.Dcs(rxCode, 1);
            dcsUsed = EqualsNoCase(tx, "DTCS") || EqualsNoCase(rx, "DTCS");
        }
    } else {
        findings.Add(
            kColumnNames[kTone], mode,
            Phrase::Of(QT_TRANSLATE_NOOP("radio", "tone mode %1 not supported: stored None"),
                       Shown(mode)));
    }
    fields.ReportPolarity(dcsUsed);
    return tones;
}

// ---- One record -------------------------------------------------------------------------

void ReadTransmit(const CsvHeader& header, const TextRecord& record, std::int64_t rxHz,
                  ChannelRules& rules, RecordFindings& findings) {
    const std::string_view duplex = header.Text(record, kDuplex);
    const std::string_view offsetText = header.Text(record, kOffset);
    if (EqualsNoCase(duplex, "off")) return rules.ClearTx();
    const bool split = EqualsNoCase(duplex, "split");
    // Reckoned from a refused receive frequency, the transmit frequency is refused with it
    // (the finding of the receive frequency says so).
    if (rules.Refused()[kColRxFreq - 1] && !split) return rules.KeepTx();
    if (duplex.empty()) return;  // the new channel's default: transmit on the receive frequency

    if (!split && duplex != "+" && duplex != "-") {
        rules.ClearTx();
        return findings.Add(
            kColumnNames[kDuplex], duplex,
            Phrase::Of(
                QT_TRANSLATE_NOOP("radio", "duplex %1 not supported: stored no transmit frequency"),
                Shown(duplex)));
    }
    const auto offset = formats::ParseMHz(offsetText);
    if (!offset) {
        rules.KeepTx();
        return findings.Add(
            kColumnNames[kOffset], offsetText,
            Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                         "offset %1 is not a frequency in MHz: kept the stored Tx "
                                         "Frequency (none on a new channel)"),
                       Shown(offsetText)));
    }
    const std::int64_t txHz = split ? *offset : duplex == "+" ? rxHz + *offset : rxHz - *offset;
    const CommitResult result = rules.SetTx(txHz);
    if (result != CommitResult::Accepted) {
        findings.Add(kColumnNames[kOffset], offsetText,
                     Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                                  "transmit frequency %1 %2: kept the stored Tx "
                                                  "Frequency (none on a new channel)"),
                                formats::MHzText(txHz), formats::RefusalPhrase(result)));
    }
}

void ReadSettings(const CsvHeader& header, const TextRecord& record, const PowerLevels& power,
                  ChannelRules& rules, RecordFindings& findings) {
    const TonePair tones = ReadTones(header, record, findings);
    (void)rules.SetEntry(kColTxTone, tones.tx);  // list entries or None by construction
    (void)rules.SetEntry(kColRxTone, tones.rx);

    const std::string_view watts = header.Text(record, kPower);
    if (!watts.empty()) {
        if (auto level = power.Level(watts)) {
            (void)rules.SetEntry(kColPower, *level);
            // A level from watts is a reading of the file, not what it says: named once for
            // each wattage, at its first channel, so a file of 5W channels is not all findings.
            if (ParseWatts(watts) && power.FirstReading(watts))
                findings.Add(
                    kColumnNames[kPower], watts,
                    Phrase::Of(QT_TRANSLATE_NOOP(
                                   "radio", "power %1 read as %2 (so is every %1 of the file)"),
                               Shown(watts), formats::EntryPhrase(std::string(*level))));
        } else
            findings.Add(kColumnNames[kPower], watts,
                         Phrase::Of(QT_TRANSLATE_NOOP("radio", "power %1 not supported: stored %2"),
                                    Shown(watts), formats::EntryPhrase(rules.Text(kColPower))));
    }

    // Our Cha Lock has no column: the comment carries it when it is not the default.
    const std::string_view comment = header.Text(record, kComment);
    if (EqualsNoCase(comment, "unlock") || EqualsNoCase(comment, "lock"))
        (void)rules.SetEntry(kColLock, comment);

    const std::string_view skip = header.Text(record, kSkip);
    if (EqualsNoCase(skip, "S")) {
        (void)rules.SetEntry(kColScanAdd, "No");
    } else if (!skip.empty() && !EqualsNoCase(skip, "P")) {
        findings.Add(
            kColumnNames[kSkip], skip,
            Phrase::Of(QT_TRANSLATE_NOOP("radio", "skip %1 not supported: stored Scan Add %2"),
                       Shown(skip), formats::EntryPhrase(rules.Text(kColScanAdd))));
    }

    const std::string_view mode = header.Text(record, kMode);
    if (EqualsNoCase(mode, "NFM")) {
        (void)rules.SetEntry(kColBandwidth, "Narrow");
    } else if (!mode.empty() && !EqualsNoCase(mode, "FM")) {
        findings.Add(kColumnNames[kMode], mode,
                     Phrase::Of(QT_TRANSLATE_NOOP("radio", "mode %1 not supported: stored %2"),
                                Shown(mode), formats::EntryPhrase(rules.Text(kColBandwidth))));
    }

    rules.SetName(kColumnNames[kName], header.Text(record, kName), findings);
}

bool BlankRecord(const TextRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& f) { return TrimBlanks(f).empty(); });
}

// ---- Writing ----------------------------------------------------------------------------

struct ToneOut {
    enum Kind { None, Ctcss, Dcs } kind = None;
    std::string value;  // "88.5", or the DCS code "023"
    char polarity = 'N';
};

// A grid tone text of either language. Texts no list holds (decoded from odd bytes) are still
// written as they read, so the importer can report them.
ToneOut ClassifyTone(std::string_view text) {
    const std::string t = ResolveListEntry(kColRxTone, text, Language::English)
                              .value_or(std::string(TrimBlanks(text)));
    ToneOut out;
    if (t.empty() || EqualsNoCase(t, kNone)) return out;
    if (const std::size_t d = t.find('D'); d != std::string::npos) {
        // As the tone codec reads it: digits after the D, any text without an N is inverted.
        std::string code = std::to_string(LeadingInteger(std::string_view(t).substr(d + 1)));
        if (code.size() < 3) code.insert(0, 3 - code.size(), '0');
        out = {ToneOut::Dcs, code, t.find('N', d + 1) != std::string::npos ? 'N' : 'R'};
        return out;
    }
    out = {ToneOut::Ctcss, t, 'N'};
    return out;
}

std::string_view EnglishEntry(int col, const std::string& text) {
    static const std::array<std::string_view, 3> kPower = {"High", "Middle", "Low"};
    const auto entry = ResolveListEntry(col, text, Language::English);
    if (!entry) return {};
    for (std::string_view p : kPower)
        if (*entry == p) return p;
    if (*entry == "Unlock") return "Unlock";
    if (*entry == "No") return "No";
    if (*entry == "Narrow") return "Narrow";
    return "";  // the defaults: Lock, Yes, Wide
}

// The band of a frequency in 10 Hz units: 1, 2, or 0 outside both.
int BandOf(std::int64_t units) {
    if (units >= kBand1Low && units <= kBand1High) return 1;
    if (units >= kBand2Low && units <= kBand2High) return 2;
    return 0;
}

std::vector<std::string> CsvRow(const ChannelGrid& grid, int row) {
    std::vector<std::string> f(kCsvColumnCount);
    const auto rxHz = formats::ParseMHz(TrimBlanks(grid.Text(row, kColRxFreq)));
    if (!rxHz) return {};
    const std::string& txText = grid.Text(row, kColTxFreq);
    const auto txHz = formats::ParseMHz(TrimBlanks(txText));

    f[kLocation] = std::to_string(row - 1);
    f[kName] = grid.Text(row, kColName);
    f[kFrequency] = formats::MHzText(*rxHz);
    f[kOffset] = formats::MHzText(0);
    if (txText.empty() || !txHz) {
        f[kDuplex] = "off";
    } else if (*txHz != *rxHz) {
        const int band = BandOf(*rxHz / 10);
        if (band != 0 && band == BandOf(*txHz / 10)) {
            f[kDuplex] = *txHz > *rxHz ? "+" : "-";
            f[kOffset] = formats::MHzText(std::abs(*txHz - *rxHz));
        } else {
            f[kDuplex] = "split";
            f[kOffset] = formats::MHzText(*txHz);
        }
    }

    f[kRToneFreq] = f[kCToneFreq] = kPlaceholderTone;
    f[kDtcsCode] = f[kRxDtcsCode] = kPlaceholderCode;
    f[kCrossMode] = kPlaceholderCross;
    const ToneOut tx = ClassifyTone(grid.Text(row, kColTxTone));
    const ToneOut rx = ClassifyTone(grid.Text(row, kColRxTone));
    std::string polarity(kPlaceholderPolarity);
    if (tx.kind == ToneOut::Ctcss && rx.kind == ToneOut::None) {
        f[kTone] = "Tone";
        f[kRToneFreq] = tx.value;
    } else if (tx.kind == ToneOut::Ctcss && rx.kind == ToneOut::Ctcss && tx.value == rx.value) {
        f[kTone] = "TSQL";
        f[kCToneFreq] = rx.value;
    } else if (tx.kind == ToneOut::Dcs && rx.kind == ToneOut::Dcs && tx.value == rx.value) {
        f[kTone] = "DTCS";
        f[kDtcsCode] = tx.value;
        polarity = {tx.polarity, rx.polarity};
    } else if (tx.kind != ToneOut::None || rx.kind != ToneOut::None) {
        f[kTone] = "Cross";
        const auto side = [](const ToneOut& t) {
            return t.kind == ToneOut::Ctcss ? "Tone" : t.kind == ToneOut::Dcs ? "DTCS" : "";
        };
        f[kCrossMode] = std::string(side(tx)) + "->" + side(rx);
        if (tx.kind == ToneOut::Ctcss) f[kRToneFreq] = tx.value;
        if (tx.kind == ToneOut::Dcs) {
            f[kDtcsCode] = tx.value;
            polarity[0] = tx.polarity;
        }
        if (rx.kind == ToneOut::Ctcss) f[kCToneFreq] = rx.value;
        if (rx.kind == ToneOut::Dcs) {
            f[kRxDtcsCode] = rx.value;
            polarity[1] = rx.polarity;
        }
    }
    f[kDtcsPolarity] = polarity;

    f[kMode] =
        EnglishEntry(kColBandwidth, grid.Text(row, kColBandwidth)) == "Narrow" ? "NFM" : "FM";
    const std::int64_t units = *rxHz / 10;
    f[kTStep] = units % 500 == 0 ? "5.00" : units % 625 == 0 ? "6.25" : "2.50";
    f[kSkip] = EnglishEntry(kColScanAdd, grid.Text(row, kColScanAdd)) == "No" ? "S" : "";
    const std::string_view power = EnglishEntry(kColPower, grid.Text(row, kColPower));
    f[kPower] = power.empty() ? std::string() : std::string(power);
    // "Lock" is the default an import gives; only the other value needs a word.
    if (EnglishEntry(kColLock, grid.Text(row, kColLock)) == "Unlock") f[kComment] = "unlock";
    return f;
}

}  // namespace

ChannelList ReadChannelCsv(std::string_view bytes) {
    ChannelList list;
    const SplitText split = SplitDelimited(bytes, ',');
    auto record = split.records.begin();
    while (record != split.records.end() && BlankRecord(*record)) ++record;
    if (record == split.records.end()) {
        list.status = Status::Error("the file is empty: it holds no channel list");
        return list;
    }
    const CsvHeader header(*record);
    if (!header.Has(kLocation) || !header.Has(kFrequency)) {
        list.status = Status::Error(
            "not a channel list in CSV: its first line must name the columns, among them "
            "Location and Frequency (it reads '" +
            Shown(JoinDelimited(record->fields, ',')).English() + "')");
        return list;
    }
    ++record;
    if (split.unclosedQuoteLine > 0) {
        list.findings.push_back(formats::UnclosedQuoteFinding(split.unclosedQuoteLine));
    }

    PowerLevels power;
    for (auto r = record; r != split.records.end(); ++r) power.Note(header.Text(*r, kPower));

    std::map<int, int> seen;  // location -> line of its first record
    ChannelRules rules;       // one scratch row for all records: Start clears it
    for (; record != split.records.end(); ++record) {
        if (BlankRecord(*record)) continue;
        const std::string_view locationText = header.Text(*record, kLocation);
        RecordFindings skipped(record->line, Shown(locationText).English());
        const auto location = formats::ParseLocation(locationText);
        if (!location) {
            list.findings.push_back(
                formats::NotAChannelNumberFinding(record->line, locationText, "Location"));
            continue;
        }
        if (auto [it, fresh] = seen.emplace(*location, record->line); !fresh) {
            skipped.Skip(
                "Location", locationText,
                Phrase::Of(QT_TRANSLATE_NOOP("radio", "listed again (first on line %1): skipped"),
                           it->second));
            for (ImportFinding& f : skipped.Take()) list.findings.push_back(std::move(f));
            continue;
        }

        ImportEntry entry{record->line, *location, std::to_string(*location), {}, {}, {}};
        const std::string_view frequency = header.Text(*record, kFrequency);
        RecordFindings findings(record->line, entry.locationText);
        if (frequency.empty()) {
            findings.Add(
                "Frequency", frequency,
                Phrase::Of(QT_TRANSLATE_NOOP("radio", "no frequency: stored an empty channel")));
        } else {
            const std::string_view duplex = header.Text(*record, kDuplex);
            const bool ownTx = EqualsNoCase(duplex, "split") || EqualsNoCase(duplex, "off");
            const auto rxHz = rules.StartText(
                "Frequency", frequency, ownTx ? "Rx Frequency" : "Rx and Tx Frequencies", findings);
            ReadTransmit(header, *record, rxHz.value_or(0), rules, findings);
            ReadSettings(header, *record, power, rules, findings);
            entry.texts = rules.Texts();
            entry.refused = rules.Refused();
        }
        entry.findings = findings.Take();
        list.entries.push_back(std::move(entry));
    }
    return list;
}

std::string WriteChannelCsv(const ChannelGrid& grid) {
    std::vector<std::string> header(kColumnNames.begin(), kColumnNames.end());
    std::string out = JoinDelimited(header, ',') + "\r\n";
    for (int row = 1; row < ChannelGrid::kRows; ++row) {
        if (!grid.InUse(row)) continue;
        const std::vector<std::string> fields = CsvRow(grid, row);
        if (!fields.empty()) out += JoinDelimited(fields, ',') + "\r\n";
    }
    return out;
}

}  // namespace radio
