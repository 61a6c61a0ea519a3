#pragma once

#include "core/codec/channel_grid.h"

namespace radio {

// Operations on whole channel rows (1..200; Pr, row 1, included like any other). They move rows as
// a whole, texts and origin together, so an untouched channel keeps its record and name bytes
// wherever it ends up. Each returns false and changes nothing when its rows are not inside
// the grid.

// `count` empty rows at `row`; the rows from there move down and the last `count` fall off.
// An opened row saves as an erased record and name (all 0xFF).
bool InsertChannels(ChannelGrid& grid, int row, int count = 1);
// Removes `count` rows from `row`; the rows below move up and empty rows fill the end.
bool DeleteChannels(ChannelGrid& grid, int row, int count = 1);
// Rows top..bottom swap places with their neighbour above (up) or below: the block moves by
// one. False at the grid's edge.
bool MoveChannels(ChannelGrid& grid, int top, int bottom, bool up);
// Moves row `from` to row `to`; the rows in between close the gap (radioprog move).
bool MoveChannel(ChannelGrid& grid, int from, int to);
// `count` rows from `from` copied over the rows from `to` (texts and bytes: a true duplicate);
// overlapping ranges copy as if the source were read first.
bool CopyChannels(ChannelGrid& grid, int from, int to, int count = 1);
// Rows top..bottom ordered by Rx Frequency, lowest first, empty rows last; channels of equal
// frequency keep their order. By default the channels 1-199: Pr stays where it is.
bool SortByRxFrequency(ChannelGrid& grid, int top = 2, int bottom = kChannelCount);

// The rows a sort orders, given the selected rows top..bottom: exactly those when there are
// several (Pr only when it is one of them); with one row selected, the channels 1-199, since
// the priority channel is chosen by the user, not by its frequency.
struct RowSpan {
    int top = 2;
    int bottom = kChannelCount;
    friend bool operator==(const RowSpan&, const RowSpan&) = default;
};
RowSpan SortRows(int selectedTop, int selectedBottom);

// The rows an insert of `count` at `row` pushes off the end that hold a channel (the caller
// asks before losing them).
int ChannelsPushedOff(const ChannelGrid& grid, int row, int count = 1);

}  // namespace radio
