#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/config/language.h"
#include "core/image/radio_image.h"

namespace radio {

// Grid columns 1..9.
enum GridColumn : int {
    kColRxFreq = 1,
    kColTxFreq = 2,
    kColRxTone = 3,
    kColTxTone = 4,
    kColPower = 5,
    kColLock = 6,
    kColScanAdd = 7,
    kColBandwidth = 8,
    kColName = 9,
};

// Editable columns of a channel row (column 0 holds the row labels).
inline constexpr int kChannelColumns = 9;

using ChannelTexts = std::array<std::string, kChannelColumns>;  // columns 1..9 of one row

// What a row was decoded from: the record and name bytes and the texts they gave. The texts
// cannot show everything bytes may hold (a power code with no name, a digit nibble above 9),
// so a save gives a row whose texts are still these its bytes back unchanged.
struct RowOrigin {
    ChannelTexts texts;
    std::array<std::uint8_t, offset::kRecordSize> record{};
    std::array<std::uint8_t, offset::kNameSize> name{};
    friend bool operator==(const RowOrigin&, const RowOrigin&) = default;
};

// A whole channel row: its texts and, for a decoded row, what it was decoded from. Moving a
// channel to another row moves both, so an untouched channel keeps its bytes wherever it goes.
struct GridRow {
    ChannelTexts texts;
    std::optional<RowOrigin> origin;
    friend bool operator==(const GridRow&, const GridRow&) = default;
};

// The working copy of the channel table as the grid shows it: 201 rows x 10 columns of UTF-8
// texts. Row 0 holds the headings, column 0 the labels ("Pr", "  1" ... "199"); row r shows
// record r - 1. Edits change these texts only; the image is rebuilt from them on save/write.
//
// Each decoded row also keeps its RowOrigin. A row is untouched while its texts equal the
// origin's: that is a property of the texts alone, so copying the grid, or putting a row's
// earlier texts back (undo), gives an untouched row again, with no flag to keep in step.
class ChannelGrid {
  public:
    static constexpr int kRows = kChannelCount + 1;
    static constexpr int kCols = kChannelColumns + 1;

    explicit ChannelGrid(Language lang = Language::English);

    const std::string& Text(int row, int col) const;
    void SetText(int row, int col, std::string text);

    ChannelTexts RowTexts(int row) const;  // columns 1..9
    void SetRowTexts(int row, const ChannelTexts& texts);
    void ClearRow(int row);  // columns 1..9 empty

    // Sets a row's texts as decoded from `origin` (its texts included) and remembers the bytes.
    void SetDecodedRow(int row, const RowOrigin& origin);
    // The bytes and texts row `row` was decoded from; nullptr for a row never decoded.
    const RowOrigin* Origin(int row) const;
    // True when the row was decoded and its texts are exactly the decoded ones.
    bool Untouched(int row) const;

    // Rows 1..200 as a whole (texts and origin); other rows read empty and ignore writes.
    GridRow RowState(int row) const;
    void SetRowState(int row, GridRow state);

    // A channel is in use when its Rx Frequency text is not empty.
    bool InUse(int row) const { return !Text(row, kColRxFreq).empty(); }

    // Current cell, always within rows 1..200, columns 1..9.
    int Row() const { return m_row; }
    int Col() const { return m_col; }
    void SetCurrent(int row, int col);

    Language language() const { return m_lang; }

    static std::string RowLabel(int row);  // "Pr", "  1" ... "199"
    static std::string_view Heading(int col, Language lang);

  private:
    Language m_lang;
    std::array<std::array<std::string, kCols>, kRows> m_cells;
    std::array<std::optional<RowOrigin>, kChannelCount> m_origins;  // row r at r - 1
    int m_row = 1;
    int m_col = 1;
};

}  // namespace radio
