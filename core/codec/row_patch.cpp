#include "core/codec/row_patch.h"

#include <algorithm>

namespace radio {

namespace {

// A text as its length (7 bits a byte, low bits first) and its bytes.
void PutText(std::string& out, const std::string& text) {
    std::size_t n = text.size();
    do {
        const auto low = static_cast<std::uint8_t>(n & 0x7F);
        n >>= 7;
        out += static_cast<char>(n ? (low | 0x80) : low);
    } while (n);
    out += text;
}

std::string GetText(const std::string& in, std::size_t& at) {
    std::size_t n = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<std::uint8_t>(in[at++]);
        n |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80)) break;
    }
    std::string text = in.substr(at, n);
    at += n;
    return text;
}

template <std::size_t N>
void PutBytes(std::string& out, const std::array<std::uint8_t, N>& bytes) {
    out.append(reinterpret_cast<const char*>(bytes.data()), N);
}

template <std::size_t N>
void GetBytes(const std::string& in, std::size_t& at, std::array<std::uint8_t, N>& bytes) {
    std::copy_n(in.begin() + static_cast<std::ptrdiff_t>(at), N, bytes.begin());
    at += N;
}

void PutTexts(std::string& out, const ChannelTexts& texts) {
    for (const std::string& text : texts) PutText(out, text);
}

ChannelTexts GetTexts(const std::string& in, std::size_t& at) {
    ChannelTexts texts;
    for (std::string& text : texts) text = GetText(in, at);
    return texts;
}

void PutRow(std::string& out, const ChannelGrid& grid, int row) {
    PutTexts(out, grid.RowTexts(row));
    const RowOrigin* origin = grid.Origin(row);
    out += origin ? '\1' : '\0';
    if (!origin) return;
    PutTexts(out, origin->texts);
    PutBytes(out, origin->record);
    PutBytes(out, origin->name);
}

GridRow GetRow(const std::string& in, std::size_t& at) {
    GridRow row;
    row.texts = GetTexts(in, at);
    if (in[at++] == '\0') return row;
    RowOrigin& origin = row.origin.emplace();
    origin.texts = GetTexts(in, at);
    GetBytes(in, at, origin.record);
    GetBytes(in, at, origin.name);
    return row;
}

bool SameRow(const ChannelGrid& a, const ChannelGrid& b, int row) {
    for (int col = 1; col < ChannelGrid::kCols; ++col) {
        if (a.Text(row, col) != b.Text(row, col)) return false;
    }
    const RowOrigin* x = a.Origin(row);
    const RowOrigin* y = b.Origin(row);
    return (!x && !y) || (x && y && *x == *y);
}

}  // namespace

RowPatch RowPatch::Between(const ChannelGrid& before, const ChannelGrid& after) {
    std::vector<int> rows;
    for (int row = 1; row <= kChannelCount; ++row) {
        if (!SameRow(before, after, row)) rows.push_back(row);
    }
    return Capture(before, rows);
}

RowPatch RowPatch::Capture(const ChannelGrid& grid, const std::vector<int>& rows) {
    RowPatch patch;
    std::vector<int> sorted;
    for (int row : rows) {
        if (row >= 1 && row <= kChannelCount) sorted.push_back(row);
    }
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (int row : sorted) {
        patch.m_rows.push_back(static_cast<std::uint8_t>(row - 1));
        PutRow(patch.m_packed, grid, row);
    }
    patch.m_rows.shrink_to_fit();
    patch.m_packed.shrink_to_fit();
    return patch;
}

void RowPatch::SwapWith(ChannelGrid& grid) {
    std::string held;
    held.reserve(m_packed.size());
    std::size_t at = 0;
    for (std::uint8_t record : m_rows) {
        const int row = record + 1;
        PutRow(held, grid, row);
        grid.SetRowState(row, GetRow(m_packed, at));
    }
    held.shrink_to_fit();
    m_packed = std::move(held);
}

std::vector<int> RowPatch::Rows() const {
    std::vector<int> rows;
    for (std::uint8_t record : m_rows) rows.push_back(record + 1);
    return rows;
}

std::size_t RowPatch::MemoryBytes() const {
    // A short string lives inside the object; only a longer one has a buffer of its own.
    const std::size_t packed =
        m_packed.capacity() > std::string().capacity() ? m_packed.capacity() + 1 : 0;
    return sizeof(*this) + m_rows.capacity() + packed;
}

}  // namespace radio
