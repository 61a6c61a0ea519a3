#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/codec/channel_grid.h"

namespace radio {

// Some rows of a ChannelGrid, texts and origins, packed into one buffer: what one undo step
// keeps of the grid. A full grid copy takes some 130 KB of strings; the rows a change touched,
// packed, take a few dozen bytes each.
//
// A patch is swapped, never just applied: SwapWith puts the kept rows into the grid and keeps
// what the grid held there instead, so one copy serves both undo and redo.
class RowPatch {
  public:
    RowPatch() = default;

    // The rows where `before` and `after` differ (texts or origin), as `before` holds them.
    static RowPatch Between(const ChannelGrid& before, const ChannelGrid& after);
    // The given rows (1..200; others are skipped) as `grid` holds them.
    static RowPatch Capture(const ChannelGrid& grid, const std::vector<int>& rows);

    // Exchanges the kept rows with the grid's rows of the same numbers.
    void SwapWith(ChannelGrid& grid);

    bool Empty() const { return m_rows.empty(); }
    std::vector<int> Rows() const;
    // What the patch holds on the heap and in itself, in bytes.
    std::size_t MemoryBytes() const;

  private:
    std::vector<std::uint8_t> m_rows;  // record numbers 0..199, ascending
    std::string m_packed;              // their GridRows, one after the other
};

}  // namespace radio
