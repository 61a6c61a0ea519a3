#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/codec/channel_grid.h"
#include "core/config/phrase.h"
#include "core/image/status.h"

namespace radio {

// Channel lists larger than this are refused unread: 200 channels take some 30 KB, and a file
// chosen by mistake (a video, a disk image) must not be loaded whole.
inline constexpr std::size_t kMaxChannelListBytes = 4 * 1024 * 1024;

// One lossy or refused field of an imported file.
struct ImportFinding {
    int line = 0;          // the line of the file the record starts on
    std::string location;  // the record's location as the file writes it ("12", "Pr")
    std::string column;    // the file's column ("cToneFreq", "Rx Tone")
    std::string value;     // the text in the file
    std::string text;      // "location 12: tone 69.4 is not a CTCSS tone of the radio: stored None"
    bool rowSkipped = false;  // the record held a channel that is not taken at all
    int row = 0;              // the grid row an import put the record's channel in; 0 none
    Phrase phrase{};          // `text` for a translation; empty where only `text` is known
    friend bool operator==(const ImportFinding&, const ImportFinding&) = default;
};

// One channel of the file after the grid's entry rules: the texts the grid will hold, in
// English (the importer turns them into the grid's language). All empty: the file lists the
// location without a channel.
struct ImportEntry {
    int line = 0;
    int location = 0;  // 0 for Pr, as the file numbers it
    std::string locationText;
    ChannelTexts texts;
    std::vector<ImportFinding> findings;  // kept only when the channel is stored
    // Columns 1..9 at 0..8: frequencies the rules refused. The row keeps what it holds there,
    // and a refused Rx Frequency on a row without a channel leaves that row empty.
    std::array<bool, kChannelColumns> refused{};
    bool Empty() const { return texts[0].empty(); }
};

// A channel file read into memory: the channels in file order and the findings that do not
// belong to a stored channel (unreadable locations, duplicates, refused frequencies).
// `status` fails when the bytes are not a channel list at all; nothing may be imported then.
struct ChannelList {
    Status status;
    std::vector<ImportEntry> entries;
    std::vector<ImportFinding> findings;
};

// Reads the CSV layout of radio-programming tools, the TAB-separated listing of
// `radioprog dump` (recognised by its first heading "CH"), or a repeater directory's
// download (by its header). Pure: bytes in, channels out.
ChannelList ReadChannelList(std::string_view bytes);
ChannelList ReadChannelCsv(std::string_view bytes);
ChannelList ReadChannelTsv(std::string_view bytes);

// The channels in use, in the CSV layout (CRLF line ends) and as `radioprog dump` lists
// the grid (LF, every row, the grid's language).
std::string WriteChannelCsv(const ChannelGrid& grid);
std::string WriteChannelTsv(const ChannelGrid& grid);

}  // namespace radio
