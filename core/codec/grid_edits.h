#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/codec/channel_codec.h"
#include "core/codec/channel_grid.h"
#include "core/config/language.h"

namespace radio {

// A rectangle of channel cells: rows 1..200, columns 1..9, both ends included.
struct CellRange {
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;

    // The rectangle with these two corners, in any order, clamped to the channel cells.
    static CellRange Spanning(int row1, int col1, int row2, int col2);
    static CellRange Cell(int row, int col) { return Spanning(row, col, row, col); }
    static CellRange All() { return {1, 1, kChannelCount, kChannelColumns}; }

    int Rows() const { return bottom - top + 1; }
    int Cols() const { return right - left + 1; }
    bool Contains(int row, int col) const {
        return row >= top && row <= bottom && col >= left && col <= right;
    }
    bool IsCell() const { return top == bottom && left == right; }
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

// A text for one cell, as a paste or Fill Down delivers it.
struct CellText {
    int row = 1;
    int col = 1;
    std::string text;
    friend bool operator==(const CellText&, const CellText&) = default;
};

// A cell whose text did not land: the typing rules refused it (`result` says which rule) and
// the cell keeps what it held, or it was a setting for a row that has no channel (`result`
// Accepted, as typing it would be).
struct CellRejection {
    int row = 1;
    int col = 1;
    std::string text;
    CommitResult result = CommitResult::Accepted;
    std::string reason;  // "not on a 2.5 or 6.25 kHz step; the cell keeps its value"
};

// A name longer than the six characters the editor takes, stored cut to them.
struct NameCut {
    int row = 1;
    std::string text;    // as given
    std::string stored;  // what the cell holds now
    friend bool operator==(const NameCut&, const NameCut&) = default;
};

// What a paste or a fill did besides storing texts, for its one report.
struct CellsOutcome {
    std::vector<CellRejection> rejected;
    std::vector<NameCut> cutNames;
    int stored = 0;   // cells that hold their text now (some may have held it already)
    int skipped = 0;  // fills only: cells of rows without a channel, passed over quietly
};

// Stores each text in its cell exactly as typing it and leaving the cell would (CommitCellEdit:
// frequency range and step, a new channel's defaults, list entries of either language, radio
// names), in the order given. Blanks around a text are dropped and a name is cut to the six
// characters the editor takes. A text equal to what the cell shows is left alone, as passing
// through a cell stores nothing: a decoded value the rules would refuse today stays.
//
// A refused cell keeps its value and the row's other cells are still taken, except on a row
// without a channel whose Rx Frequency was refused: nothing can land there, and the one
// rejection of the frequency says so. Settings for a row without a channel are rejections too.
CellsOutcome ApplyCellTexts(ChannelGrid& grid, const std::vector<CellText>& cells, Language lang);

// Del on a selection: a cleared Rx Frequency deletes the channel (as typing nothing does); a
// cleared Tx Frequency or name is empty; a cleared list cell of a channel takes the value a new
// channel starts with, since a channel's lists cannot be empty.
void ClearCells(ChannelGrid& grid, const CellRange& range, Language lang);

// One text into every cell of `range`, row by row, through the typing rules (Ctrl+Enter). An
// Rx Frequency makes new channels as typing it does; the other cells of rows without a channel
// are counted in `skipped` rather than rejected, since a fill over a block of channels meets
// empty rows as a matter of course.
CellsOutcome FillCells(ChannelGrid& grid, const CellRange& range, std::string_view text,
                       Language lang);

// Ctrl+D: the top cell of each column of `range` into the cells below it, through the typing
// rules, row by row, as FillCells does. A range one row high takes the row above it instead,
// as spreadsheets do.
CellsOutcome FillDown(ChannelGrid& grid, const CellRange& range, Language lang);

// "channel Pr", "channel 12": how messages name the channel of a grid row.
std::string ChannelName(int row);

}  // namespace radio
