// The TAB-separated listing of `radioprog dump`: the grid's own texts, so it reads back
// without loss.

#include <array>
#include <map>
#include <optional>

#include "core/codec/edit_rules.h"
#include "core/formats/channel_entry.h"
#include "core/formats/channel_list.h"
#include "core/formats/delimited_text.h"

namespace radio {

namespace {

using formats::ChannelRules;
using formats::RecordFindings;
using formats::Shown;

// The grid pads labels to three places ("  1"); a TAB-separated listing wants them bare.
std::string BareLabel(int row) {
    std::string label = ChannelGrid::RowLabel(row);
    label.erase(0, label.find_first_not_of(' '));
    return label;
}

bool IsHeading(std::string_view text, int col) {
    return EqualsNoCase(text, ChannelGrid::Heading(col, Language::English)) ||
           text == ChannelGrid::Heading(col, Language::Chinese);
}

// Which field holds grid column 1..9, found by heading of either language; -1 when missing.
using TsvColumns = std::array<int, ChannelGrid::kCols>;

std::string_view FieldOf(const TextRecord& record, const TsvColumns& columns, int col) {
    const int i = columns[static_cast<std::size_t>(col)];
    if (i < 0 || static_cast<std::size_t>(i) >= record.fields.size()) return {};
    return TrimBlanks(record.fields[static_cast<std::size_t>(i)]);
}

void ReadChannel(const TextRecord& record, const TsvColumns& columns, ChannelRules& rules,
                 RecordFindings& findings) {
    const auto heading = [](int col) { return ChannelGrid::Heading(col, Language::English); };

    const std::string_view tx = FieldOf(record, columns, kColTxFreq);
    if (tx.empty()) {
        rules.ClearTx();
    } else {
        const auto txHz = formats::ParseMHz(tx);
        const CommitResult result = txHz ? rules.SetTx(*txHz) : CommitResult::OutOfRange;
        if (result != CommitResult::Accepted) {
            rules.KeepTx();
            findings.Add(heading(kColTxFreq), tx,
                         Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                                      "transmit frequency %1 %2: kept the stored "
                                                      "Tx Frequency (none on a new channel)"),
                                    Shown(tx),
                                    txHz ? formats::RefusalPhrase(result)
                                         : Phrase::Of(QT_TRANSLATE_NOOP(
                                               "radio", "is not a frequency in MHz"))));
        }
    }

    for (int col = kColRxTone; col <= kColBandwidth; ++col) {
        if (columns[static_cast<std::size_t>(col)] < 0) continue;  // the new channel's default
        const std::string_view text = FieldOf(record, columns, col);
        if (!rules.SetEntry(col, text)) {
            findings.Add(heading(col), text,
                         Phrase::Of(QT_TRANSLATE_NOOP(
                                        "radio", "%1 %2 is not an entry of its list: stored %3"),
                                    Phrase::Of(heading(col).data()), Shown(text),
                                    formats::EntryPhrase(rules.Text(col))));
        }
    }
    rules.SetName(heading(kColName), FieldOf(record, columns, kColName), findings);
}

}  // namespace

ChannelList ReadChannelTsv(std::string_view bytes) {
    ChannelList list;
    const SplitText split = SplitDelimited(bytes, '\t');
    auto record = split.records.begin();
    TsvColumns columns;
    columns.fill(-1);
    if (record != split.records.end() && !record->fields.empty() &&
        IsHeading(TrimBlanks(record->fields[0]), 0)) {
        for (std::size_t i = 1; i < record->fields.size(); ++i) {
            for (int col = 1; col < ChannelGrid::kCols; ++col) {
                if (columns[col] < 0 && IsHeading(TrimBlanks(record->fields[i]), col))
                    columns[col] = static_cast<int>(i);
            }
        }
    }
    if (columns[kColRxFreq] < 0) {
        list.status = Status::Error(
            "not a channel listing of radioprog dump: its first line must hold the headings "
            "CH and Rx Frequency, TAB-separated");
        return list;
    }
    columns[0] = 0;

    std::map<int, int> seen;  // location -> line of its first record
    ChannelRules rules;       // one scratch row for all records: Start clears it
    for (++record; record != split.records.end(); ++record) {
        const std::string_view label = TrimBlanks(record->fields[0]);
        if (label.empty() && record->fields.size() == 1) continue;  // a line of blanks
        const std::optional<int> location =
            EqualsNoCase(label, "Pr") ? std::optional<int>(0) : formats::ParseLocation(label);
        if (!location) {
            list.findings.push_back(formats::NotAChannelNumberFinding(record->line, label, "CH"));
            continue;
        }
        const std::string labelText = *location == 0 ? "Pr" : std::to_string(*location);
        RecordFindings skipped(record->line, labelText);
        if (auto [it, fresh] = seen.emplace(*location, record->line); !fresh) {
            skipped.Skip(
                "CH", label,
                Phrase::Of(QT_TRANSLATE_NOOP("radio", "listed again (first on line %1): skipped"),
                           it->second));
            for (ImportFinding& f : skipped.Take()) list.findings.push_back(std::move(f));
            continue;
        }

        ImportEntry entry{record->line, *location, labelText, {}, {}, {}};
        const std::string_view rx = FieldOf(*record, columns, kColRxFreq);
        if (!rx.empty()) {
            RecordFindings findings(record->line, labelText);
            (void)rules.StartText("Rx Frequency", rx, "Rx Frequency", findings);
            ReadChannel(*record, columns, rules, findings);
            entry.texts = rules.Texts();
            entry.refused = rules.Refused();
            entry.findings = findings.Take();
        }
        list.entries.push_back(std::move(entry));
    }
    return list;
}

std::string WriteChannelTsv(const ChannelGrid& grid) {
    std::string out = "CH";
    for (int col = 1; col < ChannelGrid::kCols; ++col) {
        out += '\t';
        out += ChannelGrid::Heading(col, grid.language());
    }
    out += '\n';
    for (int row = 1; row < ChannelGrid::kRows; ++row) {
        out += BareLabel(row);
        for (int col = 1; col < ChannelGrid::kCols; ++col) {
            out += '\t';
            out += grid.Text(row, col);
        }
        out += '\n';
    }
    return out;
}

}  // namespace radio
