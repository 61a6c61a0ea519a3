#pragma once

#include <string>
#include <vector>

#include "core/codec/channel_grid.h"
#include "core/config/language.h"
#include "core/image/radio_image.h"
#include "core/print/page_table.h"
#include "core/print/print_item.h"

namespace radio {

// The frame every page carries, split around the sheet body as it is drawn: the double rule
// under the title and the rule above the footer first, the footer last. Both use the large
// font's line height.
std::vector<PrintItem> FrameRules(const PageMetrics& metrics);
std::vector<PrintItem> FrameFooter(const PageMetrics& metrics, int page, int lastPage,
                                   const std::string& ownerText);

// Page 1: the radio-wide options read from the image's option block.
std::vector<PrintItem> OptionSheet(const PageMetrics& metrics, const RadioImage& image,
                                   Language lang);

// Page `page` >= 2: up to seven channels in use from the grid's cell texts. Recounts `table`
// first, so the rows printed always match the grid as it is now.
std::vector<PrintItem> ChannelSheet(const PageMetrics& metrics, PageTable& table,
                                    const ChannelGrid& grid, int page, Language lang);

// Vertical distance of the k-th block (0-based) of a channel page from the first one.
int ChannelBlockOffset(int k, int smallLine);

}  // namespace radio
