#include "core/print/page_table.h"

namespace radio {

int PageTable::CountChannelPages(const ChannelGrid& grid) {
    m_nChannelCount = 0;
    m_nPageEnd[0] = 0;
    for (int k = 1; k < kEntries; ++k) m_nPageEnd[k] = kLastRow;

    int k = 0;
    for (int row = 1; row <= kLastRow; ++row) {
        if (!grid.InUse(row)) continue;
        ++m_nChannelCount;
        // 200 rows fill at most 28 whole pages, so k never passes the last entry.
        if (m_nChannelCount % kChannelsPerPage == 0) m_nPageEnd[++k] = row;
    }
    return (m_nChannelCount + kChannelsPerPage - 1) / kChannelsPerPage;
}

int PageTable::FirstRow(int page) const {
    if (page < 2 || page > kEntries) return 1;
    return m_nPageEnd[page - 2] + 1;
}

int PageTable::LastRow(int page) const {
    if (page < 2 || page > kEntries) return 0;
    return m_nPageEnd[page - 1];
}

}  // namespace radio
