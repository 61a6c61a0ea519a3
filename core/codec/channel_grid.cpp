#include "core/codec/channel_grid.h"

#include "core/config/phrase.h"

#include <algorithm>
#include <cstdio>

namespace radio {

namespace {

constexpr std::string_view kHeadings[ChannelGrid::kCols][2] = {
    {QT_TRANSLATE_NOOP("radio", "CH"), "信道"},
    {QT_TRANSLATE_NOOP("radio", "Rx Frequency"), "接收频率"},
    {QT_TRANSLATE_NOOP("radio", "Tx Frequency"), "发射频率"},
    {QT_TRANSLATE_NOOP("radio", "Rx Tone"), "接收信令"},
    {QT_TRANSLATE_NOOP("radio", "Tx Tone"), "发射信令"},
    {QT_TRANSLATE_NOOP("radio", "Power"), "功率"},
    {QT_TRANSLATE_NOOP("radio", "Cha Lock"), "信道锁定"},
    {QT_TRANSLATE_NOOP("radio", "Scan Add"), "扫描添加"},
    {QT_TRANSLATE_NOOP("radio", "Bandwidth"), "带宽"},
    {QT_TRANSLATE_NOOP("radio", "Cha Name"), "信道名字"},
};

bool InGrid(int row, int col) {
    return row >= 0 && row < ChannelGrid::kRows && col >= 0 && col < ChannelGrid::kCols;
}

bool ChannelRow(int row) { return row >= 1 && row < ChannelGrid::kRows; }

}  // namespace

ChannelGrid::ChannelGrid(Language lang) : m_lang(lang) {
    for (int col = 0; col < kCols; ++col) m_cells[0][col] = Heading(col, lang);
    for (int row = 1; row < kRows; ++row) m_cells[row][0] = RowLabel(row);
}

std::string_view ChannelGrid::Heading(int col, Language lang) {
    if (col < 0 || col >= kCols) return {};
    return Pick(lang, kHeadings[col][0], kHeadings[col][1]);
}

std::string ChannelGrid::RowLabel(int row) {
    if (row == 1) return "Pr";
    if (row < 2 || row >= kRows) return {};
    char label[8];
    std::snprintf(label, sizeof label, "%3d", row - 1);
    return label;
}

const std::string& ChannelGrid::Text(int row, int col) const {
    // Reads outside the grid see an empty cell rather than memory that is not ours.
    static const std::string kEmpty;
    return InGrid(row, col) ? m_cells[row][col] : kEmpty;
}

void ChannelGrid::SetText(int row, int col, std::string text) {
    if (InGrid(row, col)) m_cells[row][col] = std::move(text);
}

ChannelTexts ChannelGrid::RowTexts(int row) const {
    ChannelTexts texts;
    if (ChannelRow(row)) std::copy(m_cells[row].begin() + 1, m_cells[row].end(), texts.begin());
    return texts;
}

void ChannelGrid::SetRowTexts(int row, const ChannelTexts& texts) {
    if (ChannelRow(row)) std::copy(texts.begin(), texts.end(), m_cells[row].begin() + 1);
}

void ChannelGrid::ClearRow(int row) {
    if (!ChannelRow(row)) return;
    for (int col = 1; col < kCols; ++col) m_cells[row][col].clear();
}

void ChannelGrid::SetDecodedRow(int row, const RowOrigin& origin) {
    if (!ChannelRow(row)) return;
    SetRowTexts(row, origin.texts);
    m_origins[static_cast<std::size_t>(row - 1)] = origin;
}

const RowOrigin* ChannelGrid::Origin(int row) const {
    if (!ChannelRow(row)) return nullptr;
    const auto& origin = m_origins[static_cast<std::size_t>(row - 1)];
    return origin ? &*origin : nullptr;
}

bool ChannelGrid::Untouched(int row) const {
    const RowOrigin* origin = Origin(row);
    return origin && RowTexts(row) == origin->texts;
}

GridRow ChannelGrid::RowState(int row) const {
    if (!ChannelRow(row)) return {};
    return {RowTexts(row), m_origins[static_cast<std::size_t>(row - 1)]};
}

void ChannelGrid::SetRowState(int row, GridRow state) {
    if (!ChannelRow(row)) return;
    SetRowTexts(row, state.texts);
    m_origins[static_cast<std::size_t>(row - 1)] = std::move(state.origin);
}

void ChannelGrid::SetCurrent(int row, int col) {
    m_row = std::clamp(row, 1, kRows - 1);
    m_col = std::clamp(col, 1, kCols - 1);
}

}  // namespace radio
