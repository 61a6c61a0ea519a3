#include "core/formats/channel_import.h"

#include <algorithm>

#include "core/codec/edit_rules.h"
#include "core/formats/delimited_text.h"

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

}  // namespace

ChannelList ReadChannelList(std::string_view bytes) {
    std::string_view body = bytes;
    if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
    body.remove_prefix(std::min(body.find_first_not_of(" \t\r\n"), body.size()));
    return LooksLikeDump(body) ? ReadChannelTsv(bytes) : ReadChannelCsv(bytes);
}

ImportResult ApplyImport(const ChannelGrid& current, const ChannelList& list,
                         const ImportOptions& options) {
    ImportResult result{current, list.findings, {}, 0, {}};
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
            std::string why = "location " + e.locationText + ": ";
            if (shift != 0) why += "moved to channel " + std::to_string(channel) + ", ";
            why += "beyond channel " + std::to_string(kChannelCount - 1) + ": skipped";
            result.findings.push_back(
                {e.line, e.locationText, "Location", e.locationText, std::move(why)});
            continue;
        }
        grid.SetRowTexts(channel + 1, InLanguage(e.texts, grid.language()));
        for (ImportFinding f : e.findings) {
            f.row = channel + 1;
            result.findings.push_back(std::move(f));
        }
        if (!e.Empty()) {
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
    for (int row = 1; row < ChannelGrid::kRows; ++row) {
        if (grid.RowTexts(row) != current.RowTexts(row)) result.changedRows.push_back(row);
    }
    return result;
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
