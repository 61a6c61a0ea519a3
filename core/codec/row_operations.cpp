#include "core/codec/row_operations.h"

#include <algorithm>
#include <vector>

#include "core/codec/decimal.h"

namespace radio {

namespace {

bool ValidRows(int top, int count) {
    return count >= 1 && top >= 1 && top <= kChannelCount && count <= kChannelCount - top + 1;
}

std::vector<GridRow> Take(const ChannelGrid& grid, int top, int count) {
    std::vector<GridRow> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int row = top; row < top + count; ++row) rows.push_back(grid.RowState(row));
    return rows;
}

// A row an insert or delete opens: no channel, as decoded from an erased record and name (all
// 0xFF). With an origin of its own it saves the same bytes whatever the image held there
// before, so undoing back to it and saving gives the bytes saving at once would have.
GridRow BlankRow() {
    GridRow row;
    RowOrigin& origin = row.origin.emplace();
    origin.record.fill(0xFF);
    origin.name.fill(0xFF);
    return row;
}

void Put(ChannelGrid& grid, int top, std::vector<GridRow> rows) {
    for (GridRow& state : rows) grid.SetRowState(top++, std::move(state));
}

// Rows first..first+count-1 turned by one: the first goes to the end (`toEnd`), or the last
// comes to the front.
void RotateRows(ChannelGrid& grid, int first, int count, bool toEnd) {
    std::vector<GridRow> rows = Take(grid, first, count);
    if (toEnd)
        std::rotate(rows.begin(), rows.begin() + 1, rows.end());
    else
        std::rotate(rows.begin(), rows.end() - 1, rows.end());
    Put(grid, first, std::move(rows));
}

}  // namespace

bool InsertChannels(ChannelGrid& grid, int row, int count) {
    if (!ValidRows(row, count)) return false;
    std::vector<GridRow> rows = Take(grid, row, kChannelCount - row + 1);
    rows.insert(rows.begin(), static_cast<std::size_t>(count), BlankRow());
    rows.resize(rows.size() - static_cast<std::size_t>(count));
    Put(grid, row, std::move(rows));
    return true;
}

bool DeleteChannels(ChannelGrid& grid, int row, int count) {
    if (!ValidRows(row, count)) return false;
    std::vector<GridRow> rows = Take(grid, row + count, kChannelCount - row - count + 1);
    rows.resize(rows.size() + static_cast<std::size_t>(count), BlankRow());
    Put(grid, row, std::move(rows));
    return true;
}

bool MoveChannels(ChannelGrid& grid, int top, int bottom, bool up) {
    if (bottom < top || !ValidRows(top, bottom - top + 1)) return false;
    if (up ? top == 1 : bottom == kChannelCount) return false;
    // The neighbour passes over the block: a rotation by one of the block and the neighbour.
    RotateRows(grid, up ? top - 1 : top, bottom - top + 2, up);
    return true;
}

bool MoveChannel(ChannelGrid& grid, int from, int to) {
    if (!ValidRows(from, 1) || !ValidRows(to, 1)) return false;
    const int first = std::min(from, to);
    RotateRows(grid, first, std::max(from, to) - first + 1, from < to);
    return true;
}

bool CopyChannels(ChannelGrid& grid, int from, int to, int count) {
    if (!ValidRows(from, count) || !ValidRows(to, count)) return false;
    Put(grid, to, Take(grid, from, count));
    return true;
}

bool SortByRxFrequency(ChannelGrid& grid, int top, int bottom) {
    if (bottom < top || !ValidRows(top, bottom - top + 1)) return false;
    std::vector<GridRow> rows = Take(grid, top, bottom - top + 1);
    std::stable_sort(rows.begin(), rows.end(), [](const GridRow& a, const GridRow& b) {
        const bool aEmpty = a.texts[0].empty(), bEmpty = b.texts[0].empty();
        if (aEmpty || bEmpty) return !aEmpty && bEmpty;
        return FrequencyUnits(a.texts[0]) < FrequencyUnits(b.texts[0]);
    });
    Put(grid, top, std::move(rows));
    return true;
}

RowSpan SortRows(int selectedTop, int selectedBottom) {
    const int top = std::clamp(std::min(selectedTop, selectedBottom), 1, kChannelCount);
    const int bottom = std::clamp(std::max(selectedTop, selectedBottom), 1, kChannelCount);
    if (top == bottom) return {};
    return {top, bottom};
}

int ChannelsPushedOff(const ChannelGrid& grid, int row, int count) {
    if (!ValidRows(row, count)) return 0;
    int used = 0;
    for (int r = kChannelCount - count + 1; r <= kChannelCount; ++r) used += grid.InUse(r);
    return used;
}

}  // namespace radio
