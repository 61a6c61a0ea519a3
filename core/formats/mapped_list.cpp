// Reading a table through a column map: one channel per record, by the grid's entry rules.

#include <algorithm>
#include <map>
#include <optional>

#include "core/codec/channel_codec.h"
#include "core/codec/edit_rules.h"
#include "core/formats/channel_entry.h"
#include "core/formats/column_map.h"

namespace radio {

namespace {

using formats::Shown;

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool IsBlank(const TextRecord& record) {
    for (const std::string& f : record.fields)
        if (!TrimBlanks(f).empty()) return false;
    return true;
}

// The fields of one record as the map reads them.
class MappedRecord {
  public:
    MappedRecord(const DelimitedTable& table, const ColumnMap& map, const TextRecord& record)
        : m_table(table), m_map(map), m_record(record) {}
    bool Has(MapField f) const { return m_map[f] >= 0; }
    std::string_view Text(MapField f) const {
        const int col = m_map[f];
        if (col < 0 || static_cast<std::size_t>(col) >= m_record.fields.size()) return {};
        return TrimBlanks(m_record.fields[static_cast<std::size_t>(col)]);
    }
    // The file's name of the column, for findings.
    std::string Column(MapField f) const {
        const int col = m_map[f];
        if (col < 0 || static_cast<std::size_t>(col) >= m_table.header.fields.size()) return {};
        return m_table.header.fields[static_cast<std::size_t>(col)];
    }

  private:
    const DelimitedTable& m_table;
    const ColumnMap& m_map;
    const TextRecord& m_record;
};

// Frequencies as spreadsheets write them: "145.5", "145,500", "145.5 MHz".
std::optional<std::int64_t> FrequencyHz(std::string_view text) {
    std::string t(TrimBlanks(text));
    if (t.size() > 3 && EqualsNoCase(std::string_view(t).substr(t.size() - 3), "MHz"))
        t = std::string(TrimBlanks(std::string_view(t).substr(0, t.size() - 3)));
    if (t.find('.') == std::string::npos && std::count(t.begin(), t.end(), ',') == 1)
        std::replace(t.begin(), t.end(), ',', '.');
    return formats::ParseMHz(t);
}

// Starts `rules` on `hz`; why the radio cannot hold it as a receive frequency, or "".
// Empty when the rules take `hz` as a receive frequency; else why they refuse it.
std::optional<Phrase> StartRx(formats::ChannelRules& rules, std::int64_t hz) {
    formats::RecordFindings ignored(0, "");  // a refusal is worded by the caller
    (void)rules.StartText("", formats::MHzText(hz), "", ignored);
    if (!rules.Refused()[kColRxFreq - 1]) return std::nullopt;
    const bool inBand = hz % 10 == 0 && FrequencyInBands(hz / 10);
    return formats::RefusalPhrase(inBand ? CommitResult::StepError : CommitResult::OutOfRange);
}

enum class ModeKind { None, Analog, Narrow, Digital };
ModeKind ReadMode(std::string_view mode) {
    if (TrimBlanks(mode).empty()) return ModeKind::None;
    bool analog = false, narrow = false;
    std::string token;
    const auto endToken = [&] {
        for (std::string_view fm : {"fm", "analog", "analogue", "wfm", "fmw"})
            if (token == fm) analog = true;
        for (std::string_view nfm : {"nfm", "fmn", "nbfm"})
            if (token == nfm) analog = narrow = true;
        token.clear();
    };
    for (char c : Lower(mode)) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            token += c;
        else
            endToken();
    }
    endToken();
    return !analog ? ModeKind::Digital : narrow ? ModeKind::Narrow : ModeKind::Analog;
}

std::optional<bool> ReadNarrow(std::string_view text) {
    std::string t = Lower(TrimBlanks(text));
    std::erase(t, ' ');
    std::replace(t.begin(), t.end(), ',', '.');
    if (t.ends_with("khz")) t.resize(t.size() - 3);
    for (std::string_view n : {"narrow", "n", "nfm", "fmn", "12.5", "nbfm"})
        if (t == n) return true;
    for (std::string_view w : {"wide", "w", "fm", "25", "20", "wfm"})
        if (t == w) return false;
    return std::nullopt;
}

// True: the channel is scanned. A column named "Skip" says yes to leave a channel out.
std::optional<bool> ReadScan(std::string_view text, bool skipColumn) {
    const std::string t = Lower(TrimBlanks(text));
    if (t == "s" || t == "skip") return false;
    std::optional<bool> yes;
    for (std::string_view y : {"yes", "y", "1", "true", "on", "x", "scan", "+"})
        if (t == y) yes = true;
    for (std::string_view n : {"no", "n", "0", "false", "off", "-"})
        if (t == n) yes = false;
    if (yes && skipColumn) return !*yes;
    return yes;
}

void ReadTx(const MappedRecord& r, std::int64_t rxHz, formats::ChannelRules& rules,
            formats::RecordFindings& findings) {
    const std::string_view txText = r.Text(MapField::Tx);
    std::optional<std::int64_t> txHz;
    std::string column = r.Column(MapField::Tx), value(txText);
    if (!txText.empty()) {
        txHz = FrequencyHz(txText);
        if (!txHz) {
            rules.KeepTx();
            return findings.Add(
                column, txText,
                Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                             "Tx frequency %1 is not a frequency in MHz: kept the "
                                             "stored Tx Frequency (none on a new channel)"),
                           Shown(txText)));
        }
        if (*txHz == 0) txHz.reset();  // "0" stands for none: the offset says it
    }
    if (!txHz) {
        const std::string_view offset = r.Text(MapField::Offset);
        const TxFromOffset shift = ParseOffsetSpelling(offset, r.Text(MapField::Duplex), rxHz);
        column = r.Column(r.Has(MapField::Offset) ? MapField::Offset : MapField::Duplex);
        value = std::string(offset);
        if (!shift.ok) {
            rules.KeepTx();
            return findings.Add(
                column, offset,
                Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                             "offset %1 is not an offset in MHz: kept the stored "
                                             "Tx Frequency (none on a new channel)"),
                           Shown(offset)));
        }
        if (shift.noTx) return rules.ClearTx();
        txHz = shift.txHz;
    }
    if (!txHz) return;  // simplex: the new channel transmits on its receive frequency
    if (const CommitResult result = rules.SetTx(*txHz); result != CommitResult::Accepted)
        findings.Add(column, value,
                     Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                                  "transmit frequency %1 %2: kept the stored Tx "
                                                  "Frequency (none on a new channel)"),
                                formats::MHzText(*txHz), formats::RefusalPhrase(result)));
}

void ReadTones(const MappedRecord& r, formats::ChannelRules& rules,
               formats::RecordFindings& findings) {
    std::string tones[2] = {"None", "None"};  // transmit, receive
    const MapField fields[2] = {MapField::TxTone, MapField::RxTone};
    for (int side = 0; side < 2; ++side) {
        const std::string_view text = r.Text(fields[side]);
        if (auto tone = ParseToneSpelling(text))
            tones[side] = *tone;
        else
            findings.Add(r.Column(fields[side]), text,
                         Phrase::Of(QT_TRANSLATE_NOOP(
                                        "radio", "tone %1 is not a tone of the radio: stored None"),
                                    Shown(text)));
    }
    // A DCS column serves both ways of a row whose tone columns are empty.
    const std::string_view dcs = r.Text(MapField::Dcs);
    if (!dcs.empty() && tones[0] == "None" && tones[1] == "None") {
        if (auto code = ParseToneSpelling(dcs, true); code)
            tones[0] = tones[1] = *code;
        else
            findings.Add(
                r.Column(MapField::Dcs), dcs,
                Phrase::Of(QT_TRANSLATE_NOOP(
                               "radio", "DCS code %1 is not a DCS code of the radio: stored None"),
                           Shown(dcs)));
    }
    (void)rules.SetEntry(kColTxTone, tones[0]);
    (void)rules.SetEntry(kColRxTone, tones[1]);
}

void ReadSettings(const MappedRecord& r, bool narrowMode, const formats::PowerLevels& power,
                  formats::ChannelRules& rules, formats::RecordFindings& findings) {
    const std::string_view watts = r.Text(MapField::Power);
    if (!watts.empty()) {
        if (auto level = power.Level(watts)) {
            (void)rules.SetEntry(kColPower, *level);
            if (formats::ParseWatts(watts) && power.FirstReading(watts))
                findings.Add(
                    r.Column(MapField::Power), watts,
                    Phrase::Of(QT_TRANSLATE_NOOP(
                                   "radio", "power %1 read as %2 (so is every %1 of the file)"),
                               Shown(watts), formats::EntryPhrase(std::string(*level))));
        } else {
            findings.Add(r.Column(MapField::Power), watts,
                         Phrase::Of(QT_TRANSLATE_NOOP("radio", "power %1 not supported: stored %2"),
                                    Shown(watts), formats::EntryPhrase(rules.Text(kColPower))));
        }
    }
    const std::string_view width = r.Text(MapField::Bandwidth);
    std::optional<bool> narrow = narrowMode ? std::optional<bool>(true) : std::nullopt;
    if (!width.empty()) {
        if (auto n = ReadNarrow(width))
            narrow = n;
        else
            findings.Add(
                r.Column(MapField::Bandwidth), width,
                Phrase::Of(QT_TRANSLATE_NOOP("radio", "bandwidth %1 not supported: stored %2"),
                           Shown(width), formats::EntryPhrase(rules.Text(kColBandwidth))));
    }
    if (narrow) (void)rules.SetEntry(kColBandwidth, *narrow ? "Narrow" : "Wide");

    const std::string_view scan = r.Text(MapField::Scan);
    if (!scan.empty()) {
        const bool skipColumn = Lower(r.Column(MapField::Scan)).find("skip") != std::string::npos;
        if (auto yes = ReadScan(scan, skipColumn))
            (void)rules.SetEntry(kColScanAdd, *yes ? "Yes" : "No");
        else
            findings.Add(
                r.Column(MapField::Scan), scan,
                Phrase::Of(QT_TRANSLATE_NOOP("radio", "scan %1 not supported: stored Scan Add %2"),
                           Shown(scan), formats::EntryPhrase(rules.Text(kColScanAdd))));
    }
    rules.SetName(r.Column(MapField::Name), r.Text(MapField::Name), findings);
}

}  // namespace

ChannelList ReadMappedList(const DelimitedTable& table, const ColumnMap& map) {
    ChannelList list;
    if (!table.status) {
        list.status = table.status;
        return list;
    }
    if (map[MapField::Rx] < 0) {
        list.status = Status::Error("the column map names no column for the Rx frequency");
        return list;
    }
    if (table.unclosedQuoteLine > 0) {
        list.findings.push_back(formats::UnclosedQuoteFinding(table.unclosedQuoteLine));
    }
    formats::PowerLevels power;
    for (const TextRecord& record : table.records)
        power.Note(MappedRecord(table, map, record).Text(MapField::Power));

    std::map<int, int> seen;  // location -> line of its first record
    int next = 1;             // the location of the next row taken, without a Location column
    formats::ChannelRules rules;
    for (const TextRecord& record : table.records) {
        if (IsBlank(record)) continue;
        const MappedRecord r(table, map, record);
        // The record has no location of its own: the line number the finding carries says where.
        const auto skip = [&](MapField f, std::string_view value, const Phrase& why) {
            Phrase skipped = Phrase::Of(QT_TRANSLATE_NOOP("radio", "%1: skipped"), why);
            list.findings.push_back({record.line, "", r.Column(f), std::string(value),
                                     skipped.English(), true, 0, std::move(skipped)});
        };
        const std::string_view mode = r.Text(MapField::Mode);
        const ModeKind kind = ReadMode(mode);
        if (kind == ModeKind::Digital) {
            skip(MapField::Mode, mode,
                 Phrase::Of(QT_TRANSLATE_NOOP("radio", "mode %1 is digital only"), Shown(mode)));
            continue;
        }
        const std::string_view rxText = r.Text(MapField::Rx);
        const auto rxHz = FrequencyHz(rxText);
        if (rxText.empty()) {
            skip(MapField::Rx, rxText, Phrase::Of(QT_TRANSLATE_NOOP("radio", "no Rx frequency")));
            continue;
        }
        if (!rxHz) {
            skip(MapField::Rx, rxText,
                 Phrase::Of(QT_TRANSLATE_NOOP("radio", "frequency %1 is not a frequency in MHz"),
                            Shown(rxText)));
            continue;
        }
        if (std::optional<Phrase> why = StartRx(rules, *rxHz)) {
            skip(MapField::Rx, rxText,
                 Phrase::Of(QT_TRANSLATE_NOOP("radio", "frequency %1 %2%3"), Shown(rxText), *why,
                            formats::UnitNotePhrase(rxText)));
            continue;
        }
        int location = next;
        if (r.Has(MapField::Location)) {
            const std::string_view text = r.Text(MapField::Location);
            const auto parsed = formats::ParseLocation(text);
            if (!parsed) {
                skip(MapField::Location, text,
                     Phrase::Of(QT_TRANSLATE_NOOP("radio", "channel number %1 is not a number"),
                                Shown(text)));
                continue;
            }
            location = *parsed;
        }
        if (auto [it, fresh] = seen.emplace(location, record.line); !fresh) {
            skip(
                MapField::Location, std::to_string(location),
                Phrase::Of(QT_TRANSLATE_NOOP("radio", "channel %1 listed again (first on line %2)"),
                           location, it->second));
            continue;
        }
        next = location + 1;

        ImportEntry entry{record.line, location, std::to_string(location), {}, {}, {}};
        formats::RecordFindings findings(record.line, entry.locationText);  // rules started above
        ReadTx(r, *rxHz, rules, findings);
        ReadTones(r, rules, findings);
        ReadSettings(r, kind == ModeKind::Narrow, power, rules, findings);
        entry.texts = rules.Texts();
        entry.refused = rules.Refused();
        entry.findings = findings.Take();
        list.entries.push_back(std::move(entry));
    }
    return list;
}

}  // namespace radio
