#include "core/print/print_layout.h"

#include <utility>

#include "core/print/sheet_layout.h"

namespace radio {

PrintLayout::PrintLayout(const RadioImage& image, const ChannelGrid& grid, Language lang,
                         std::string ownerText)
    : m_image(image), m_grid(grid), m_lang(lang), m_ownerText(std::move(ownerText)) {}

int PrintLayout::PreparePages() {
    m_lastPage = m_table.CountChannelPages(m_grid) + 1;
    return m_lastPage;
}

std::vector<PrintItem> PrintLayout::Page(int page, const PageMetrics& metrics) {
    std::vector<PrintItem> items = FrameRules(metrics);
    std::vector<PrintItem> body = page == 1 ? OptionSheet(metrics, m_image, m_lang)
                                            : ChannelSheet(metrics, m_table, m_grid, page, m_lang);
    items.insert(items.end(), std::make_move_iterator(body.begin()),
                 std::make_move_iterator(body.end()));
    for (PrintItem& item : FrameFooter(metrics, page, m_lastPage, m_ownerText))
        items.push_back(std::move(item));
    return items;
}

}  // namespace radio
