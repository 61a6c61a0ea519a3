// Paste: any clipboard text onto any selection. The placed cells stay inside the grid, every
// changed row is storable, and a copy of the grid parses back to exactly its cells.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/codec/grid_edits.h"
#include "core/formats/grid_clipboard.h"
#include "tests/fuzz/fuzz_rows.h"

using namespace radio;

namespace {

// The copy of `range` parses back to the texts `grid` holds there, and to nothing more.
void CheckCopyParsesBack(const ChannelGrid& grid, const CellRange& range) {
    const ClipboardTable table = ParseClipboardText(CopyCellsText(grid, range));
    FUZZ_CHECK(!table.headingSkipped && !table.labelsSkipped, "a copy has no heading or labels");
    FUZZ_CHECK(static_cast<int>(table.rows.size()) == range.Rows(), "a copy keeps its rows");
    for (int r = 0; r < range.Rows(); ++r) {
        const auto& cells = table.rows[static_cast<std::size_t>(r)];
        FUZZ_CHECK(static_cast<int>(cells.size()) == range.Cols(), "a copy keeps its columns");
        for (int c = 0; c < range.Cols(); ++c)
            FUZZ_CHECK(
                cells[static_cast<std::size_t>(c)] == grid.Text(range.top + r, range.left + c),
                "a copied cell parses back to its text");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const Language lang = data[0] & 1 ? Language::Chinese : Language::English;
    const int top = 1 + data[1] % kChannelCount;
    const int left = 1 + data[2] % kChannelColumns;
    const CellRange selection =
        CellRange::Spanning(top, left, top + data[3] % 8, left + data[4] % 4);
    const std::string_view text(reinterpret_cast<const char*>(data + 5), size - 5);

    const ClipboardTable table = ParseClipboardText(text);
    const PastePlacement placement = PlacePaste(table, selection);
    const CellRange& range = placement.range;
    FUZZ_CHECK(range.top >= 1 && range.left >= 1 && range.bottom <= kChannelCount &&
                   range.right <= kChannelColumns && range.top <= range.bottom &&
                   range.left <= range.right,
               "the pasted range lies inside the grid");
    FUZZ_CHECK(range.top == selection.top && range.left == selection.left,
               "a paste starts at the selection's top-left cell");
    int previous = 0;
    for (const CellText& cell : placement.cells) {
        FUZZ_CHECK(range.Contains(cell.row, cell.col), "a pasted cell lies inside its range");
        const int order = cell.row * 16 + cell.col;
        FUZZ_CHECK(order > previous, "cells come in row order, left to right, once each");
        previous = order;
    }
    if (!(table.rows.size() == 1 && table.rows[0].size() == 1)) {
        FUZZ_CHECK(range.Rows() + placement.rowsCut == static_cast<int>(table.rows.size()) ||
                       table.rows.empty(),
                   "every row of the text is placed or counted as cut");
    }

    // The cells as the rules store them in a grid of decoded rows, one channel among them.
    RadioImage image = RadioImage::Blank();
    ChannelTexts used = NewChannelTexts("145.00000", Language::English);
    used[kColName - 1] = "RPT";
    (void)EncodeChannelRow(used, image, selection.top - 1);
    ChannelGrid grid(lang);
    DecodeImageToGrid(image, grid, lang);
    const ChannelGrid before = grid;
    const CellsOutcome outcome = ApplyCellTexts(grid, placement.cells, lang);
    for (const CellRejection& r : outcome.rejected)
        FUZZ_CHECK(range.Contains(r.row, r.col), "a rejected cell is a pasted one");
    for (const NameCut& cut : outcome.cutNames)
        FUZZ_CHECK(
            grid.Text(cut.row, kColName) == cut.stored && cut.stored.size() < cut.text.size(),
            "a cut name is stored cut");
    for (int row = 1; row <= kChannelCount; ++row) {
        if (row < range.top || row > range.bottom) {
            FUZZ_CHECK(grid.RowState(row) == before.RowState(row), "rows outside stay");
            continue;
        }
        fuzz::CheckRowIsStorable(grid, row);
    }
    CheckCopyParsesBack(grid, range);

    // Raw texts, whatever bytes they hold, survive a copy as well.
    ChannelGrid raw(lang);
    for (const CellText& cell : placement.cells) raw.SetText(cell.row, cell.col, cell.text);
    CheckCopyParsesBack(raw, range);
    return 0;
}
