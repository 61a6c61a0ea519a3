#pragma once

#include <array>

#include "core/codec/channel_grid.h"

namespace radio {

// Which grid rows each channel page covers. Channel pages hold seven channels in use each;
// rows whose Rx Frequency is empty are skipped and take no room.
class PageTable {
  public:
    static constexpr int kChannelsPerPage = 7;
    static constexpr int kEntries = 30;  // 200 channels need 29 channel pages, plus entry 0
    static constexpr int kLastRow = ChannelGrid::kRows - 1;  // grid row of the last channel

    // Recounts the channels in use and rebuilds the table; returns the number of channel
    // pages. Every call starts afresh, so nothing of an earlier count survives.
    int CountChannelPages(const ChannelGrid& grid);

    // Grid rows of channel page `page` (page numbers from 2, as printed), inclusive. A page
    // outside the table gives an empty range (first > last).
    int FirstRow(int page) const;
    int LastRow(int page) const;

    int ChannelCount() const { return m_nChannelCount; }
    int PageEnd(int k) const { return m_nPageEnd.at(k); }

  private:
    // Entry k (1..29) is the grid row of the (7k)-th channel in use, or 200 when there are
    // fewer; entry 0 stays 0. Page p covers rows m_nPageEnd[p-2]+1 .. m_nPageEnd[p-1].
    std::array<int, kEntries> m_nPageEnd{};
    int m_nChannelCount = 0;
};

}  // namespace radio
