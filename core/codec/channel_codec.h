#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/codec/channel_grid.h"
#include "core/config/language.h"
#include "core/image/radio_image.h"

namespace radio {

// Frequency limits in 10 Hz units, both inclusive, and the step rule (a multiple of 2.5 kHz
// or of 6.25 kHz). The configured band does not narrow them.
inline constexpr std::int64_t kBand1Low = 13600000, kBand1High = 17500000;
inline constexpr std::int64_t kBand2Low = 40000000, kBand2High = 52000000;
bool FrequencyInBands(std::int64_t units);
bool FrequencyOnStep(std::int64_t units);

// Texts of one record for grid columns 1..9; all empty when the record is empty.
ChannelTexts DecodeChannelRow(const RadioImage& image, int record, Language lang);

// Fills rows 1..200 from records 0..199 and remembers each row's bytes (ChannelGrid::Origin).
// The band step and the window title are the caller's.
void DecodeImageToGrid(const RadioImage& image, ChannelGrid& grid, Language lang);

// Rebuilds record `record` and its name from nine texts; both languages accepted. A text whose
// value the record cannot hold (possible only when set around CommitCellEdit) leaves its field's
// bytes as they were; returns how many fields that happened to.
int EncodeChannelRow(const ChannelTexts& texts, RadioImage& image, int record);

// Encodes rows 1..200 into records 0..199; no other byte is written. An untouched row (texts
// as decoded) gets its decoded record and name bytes back exactly; an edited row that was and
// still is a channel has only its changed fields written; other rows are encoded whole.
// Returns how many fields could not be stored (see EncodeChannelRow); 0 after CommitCellEdit.
int EncodeGridToImage(const ChannelGrid& grid, RadioImage& image);
// The same for one row (1..200) into its record and name.
int EncodeGridRow(const ChannelGrid& grid, int row, RadioImage& image);

// Outcome of committing an editor's text; the value is the message id to show, if any.
enum class [[nodiscard]] CommitResult : int{
    Accepted = 0,        OutOfRange = 61448, StepError = 61456,
    NotAnEntry = 61460,   // a list column got a text that is none of its entries
    NameRefused = 61461,  // a name longer than 8 or with characters the radio cannot show
};

// Stores the editor text of cell (row, col) as leaving the cell does: validates frequencies and
// fills a new channel's defaults. List columns take their entries only and the name column the
// radio's names only (upper-cased). Whatever is refused, a frequency included, leaves the whole
// row as it was; the caller shows the message.
CommitResult CommitCellEdit(ChannelGrid& grid, int row, int col, std::string_view editorText,
                            Language lang);

// The frequency rule alone, as CommitCellEdit applies it to a text for Rx or Tx Frequency:
// Accepted, OutOfRange or StepError. A fill checks its text once with it.
CommitResult CheckFrequencyText(std::string_view text);

// The row a new receive frequency starts: the frequency as Tx too, no tones, High, Lock, Yes,
// Wide, no name.
ChannelTexts NewChannelTexts(const std::string& frequency, Language lang);

// Texts of the flag columns.
std::string_view PowerText(int bits, Language lang);  // bits 5-4: 00 Low, 01 Middle, 10 High
// The drop-down entries of grid columns 3..8 in list order (tone columns: the 261 tones).
std::vector<std::string> ColumnItems(int col, Language lang);

}  // namespace radio
