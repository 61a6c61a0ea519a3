#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/codec/channel_grid.h"
#include "core/codec/grid_edits.h"

namespace radio {

// The grid's cells on the clipboard: TAB-separated text, the texts the grid shows, one line
// per row, so a copy goes into any spreadsheet and back.

// Cells of `range` as clipboard text. A text holding a TAB, a line end or a leading quote, or
// one a paste would take for a heading, is quoted as spreadsheets quote, so that parsing the
// copy gives back exactly these texts.
std::string CopyCellsText(const ChannelGrid& grid, const CellRange& range);

// Clipboard text as rows of cells. Accepts this grid's copies, spreadsheets' (CRLF, LF or CR
// line ends, a trailing line end, quoted cells with TABs, line ends and doubled quotes) and
// `radioprog dump` output: a first line of grid headings (either language) is skipped, and
// so is a first column of row labels ("Pr", 1-199) under a heading "CH" or, without a heading,
// on lines of exactly ten cells as dump writes them. Pure and total: any bytes give a table.
struct ClipboardTable {
    std::vector<std::vector<std::string>> rows;  // rows may differ in length
    bool headingSkipped = false;
    bool labelsSkipped = false;
    int Width() const;
};
ClipboardTable ParseClipboardText(std::string_view text);

// Where a table lands when pasted onto `selection`: from its top-left cell right and down, or,
// for a single value and a selection of several cells, into every selected cell. What would
// fall past row 200 or column 9 is left out and counted.
struct PastePlacement {
    std::vector<CellText> cells;  // row order, left to right; all inside the grid
    CellRange range;              // the cells the placement covers
    int rowsCut = 0;              // table rows past the last channel
    int colsCut = 0;              // table columns past Cha Name
};
PastePlacement PlacePaste(const ClipboardTable& table, const CellRange& selection);

}  // namespace radio
