#include "core/print/sheet_layout.h"

#include "core/options/option_values.h"

namespace radio {

namespace {

// The fields of a channel block, in print order: line below the block's top, right half or
// left, the label of either language, and the grid column shown.
struct ChannelField {
    int line;
    bool right;
    const char* english;
    const char* chinese;
    int col;
};
constexpr ChannelField kChannelFields[] = {
    {5, false, "Receive Frequency:", "接收频率:", kColRxFreq},
    {5, true, "Transceive Frequency:", "发射频率:", kColTxFreq},
    {6, false, "QT/DQT Decode:", "QT/DQT解码:", kColRxTone},
    {6, true, "QT/DQT Encode:", "QT/DQT编码:", kColTxTone},
    {7, false, "Power:", "功率:", kColPower},
    {7, true, "Channel Lock:", "信道锁定:", kColLock},
    {8, false, "Channel Name:", "信道名字:", kColName},
};

std::string WithNumber(std::string_view text, int n) {
    // Every numbered text ends in "%d:" or "%d"; keep the suffix after the number.
    const auto at = text.find("%d");
    return std::string(text.substr(0, at)) + std::to_string(n) + std::string(text.substr(at + 2));
}

}  // namespace

std::vector<PrintItem> FrameRules(const PageMetrics& m) {
    const int u = m.geometry.u;
    const int l = m.largeLine;
    return {
        PrintItem::Rule(5 * u, 60 * u, -2 * l - 50),
        PrintItem::Rule(5 * u, 60 * u, -2 * l - 120),
        PrintItem::Rule(5 * u, 60 * u, -36 * l + l / 2),
    };
}

std::vector<PrintItem> FrameFooter(const PageMetrics& m, int page, int lastPage,
                                   const std::string& ownerText) {
    const int u = m.geometry.u;
    const int y = -36 * m.largeLine;
    std::vector<PrintItem> items;
    if (!ownerText.empty()) items.push_back(PrintItem::Text(FontRole::Small, 10 * u, y, ownerText));
    items.push_back(
        PrintItem::Text(FontRole::Small, 45 * u, y,
                        "Page " + std::to_string(page) + " of " + std::to_string(lastPage)));
    return items;
}

std::vector<PrintItem> OptionSheet(const PageMetrics& m, const RadioImage& image, Language lang) {
    const int u = m.geometry.u;
    const int l = m.smallLine;
    std::vector<PrintItem> items;
    items.push_back(PrintItem::Text(FontRole::Large, 6 * u, -m.largeLine,
                                    std::string(Pick(lang, "Option", "可选功能"))));
    items.push_back(PrintItem::Text(FontRole::Small, 6 * u, -4 * l,
                                    std::string(Pick(lang, "Function", "功能"))));
    int i = 0;
    for (const OptionSheetLine& line : OptionSheetLines(image, lang)) {
        ++i;
        const int y = -(4 + i) * l;
        items.push_back(PrintItem::Text(FontRole::Small, 9 * u, y, line.label));
        items.push_back(PrintItem::Text(FontRole::Small, 35 * u, y, line.value));
    }
    return items;
}

int ChannelBlockOffset(int k, int smallLine) {
    // Floating point and truncation, as the sheet has always spaced its blocks: 5.7 lines.
    return static_cast<int>((k % PageTable::kChannelsPerPage) * 5.7 * smallLine);
}

std::vector<PrintItem> ChannelSheet(const PageMetrics& m, PageTable& table, const ChannelGrid& grid,
                                    int page, Language lang) {
    table.CountChannelPages(grid);
    const int u = m.geometry.u;
    const int l = m.smallLine;
    std::vector<PrintItem> items;
    items.push_back(PrintItem::Text(FontRole::Large, 6 * u, -m.largeLine,
                                    std::string(Pick(lang, "Channel", "信道"))));

    // An empty cell prints nothing, so it takes no item either.
    auto text = [&](int x, int y, std::string_view s) {
        if (!s.empty()) items.push_back(PrintItem::Text(FontRole::Small, x, y, std::string(s)));
    };
    int k = -1;
    for (int row = table.FirstRow(page); row <= table.LastRow(page); ++row) {
        if (!grid.InUse(row)) continue;
        ++k;
        const int o = ChannelBlockOffset(k, l);
        text(4 * u, -4 * l - o, WithNumber(Pick(lang, "Channel %d:", "信道%d:"), row - 1));

        // Label and value side by side, two fields a line: at 5/22 and at 36/55 units.
        for (const ChannelField& f : kChannelFields) {
            const int x = f.right ? 36 : 5;
            text(x * u, -f.line * l - o, Pick(lang, f.english, f.chinese));
            text((f.right ? 55 : 22) * u, -f.line * l - o, grid.Text(row, f.col));
        }
    }
    return items;
}

}  // namespace radio
