#include "core/codec/grid_edits.h"

#include <algorithm>
#include <set>

#include "core/codec/edit_rules.h"
#include "core/config/phrase.h"

namespace radio {

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Marked texts: the desktop program shows them translated.
std::string ReasonFor(CommitResult result, int col, bool hadChannel) {
    const bool staysEmpty = col == kColRxFreq && !hadChannel;
    switch (result) {
        case CommitResult::OutOfRange:
            return staysEmpty ? QT_TRANSLATE_NOOP("radio",
                                                  "out of range (136-175 and 400-520 MHz); the "
                                                  "row stays empty")
                              : QT_TRANSLATE_NOOP("radio",
                                                  "out of range (136-175 and 400-520 MHz); the "
                                                  "cell keeps its value");
        case CommitResult::StepError:
            return staysEmpty
                       ? QT_TRANSLATE_NOOP("radio",
                                           "not on a 2.5 or 6.25 kHz step; the row stays empty")
                       : QT_TRANSLATE_NOOP(
                             "radio", "not on a 2.5 or 6.25 kHz step; the cell keeps its value");
        case CommitResult::NotAnEntry:
            return QT_TRANSLATE_NOOP("radio", "not an entry of the list; the cell keeps its value");
        case CommitResult::NameRefused:
            return QT_TRANSLATE_NOOP(
                "radio", "not a radio name (0-9, A-Z, - and _); the cell keeps its value");
        case CommitResult::Accepted:
            break;
    }
    return QT_TRANSLATE_NOOP("radio", "the channel has no Rx Frequency, so it takes no settings");
}

// Pastes report a setting for a row without a channel; fills pass over such cells quietly.
enum class EmptyRows { Report, Skip };

CellsOutcome Apply(ChannelGrid& grid, const std::vector<CellText>& cells, Language lang,
                   EmptyRows emptyRows) {
    CellsOutcome out;
    std::set<int> refusedRows;  // rows without a channel whose Rx Frequency was refused
    for (const CellText& cell : cells) {
        if (cell.row < 1 || cell.row > kChannelCount || cell.col < 1 || cell.col > kChannelColumns)
            continue;
        // Nothing can land on such a row, and the one report of its frequency says so.
        if (refusedRows.contains(cell.row)) continue;
        const bool hadChannel = grid.InUse(cell.row);
        if (emptyRows == EmptyRows::Skip && cell.col != kColRxFreq && !hadChannel) {
            ++out.skipped;
            continue;
        }
        std::string text = Trimmed(cell.text);
        bool cut = false;
        if (cell.col == kColName) {
            // The editor takes six characters; the rest of a longer name would never be typed.
            text = UpperAscii(text);
            cut = text.size() > kChannelNameLength;
            text.resize(std::min(text.size(), kChannelNameLength));
        }
        if (text != grid.Text(cell.row, cell.col)) {
            const CommitResult result = CommitCellEdit(grid, cell.row, cell.col, text, lang);
            if (result != CommitResult::Accepted) {
                if (cell.col == kColRxFreq && !hadChannel) refusedRows.insert(cell.row);
                out.rejected.push_back({cell.row, cell.col, cell.text, result,
                                        ReasonFor(result, cell.col, hadChannel)});
                continue;
            }
            // A setting for a row without a channel is dropped by the rules without a word; a
            // paste says so.
            if (!text.empty() && grid.Text(cell.row, cell.col).empty()) {
                out.rejected.push_back({cell.row, cell.col, cell.text, result,
                                        ReasonFor(result, cell.col, hadChannel)});
                continue;
            }
        }
        ++out.stored;
        if (cut) out.cutNames.push_back({cell.row, Trimmed(cell.text), text});
    }
    return out;
}

}  // namespace

CellRange CellRange::Spanning(int row1, int col1, int row2, int col2) {
    const auto row = [](int r) { return std::clamp(r, 1, kChannelCount); };
    const auto col = [](int c) { return std::clamp(c, 1, kChannelColumns); };
    return {row(std::min(row1, row2)), col(std::min(col1, col2)), row(std::max(row1, row2)),
            col(std::max(col1, col2))};
}

std::string ChannelName(int row) {
    std::string label = ChannelGrid::RowLabel(row);
    label.erase(0, label.find_first_not_of(' '));
    return "channel " + label;
}

CellsOutcome ApplyCellTexts(ChannelGrid& grid, const std::vector<CellText>& cells, Language lang) {
    return Apply(grid, cells, lang, EmptyRows::Report);
}

void ClearCells(ChannelGrid& grid, const CellRange& range, Language lang) {
    const CellRange r = CellRange::Spanning(range.top, range.left, range.bottom, range.right);
    for (int row = r.top; row <= r.bottom; ++row) {
        if (r.left == kColRxFreq) {
            grid.ClearRow(row);
            continue;
        }
        const ChannelTexts defaults = NewChannelTexts(std::string(), lang);
        const bool inUse = grid.InUse(row);
        for (int col = r.left; col <= r.right; ++col) {
            const bool list = col >= kColRxTone && col <= kColBandwidth;
            grid.SetText(
                row, col,
                list && inUse ? defaults[static_cast<std::size_t>(col - 1)] : std::string());
        }
    }
}

CellsOutcome FillCells(ChannelGrid& grid, const CellRange& range, std::string_view text,
                       Language lang) {
    const CellRange r = CellRange::Spanning(range.top, range.left, range.bottom, range.right);
    std::vector<CellText> cells;
    cells.reserve(static_cast<std::size_t>(r.Rows() * r.Cols()));
    for (int row = r.top; row <= r.bottom; ++row) {
        for (int col = r.left; col <= r.right; ++col)
            cells.push_back({row, col, std::string(text)});
    }
    return Apply(grid, cells, lang, EmptyRows::Skip);
}

CellsOutcome FillDown(ChannelGrid& grid, const CellRange& range, Language lang) {
    CellRange r = CellRange::Spanning(range.top, range.left, range.bottom, range.right);
    if (r.top == r.bottom) {
        if (r.top == 1) return {};
        --r.top;
    }
    std::vector<CellText> cells;
    for (int row = r.top + 1; row <= r.bottom; ++row) {
        for (int col = r.left; col <= r.right; ++col)
            cells.push_back({row, col, grid.Text(r.top, col)});
    }
    return Apply(grid, cells, lang, EmptyRows::Skip);
}

}  // namespace radio
