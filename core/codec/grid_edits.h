#pragma once

#include <string>
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

// A cell whose text did not land: the typing rules refused it (`result` says which rule), or
// it was a setting for a row that has no channel (`result` Accepted, as typing it would be).
struct CellRejection {
    int row = 1;
    int col = 1;
    std::string text;
    CommitResult result = CommitResult::Accepted;
    std::string reason;  // "not on a 2.5 or 6.25 kHz step; the channel is left empty"
};

// Stores each text in its cell exactly as typing it and leaving the cell would (CommitCellEdit:
// frequency range and step, a new channel's defaults, list entries of either language, radio
// names), in the order given. Blanks around a text are dropped and a name is cut to the six
// characters the editor takes. A text equal to what the cell shows is left alone, as passing
// through a cell stores nothing: a decoded value the rules would refuse today stays. Returns
// the cells that did not land, in the same order.
std::vector<CellRejection> ApplyCellTexts(ChannelGrid& grid, const std::vector<CellText>& cells,
                                          Language lang);

// Del on a selection: a cleared Rx Frequency deletes the channel (as typing nothing does); a
// cleared Tx Frequency or name is empty; a cleared list cell of a channel takes the value a new
// channel starts with, since a channel's lists cannot be empty.
void ClearCells(ChannelGrid& grid, const CellRange& range, Language lang);

// Ctrl+D: the top cell of each column of `range` into the cells below it, through the typing
// rules, row by row. A range one row high takes the row above it instead, as spreadsheets do.
std::vector<CellRejection> FillDown(ChannelGrid& grid, const CellRange& range, Language lang);

// "channel Pr", "channel 12": how messages name the channel of a grid row.
std::string ChannelName(int row);

}  // namespace radio
