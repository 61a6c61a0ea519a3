#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/channel_list.h"
#include "core/formats/delimited_text.h"

// Channel lists whose columns are named anything: repeater-directory downloads and users' own
// spreadsheets. A column map says which column of the file holds which field of a channel.
namespace radio {

enum class MapField : int {
    Location,  // the channel number; without it the rows taken are numbered 1, 2, 3 ...
    Rx,        // receive frequency, MHz
    Tx,        // transmit frequency, MHz
    Offset,    // "+0.6", "-5.000000", "+", "600 kHz"; signed, or unsigned with Duplex
    Duplex,    // "+", "-", "split", "off", "simplex"
    TxTone,    // "88.5", "D023", "023 DCS", "CSQ"
    RxTone,
    Dcs,        // a DCS code for both ways, for rows without a tone
    Power,      // High/Middle/Low, H/M/L, watts by rank
    Bandwidth,  // Narrow/Wide, NFM/FM, 12.5/25
    Mode,       // "FM", "NFM", "DMR FM"; rows without an analogue FM mode are skipped
    Scan,       // Yes/No; a column named "Skip" is read the other way round
    Name,
};
inline constexpr int kMapFieldCount = 13;

// The key of a field in a mapping text ("rx").
std::string_view MapFieldKey(MapField field);

// A column index (from 0) per field; -1 leaves the field out.
struct ColumnMap {
    std::array<int, kMapFieldCount> column;
    ColumnMap() { column.fill(-1); }
    int& operator[](MapField f) { return column[static_cast<std::size_t>(f)]; }
    int operator[](MapField f) const { return column[static_cast<std::size_t>(f)]; }
    friend bool operator==(const ColumnMap&, const ColumnMap&) = default;
};

// A delimited file as text: UTF-16 (with its byte order mark) made UTF-8, the delimiter found
// from the header line (comma, semicolon or TAB, whichever it holds most of), the header
// (the first line that is not blank) apart from the records below it.
struct DelimitedTable {
    Status status;
    char delimiter = ',';
    TextRecord header;
    std::vector<TextRecord> records;
    int unclosedQuoteLine = 0;
};
DelimitedTable ReadDelimitedTable(std::string_view bytes);

// The delimiter a header line uses: the one of ',', ';' and TAB it holds most of outside
// quotes; ',' when it holds none.
char DetectDelimiter(std::string_view line);

// What a file's header says about how to read it.
enum class HeaderShape {
    Known,      // the common CSV layout or dump's listing: ReadChannelList reads it as such
    Directory,  // a repeater directory's download: read with the guessed map, no question
    Unknown,    // any other table: it needs a column map
    NotATable,  // a header of one column: text, not a table
};
HeaderShape ShapeOfHeader(const DelimitedTable& table);

// The map the header's names suggest (Frequency/Output/RX -> Rx, Input/TX -> Tx, Offset/Shift,
// Tone/PL/CTCSS/Uplink Tone -> Tx tone, Call/Name -> Name, ...); a column serves one field.
ColumnMap GuessColumnMap(const std::vector<std::string>& header);

// "rx=Output Freq,tx=Input Freq,name=Call": keys as MapFieldKey, columns by their header name
// (any case) or by number from 1 ("rx=#2"). Fails naming the unknown key or column.
Status ParseColumnMap(std::string_view text, const std::vector<std::string>& header,
                      ColumnMap& out);
// The map as ParseColumnMap reads it back for this header: names, or "#N" where the name is
// empty or not unique.
std::string ColumnMapText(const ColumnMap& map, const std::vector<std::string>& header);

// The channels of the table's records through `map`. Rows the radio cannot use (digital-only
// modes, frequencies outside its bands or steps) are skipped and named in the findings; they
// take no location. `status` fails when the map has no Rx column.
ChannelList ReadMappedList(const DelimitedTable& table, const ColumnMap& map);

// The settings name under which the map of files with this header line is remembered.
std::string ColumnMapSettingName(const TextRecord& header);

// A tone text of a directory or spreadsheet as an entry of the radio's tone list ("None",
// "88.5", "D023N"); nullopt when it is no tone of the radio. `dcsColumn`: a bare number is a
// DCS code, not a CTCSS frequency.
std::optional<std::string> ParseToneSpelling(std::string_view text, bool dcsColumn = false);

// The transmit frequency an offset gives for `rxHz`, with the sign of `duplex` when the
// offset has none. A bare "+" or "-" is the usual repeater shift of the band (0.6 MHz on
// 136-175, 5 MHz on 400-520). nullopt: no shift (simplex, empty). Fails on a text that is no
// offset.
struct TxFromOffset {
    bool ok = true;
    std::optional<std::int64_t> txHz;
    bool noTx = false;  // "off": receive only
};
TxFromOffset ParseOffsetSpelling(std::string_view offset, std::string_view duplex,
                                 std::int64_t rxHz);

}  // namespace radio
