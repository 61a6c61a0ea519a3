#include "core/formats/channel_import.h"

#include <algorithm>

#include "core/codec/edit_rules.h"
#include "core/formats/channel_entry.h"
#include "core/formats/column_map.h"
#include "core/formats/delimited_text.h"
#include "core/formats/text_encoding.h"

namespace radio {

namespace {

bool LooksLikeDump(std::string_view bytes) {
    const SplitText head = SplitDelimited(bytes.substr(0, bytes.find_first_of("\r\n")), '\t');
    if (head.records.empty() || head.records[0].fields.size() < 2) return false;
    const std::string_view first = TrimBlanks(head.records[0].fields[0]);
    return first == ChannelGrid::Heading(0, Language::English) ||
           first == ChannelGrid::Heading(0, Language::Chinese);
}

// The entry's English list texts in the grid's language.
ChannelTexts InLanguage(ChannelTexts texts, Language lang) {
    for (int col = kColRxTone; col <= kColBandwidth; ++col) {
        std::string& text = texts[static_cast<std::size_t>(col - 1)];
        if (auto entry = ResolveListEntry(col, text, lang)) text = *entry;
    }
    return texts;
}

// Why a list gave no channel: a unit mistake is named first, since it explains every row.
Phrase NothingImported(const std::vector<ImportFinding>& findings) {
    std::size_t skipped = 0;
    for (const ImportFinding& f : findings) {
        if (!f.rowSkipped) continue;
        ++skipped;
        if (auto unit = formats::FrequencyUnit(f.value))
            return Phrase::Of(QT_TRANSLATE_NOOP("radio",
                                                "frequencies look like %1: %2 (the file must give "
                                                "MHz)"),
                              std::string(*unit), formats::Shown(f.value));
    }
    if (skipped == 0) return Phrase::Of(QT_TRANSLATE_NOOP("radio", "the file lists no channels"));
    return Phrase::Of(skipped == 1 ? QT_TRANSLATE_NOOP("radio",
                                                       "none of its %1 channel could be taken "
                                                       "(see the findings)")
                                   : QT_TRANSLATE_NOOP("radio",
                                                       "none of its %1 channels could be taken "
                                                       "(see the findings)"),
                      skipped);
}

}  // namespace

ChannelList ReadChannelList(std::string_view bytes) {
    // Spreadsheets save "Unicode text" as UTF-16 with a byte order mark.
    if (Utf16ByteOrder(bytes)) {
        std::string utf8;
        if (Status st = Utf16ToUtf8(bytes, utf8); !st) return ChannelList{st, {}, {}};
        return ReadChannelList(utf8);
    }
    std::string_view body = bytes;
    if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
    body.remove_prefix(std::min(body.find_first_not_of(" \t\r\n"), body.size()));
    if (LooksLikeDump(body)) return ReadChannelTsv(bytes);
    // A repeater directory's download reads through the map its header suggests.
    if (const DelimitedTable table = ReadDelimitedTable(bytes);
        table.status && ShapeOfHeader(table) == HeaderShape::Directory)
        return ReadMappedList(table, GuessColumnMap(table.header.fields));
    return ReadChannelCsv(bytes);
}

ImportResult ApplyImport(const ChannelGrid& current, const ChannelList& list,
                         const ImportOptions& options) {
    ImportResult result{current, list.findings, {}, 0, 0, {}, {}, {}};
    ChannelGrid& grid = result.grid;
    if (!options.merge) {
        for (int row = 1; row < ChannelGrid::kRows; ++row) grid.ClearRow(row);
    }

    // The shift moves the file's lowest channel to the start row; empty locations do not
    // count, or a listing of every row would always start at Pr.
    int shift = 0;
    if (options.startRow > 0) {
        int lowest = -1;
        for (const ImportEntry& e : list.entries) {
            if (!e.Empty() && (lowest < 0 || e.location < lowest)) lowest = e.location;
        }
        if (lowest >= 0) shift = (options.startRow - 1) - lowest;
    }

    for (const ImportEntry& e : list.entries) {
        const int channel = e.location + shift;
        if (channel < 0 || channel >= kChannelCount) {
            if (shift != 0 && e.Empty()) continue;  // an empty row moved off the end: nothing lost
            Phrase why =
                shift != 0
                    ? Phrase::Of(
                          QT_TRANSLATE_NOOP("radio",
                                            "location %1: moved to channel %2, beyond channel "
                                            "%3: skipped"),
                          e.locationText, channel, kChannelCount - 1)
                    : Phrase::Of(
                          QT_TRANSLATE_NOOP("radio", "location %1: beyond channel %2: skipped"),
                          e.locationText, kChannelCount - 1);
            std::string text = why.English();
            result.findings.push_back({e.line, e.locationText, "Location", e.locationText,
                                       std::move(text), true, 0, std::move(why)});
            continue;
        }
        for (ImportFinding f : e.findings) {
            f.row = channel + 1;
            result.findings.push_back(std::move(f));
        }
        ChannelTexts texts = InLanguage(e.texts, grid.language());
        // A refused cell keeps what the row holds: a channel its value; a row without one stays
        // empty on a refused Rx Frequency, and a new channel gets no Tx Frequency the file did
        // not give, rather than transmitting on its receive frequency.
        const ChannelTexts own = current.RowTexts(channel + 1);
        if (own[kColRxFreq - 1].empty() && e.refused[kColRxFreq - 1]) {
            grid.SetRowTexts(channel + 1, own);
            continue;
        }
        for (std::size_t k = 0; k < texts.size(); ++k) {
            if (e.refused[k]) texts[k] = own[k];
        }
        grid.SetRowTexts(channel + 1, texts);
        // A refused Rx Frequency is no channel of the file taken, though the row keeps what
        // else it gave; an import of nothing but such rows changes nothing.
        if (!e.Empty() && !e.refused[kColRxFreq - 1]) {
            ++result.stored;
            result.importedRows.push_back(channel + 1);
        }
    }
    std::sort(result.importedRows.begin(), result.importedRows.end());
    result.importedRows.erase(std::unique(result.importedRows.begin(), result.importedRows.end()),
                              result.importedRows.end());

    std::stable_sort(
        result.findings.begin(), result.findings.end(),
        [](const ImportFinding& a, const ImportFinding& b) { return a.line < b.line; });
    result.skipped =
        static_cast<int>(std::count_if(result.findings.begin(), result.findings.end(),
                                       [](const ImportFinding& f) { return f.rowSkipped; }));
    if (result.stored == 0) {
        result.nothingImportedPhrase = NothingImported(result.findings);
        result.nothingImported = result.nothingImportedPhrase.English();
        result.grid = current;
        return result;
    }
    for (int row = 1; row < ChannelGrid::kRows; ++row) {
        if (grid.RowTexts(row) != current.RowTexts(row)) result.changedRows.push_back(row);
    }
    return result;
}

Phrase ImportFindingPhrase(const ImportFinding& f) {
    const std::string text = ImportFindingText(f);
    if (f.phrase.pattern.empty()) return Phrase::Text(text);
    if (text == f.text) return f.phrase;
    // Moved: the grid's channel first, the file's location in brackets, then what was found
    // (the second place of "location %1: %2").
    const std::string channel = f.row == 1 ? "Pr" : std::to_string(f.row - 1);
    return Phrase::Of(QT_TRANSLATE_NOOP("radio", "channel %1 (file location %2): %3"), channel,
                      f.location,
                      f.phrase.args.size() == 2 ? f.phrase.args[1] : Phrase::Text(f.text));
}

std::string ImportFindingText(const ImportFinding& f) {
    const std::string prefix = "location " + f.location + ": ";
    if (f.row <= 0 || !f.text.starts_with(prefix)) return f.text;
    // Where the channel kept its location, the file's number is the grid's.
    const std::string channel = f.row == 1 ? "Pr" : std::to_string(f.row - 1);
    if (f.location == channel || f.location == std::to_string(f.row - 1)) return f.text;
    return "channel " + channel + " (file location " + f.location +
           "): " + f.text.substr(prefix.size());
}

}  // namespace radio
