#pragma once

#include <string>
#include <vector>

#include "core/codec/channel_grid.h"
#include "core/config/language.h"
#include "core/image/radio_image.h"
#include "core/print/page_table.h"
#include "core/print/print_item.h"

namespace radio {

// One print job laid out page by page: page 1 the option sheet, then the channel sheets,
// each inside the frame. It reads the image and the grid as they are when a page is laid out.
class PrintLayout {
  public:
    PrintLayout(const RadioImage& image, const ChannelGrid& grid, Language lang,
                std::string ownerText);

    // Counts the pages as a job or a preview is prepared: the option sheet plus the channel
    // pages. The footer's "of" number stays as counted here for the whole job.
    int PreparePages();
    int LastPage() const { return m_lastPage; }

    // Everything drawn on `page` (from 1), in drawing order.
    std::vector<PrintItem> Page(int page, const PageMetrics& metrics);

    const PageTable& table() const { return m_table; }

  private:
    const RadioImage& m_image;
    const ChannelGrid& m_grid;
    Language m_lang;
    std::string m_ownerText;
    PageTable m_table;
    int m_lastPage = 1;
};

}  // namespace radio
