// Channels from other tables: header shapes and their guessed maps, the spellings of offsets
// and tones, a directory download, a semicolon table through a map, and the stock lists.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/codec/channel_codec.h"
#include "core/formats/channel_import.h"
#include "core/formats/column_map.h"
#include "core/formats/delimited_text.h"
#include "core/formats/stock_lists.h"

namespace radio {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Fixture(const std::string& name) {
    return ReadAll(std::string(RADIO_TEST_DATA) + "/csv/" + name);
}

// UTF-8 text (ASCII here) as UTF-16LE with its byte order mark, as spreadsheets save it.
std::string Utf16Le(const std::string& text) {
    std::string out = "\xFF\xFE";
    for (char c : text) {
        out += c;
        out += '\0';
    }
    return out;
}

std::string GridRow(const ChannelGrid& grid, int row) {
    std::string out;
    for (int col = 1; col <= kChannelColumns; ++col)
        out += (col > 1 ? "|" : "") + grid.Text(row, col);
    return out;
}

TEST(ColumnMap, HeaderShapesGiveTheirMaps) {
    struct Case {
        std::string header;
        char delimiter;
        HeaderShape shape;
        std::string map;  // as ColumnMapText writes the guess
    };
    const std::vector<Case> cases = {
        {"Output Freq,Input Freq,Offset,Uplink Tone,Downlink Tone,Call,Location,County,State,"
         "Modes,Digital Access",
         ',', HeaderShape::Directory,
         "rx=Output Freq,tx=Input Freq,offset=Offset,txtone=Uplink Tone,rxtone=Downlink Tone,"
         "mode=Modes,name=Call"},
        {"Freq,Input,Offset,Tone,Location,County,State,Mode", ',', HeaderShape::Directory,
         "rx=Freq,tx=Input,offset=Offset,txtone=Tone,mode=Mode,name=Location"},
        {"Kanal;Frequenz;Ablage;Subton;Name", ';', HeaderShape::Unknown,
         "loc=Kanal,rx=Frequenz,offset=Ablage,txtone=Subton,name=Name"},
        {"\"No.\"\tRX Freq (MHz)\tTX Freq (MHz)\tCTCSS\tDCS\tPower\tBW\tSkip\tDescription", '\t',
         HeaderShape::Unknown,
         "loc=No.,rx=RX Freq (MHz),tx=TX Freq (MHz),txtone=CTCSS,dcs=DCS,power=Power,"
         "bandwidth=BW,scan=Skip,name=Description"},
        {"Receive,Transmit,Shift,Direction,PL,Tone Squelch,Callsign,Name", ',',
         HeaderShape::Unknown,
         "rx=Receive,tx=Transmit,offset=Shift,duplex=Direction,txtone=PL,rxtone=Tone Squelch,"
         "name=Callsign"},
        // A comma in quotes does not make the comma the delimiter.
        {"\"Freq, MHz\";Tone;Tone", ';', HeaderShape::Unknown, "txtone=#2"},
        {"Location,Name,Frequency,Duplex,Offset", ',', HeaderShape::Known,
         "rx=Frequency,offset=Offset,duplex=Duplex,name=Name"},
        {"CH\tRx Frequency\tTx Frequency", '\t', HeaderShape::Known, ""},
        {"Shopping list for the field day:", ',', HeaderShape::NotATable, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        const DelimitedTable table = ReadDelimitedTable("\r\n" + c.header + "\r\n1,2\r\n");
        ASSERT_TRUE(table.status.ok);
        EXPECT_EQ(table.delimiter, c.delimiter);
        EXPECT_EQ(ShapeOfHeader(table), c.shape);
        const ColumnMap guess = GuessColumnMap(table.header.fields);
        if (c.shape == HeaderShape::Directory || c.shape == HeaderShape::Unknown ||
            !c.map.empty()) {
            EXPECT_EQ(ColumnMapText(guess, table.header.fields), c.map);
        }
        // What the text says reads back as the same map.
        ColumnMap back;
        ASSERT_TRUE(ParseColumnMap(c.map, table.header.fields, back).ok);
        if (c.shape == HeaderShape::Directory || c.shape == HeaderShape::Unknown) {
            EXPECT_EQ(back, guess);
        }
    }
}

TEST(ColumnMap, MapTextsAreCheckedAgainstTheHeader) {
    const std::vector<std::string> header = {"Output Freq", "Call", "call", "Tone"};
    struct Case {
        std::string text;
        std::string error;  // "" when the text is a map
        std::string back;
    };
    const std::vector<Case> cases = {
        {" RX = output freq , name=#2 ,", "", "rx=Output Freq,name=#2"},
        {"rx=#1,txtone=TONE", "", "rx=Output Freq,txtone=Tone"},
        {"rx=Output Freq,tone=Tone", "unknown field 'tone'", ""},
        {"rx=Input Freq", "the file has no column 'Input Freq' for rx", ""},
        {"rx=#5", "the file has no column '#5' for rx", ""},
        {"rx", "'rx' is not FIELD=COLUMN", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ColumnMap map;
        const Status st = ParseColumnMap(c.text, header, map);
        EXPECT_EQ(st.ok, c.error.empty());
        EXPECT_EQ(st.ok ? ColumnMapText(map, header) : st.message.substr(0, c.error.size()),
                  st.ok ? c.back : c.error);
    }
}

TEST(ColumnMap, OffsetSpellings) {
    struct Case {
        std::string offset, duplex;
        std::int64_t rxHz;
        bool ok;
        std::int64_t txHz;  // 0: no shift (simplex); -1: receive only
    };
    const std::vector<Case> cases = {
        {"+", "", 146940000, true, 147540000},  // the band's usual shift
        {"-", "", 444500000, true, 439500000},  // 5 MHz on 70 cm
        {"", "+", 146940000, true, 147540000},
        {"+0.6", "", 146940000, true, 147540000},
        {"-5.000000", "", 444500000, true, 439500000},
        {"0.6", "-", 146940000, true, 146340000},  // direction from its own column
        {"0.6", "", 146940000, true, 147540000},   // an unsigned offset goes up
        {"-7,6", "", 439050000, true, 431450000},  // decimal comma
        {"600 kHz", "minus", 145600000, true, 145000000},
        {"145.000", "split", 145600000, true, 145000000},
        {"", "", 145500000, true, 0},
        {"0", "+", 145500000, true, 0},
        {"0.6", "simplex", 145500000, true, 0},
        {"", "off", 162550000, true, -1},
        {"abc", "", 145500000, false, 0},
        {"1.2.3", "split", 145500000, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.offset + "' '" + c.duplex + "'");
        const TxFromOffset tx = ParseOffsetSpelling(c.offset, c.duplex, c.rxHz);
        EXPECT_EQ(tx.ok, c.ok);
        if (!c.ok) continue;
        EXPECT_EQ(tx.noTx, c.txHz == -1);
        EXPECT_EQ(tx.txHz.value_or(0), c.txHz > 0 ? c.txHz : 0);
    }
}

TEST(ColumnMap, ToneSpellings) {
    struct Case {
        std::string text;
        bool dcsColumn;
        std::string entry;  // "" when no tone of the radio
    };
    const std::vector<Case> cases = {
        {"", false, "None"},          {"CSQ", false, "None"},       {"off", false, "None"},
        {"88.5", false, "88.5"},      {"88.49999", false, "88.5"},  {"71,9", false, "71.9"},
        {"100.0 Hz", false, "100.0"}, {"PL 123.0", false, "123.0"}, {"69.4", false, ""},
        {"D023", false, "D023N"},     {"d023n", false, "D023N"},    {"D754I", false, "D754I"},
        {"D023R", false, "D023I"},    {"023 DCS", false, "D023N"},  {"DCS 23", false, "D023N"},
        {"023", true, "D023N"},       {"D029", false, ""},          {"D8", false, ""},
        {"023", false, ""},  // 23 Hz is no CTCSS tone: a bare number is DCS only in its column
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseToneSpelling(c.text, c.dcsColumn).value_or(""), c.entry);
    }
}

TEST(ColumnMap, DirectoryDownloadImportsWhatTheRadioCanUse) {
    const ImportResult result =
        ApplyImport(ChannelGrid(), ReadChannelList(Fixture("directory_download.csv")), {});
    ASSERT_TRUE(result.nothingImported.empty()) << result.nothingImported;
    EXPECT_EQ(result.stored, 7);
    std::vector<std::string> rows;
    for (int row : result.importedRows) rows.push_back(GridRow(result.grid, row));
    const std::vector<std::string> expected = {
        "146.94000|146.34000|None|100.0|High|Lock|Yes|Wide|W1ABC",
        "147.12000|147.72000|88.5|88.5|High|Lock|Yes|Wide|K1XYZ",
        "444.50000|449.50000|D023N|D023N|High|Lock|Yes|Wide|N1DCS",
        "442.10000|447.10000|None|131.8|High|Lock|Yes|Wide|KB1AAA",
        "146.61000|146.01000|None|D023N|High|Lock|Yes|Wide|W1DCS",
        "147.00000|147.60000|None|None|High|Lock|Yes|Wide|KA1LNG",
        "449.97500|444.97500|77.0|77.0|High|Lock|Yes|Wide|W1END",
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(result.importedRows.front(), 2);  // channel 1 on, one after the other
    EXPECT_EQ(result.importedRows.back(), 8);
    std::vector<std::string> findings;
    // As the preview shows them: a finding without a location is placed by its line alone.
    for (const ImportFinding& f : result.findings)
        findings.push_back(f.location.empty() ? "line " + std::to_string(f.line) + ": " + f.text
                                              : f.text);
    EXPECT_EQ(findings, (std::vector<std::string>{
                            "line 6: mode DMR is digital only: skipped",
                            "line 7: mode D-STAR is digital only: skipped",
                            "line 8: frequency 1293.000000 is out of range (136-175 and "
                            "400-520 MHz): skipped",
                        }));
    EXPECT_EQ(result.skipped, 3);
}

TEST(ColumnMap, SemicolonTableReadsThroughItsMapInAnyEncoding) {
    const std::string utf8 = Fixture("kanal_semikolon.csv");
    for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, Utf16Le(utf8)}) {
        const DelimitedTable table = ReadDelimitedTable(bytes);
        ASSERT_TRUE(table.status.ok);
        EXPECT_EQ(ShapeOfHeader(table), HeaderShape::Unknown);
        EXPECT_EQ(table.header.fields.front(), "Kanal");
        ColumnMap map;
        ASSERT_TRUE(ParseColumnMap("loc=Kanal,rx=Frequenz,offset=Ablage,txtone=Subton,name=Name",
                                   table.header.fields, map)
                        .ok);
        EXPECT_EQ(ColumnMapSettingName(table.header),
                  ColumnMapSettingName(ReadDelimitedTable(utf8).header));
        const ImportResult result = ApplyImport(ChannelGrid(), ReadMappedList(table, map), {});
        EXPECT_EQ(result.importedRows, (std::vector<int>{2, 3, 6}));
        EXPECT_EQ(GridRow(result.grid, 2),
                  "439.05000|431.45000|None|71.9|High|Lock|Yes|Wide|DB0ABC");
        EXPECT_TRUE(result.findings.empty());
    }
}

TEST(ColumnMap, SpreadsheetSettingsAndRefusals) {
    const std::string table =
        "No\tRX\tTX\tPower\tBW\tSkip\tDCS\tName\n"
        "1\t145.5\t\t1 W\tNarrow\tS\t\tsimplex channel\n"
        "2\t446.00625\t446.00625\t5W\t12.5 kHz\t\t754\tP2\n"
        "3\t433.5\t\tHi\t25\tyes\t\tC\n"
        "2\t145.5\t\t\t\t\t\tDUP\n"
        "x\t145.5\t\t\t\t\t\t\n"
        "9\t145.5001\t\t\t\t\t\t\n"
        "10\t146520000\t\t\t\t\t\t\n"
        "11\t145.5\t137\tLoud\tmedium\tmaybe\t999\t\n";
    const DelimitedTable t = ReadDelimitedTable(table);
    const ImportResult result =
        ApplyImport(ChannelGrid(), ReadMappedList(t, GuessColumnMap(t.header.fields)), {});
    EXPECT_EQ(GridRow(result.grid, 2), "145.50000|145.50000|None|None|Low|Lock|No|Narrow|SIMPLE");
    EXPECT_EQ(GridRow(result.grid, 3), "446.00625|446.00625|D754N|D754N|High|Lock|Yes|Narrow|P2");
    EXPECT_EQ(GridRow(result.grid, 4), "433.50000|433.50000|None|None|High|Lock|No|Wide|C");
    EXPECT_EQ(GridRow(result.grid, 12), "145.50000|137.00000|None|None|High|Lock|Yes|Wide|");
    std::vector<std::string> findings;
    // As the preview shows them: a finding without a location is placed by its line alone.
    for (const ImportFinding& f : result.findings)
        findings.push_back(f.location.empty() ? "line " + std::to_string(f.line) + ": " + f.text
                                              : f.text);
    EXPECT_EQ(findings,
              (std::vector<std::string>{
                  "location 1: power 1 W read as Low (so is every 1 W of the file)",
                  "location 1: name 'simplex channel' has characters the radio cannot show and "
                  "is cut to 6 characters: stored 'SIMPLE'",
                  "location 2: power 5W read as High (so is every 5W of the file)",
                  "line 5: channel 2 listed again (first on line 3): skipped",
                  "line 6: channel number x is not a number: skipped",
                  "line 7: frequency 145.5001 is not on a 2.5 or 6.25 kHz step: skipped",
                  "line 8: frequency 146520000 is out of range (136-175 and 400-520 MHz); it "
                  "looks like Hz (146.520000 MHz), but the file must give MHz: skipped",
                  "location 11: DCS code 999 is not a DCS code of the radio: stored None",
                  "location 11: power Loud not supported: stored High",
                  "location 11: bandwidth medium not supported: stored Wide",
                  "location 11: scan maybe not supported: stored Scan Add Yes",
              }));
}

// Every stock list: notes, channels the radio holds, and an import then export that gives back
// the file's names, frequencies, modes and power exactly.
TEST(StockLists, HoldOnlyWhatTheRadioTakesAndRoundTrip) {
    const std::vector<StockList> lists = FindStockLists({RADIO_RESOURCES});
    std::vector<std::string> names;
    for (const StockList& l : lists) names.push_back(l.name);
    EXPECT_EQ(names, (std::vector<std::string>{"calling", "frs-gmrs", "marine-vhf", "murs",
                                               "noaa-weather", "pmr446"}));
    for (const StockList& l : lists) {
        SCOPED_TRACE(l.name);
        EXPECT_FALSE(l.description.empty());
        EXPECT_FALSE(l.source.empty());
        const ChannelList list = ReadStockList(ReadAll(l.path));
        ASSERT_TRUE(list.status.ok) << list.status.message;
        const ImportResult result = ApplyImport(ChannelGrid(), list, {});
        EXPECT_TRUE(result.findings.empty()) << result.findings.front().text;
        EXPECT_TRUE(result.Complete());
        EXPECT_EQ(result.stored, static_cast<int>(list.entries.size()));

        // The list's own columns, as the file and the export write them, line by line: names,
        // frequencies, narrow (NFM) and power survive the radio's rules unchanged.
        const auto columns = [](const std::string& csv) {
            std::vector<std::size_t> at;
            std::vector<std::string> out;
            for (const TextRecord& r : SplitDelimited(csv, ',').records) {
                if (r.fields[0].starts_with('#')) continue;
                std::string line;
                for (std::size_t i : at) line += r.fields.at(i) + " ";
                if (at.empty()) {
                    for (const char* name :
                         {"Name", "Frequency", "Duplex", "Offset", "Mode", "Power"})
                        at.push_back(static_cast<std::size_t>(
                            std::find(r.fields.begin(), r.fields.end(), name) - r.fields.begin()));
                } else {
                    out.push_back(line);
                }
            }
            return out;
        };
        EXPECT_EQ(columns(WriteChannelCsv(result.grid)), columns(ReadAll(l.path)));
    }
}

}  // namespace
}  // namespace radio
