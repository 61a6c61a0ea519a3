// Channel lists in and out: the hand-written fixtures of tests/data/csv, the layout written,
// replace / merge / shift, and round trips of random valid images.

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/codec/channel_codec.h"
#include "core/codec/decimal.h"
#include "core/codec/edit_rules.h"
#include "core/formats/channel_import.h"
#include "core/formats/channel_list.h"

namespace radio {
namespace {

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(RADIO_TEST_DATA) + "/csv/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// "LINE: TEXT", as the .findings files beside the fixtures write them.
std::vector<std::string> FindingLines(const std::vector<ImportFinding>& findings) {
    std::vector<std::string> lines;
    for (const ImportFinding& f : findings) lines.push_back(std::to_string(f.line) + ": " + f.text);
    return lines;
}

ImportResult ImportInto(const ChannelGrid& grid, const std::string& bytes,
                        const ImportOptions& options = {}) {
    const ChannelList list = ReadChannelList(bytes);
    EXPECT_TRUE(list.status.ok) << list.status.message;
    return ApplyImport(grid, list, options);
}

TEST(ChannelListImport, FixturesGiveExactlyTheExpectedFindings) {
    for (const char* name :
         {"thirty_channels", "one_of_each", "reordered_missing", "old_layout", "quoted_bom_crlf"}) {
        SCOPED_TRACE(name);
        const ImportResult r = ImportInto(ChannelGrid(), Fixture(std::string(name) + ".csv"));
        EXPECT_EQ(FindingLines(r.findings), Lines(Fixture(std::string(name) + ".findings")));
    }
    const ImportResult dump = ImportInto(ChannelGrid(), Fixture("dump_zh.tsv"));
    EXPECT_EQ(FindingLines(dump.findings), Lines(Fixture("dump_zh.findings")));
}

TEST(ChannelListImport, FixturesStoreWhatTheFileMeans) {
    struct Case {
        const char* file;
        int row;  // grid row: location + 1
        ChannelTexts texts;
    };
    const Case cases[] = {
        // Tone modes and all eight cross modes, both polarities, every duplex, watts by rank.
        {"thirty_channels.csv",
         1,
         {"146.52000", "146.52000", "None", "None", "High", "Lock", "Yes", "Wide", "CALL2M"}},
        {"thirty_channels.csv",
         2,
         {"145.65000", "145.05000", "None", "88.5", "High", "Lock", "Yes", "Wide", "RPT-A"}},
        {"thirty_channels.csv",
         3,
         {"145.72500", "145.12500", "100.0", "100.0", "High", "Lock", "Yes", "Wide", "RPT-B"}},
        {"thirty_channels.csv",
         4,
         {"147.33000", "147.93000", "None", "123.0", "High", "Lock", "Yes", "Wide", "REPEAT"}},
        {"thirty_channels.csv",
         5,
         {"446.00000", "446.00000", "D023N", "D023N", "Middle", "Lock", "Yes", "Narrow", "DCS-N"}},
        {"thirty_channels.csv",
         6,
         {"446.01250", "446.01250", "D754I", "D754N", "Middle", "Lock", "Yes", "Narrow", "DCS-NR"}},
        {"thirty_channels.csv",
         7,
         {"146.94000", "146.34000", "131.8", "100.0", "High", "Lock", "Yes", "Wide", "XTT"}},
        {"thirty_channels.csv",
         8,
         {"136.00000", "136.00000", "None", "None", "High", "Lock", "Yes", "Wide", "AMAIR"}},
        {"thirty_channels.csv",
         9,
         {"440.10000", "445.10000", "D411N", "67.0", "High", "Lock", "Yes", "Wide", "XTD"}},
        {"thirty_channels.csv",
         10,
         {"440.20000", "445.20000", "162.2", "D131I", "High", "Lock", "Yes", "Wide", "XDT"}},
        {"thirty_channels.csv",
         11,
         {"145.00000", "145.00000", "203.5", "None", "Low", "Lock", "Yes", "Wide", "XRXT"}},
        {"thirty_channels.csv",
         12,
         {"145.02500", "145.02500", "D565N", "None", "Low", "Lock", "Yes", "Wide", "XRXD"}},
        {"thirty_channels.csv",
         13,
         {"145.05000", "145.05000", "None", "None", "High", "Lock", "Yes", "Wide", "BADTON"}},
        {"thirty_channels.csv",
         14,
         {"145.07500", "145.07500", "None", "D155I", "High", "Lock", "Yes", "Wide", "XTXD"}},
        {"thirty_channels.csv",
         15,
         {"433.50000", "433.50000", "D026I", "D025N", "Middle", "Lock", "Yes", "Narrow", "XDD"}},
        {"thirty_channels.csv",
         16,
         {"145.10000", "145.10000", "None", "151.4", "High", "Lock", "Yes", "Wide", "XTX"}},
        {"thirty_channels.csv",
         17,
         {"145.80000", "435.00000", "None", "None", "High", "Lock", "Yes", "Wide", "SPLIT1"}},
        {"thirty_channels.csv",
         18,
         {"435.30000", "145.90000", "107.2", "107.2", "High", "Unlock", "Yes", "Wide", "SPLIT2"}},
        {"thirty_channels.csv",
         19,
         {"162.55000", "", "None", "None", "High", "Lock", "No", "Wide", "WX1"}},
        // Float noise snaps to the list; a shortened DCS code gets its zeros back.
        {"thirty_channels.csv",
         21,
         {"146.58000", "146.58000", "88.5", "88.5", "High", "Lock", "Yes", "Wide", "NOISE"}},
        {"thirty_channels.csv",
         22,
         {"147.00000", "147.60000", "None", "162.2", "High", "Lock", "Yes", "Wide", "NOISE2"}},
        {"thirty_channels.csv",
         23,
         {"446.05000", "446.05000", "D023N", "D023N", "Low", "Lock", "Yes", "Narrow", "SHORT"}},
        {"thirty_channels.csv", 25, {}},  // off the step: not stored
        {"thirty_channels.csv",
         29,
         {"173.00000", "", "None", "None", "High", "Lock", "Yes", "Wide", "HIGHTX"}},
        // Columns in another order, extra ones, no RxDtcsCode (the one code serves both).
        {"reordered_missing.csv",
         2,
         {"146.76000", "146.16000", "None", "141.3", "High", "Lock", "Yes", "Wide", "CLUB"}},
        {"reordered_missing.csv",
         3,
         {"446.50000", "446.50000", "D244I", "D244I", "High", "Lock", "Yes", "Narrow", "DCS"}},
        {"reordered_missing.csv",
         4,
         {"446.70000", "446.70000", "D432I", "None", "High", "Lock", "Yes", "Narrow", "RXDCS"}},
        // No CrossMode: Cross is Tone->Tone.
        {"old_layout.csv",
         2,
         {"147.15000", "147.75000", "110.9", "103.5", "High", "Lock", "Yes", "Wide", "OLD1"}},
        {"old_layout.csv",
         3,
         {"446.08750", "446.08750", "D065N", "D065I", "High", "Unlock", "No", "Narrow", "OLD2"}},
        // BOM, CRLF, blanks around fields, quotes, power labels, the lock in the comment.
        {"quoted_bom_crlf.csv",
         2,
         {"146.85000", "146.25000", "127.3", "127.3", "High", "Lock", "Yes", "Wide", "HILL"}},
        {"quoted_bom_crlf.csv",
         3,
         {"146.88000", "146.28000", "None", "123.0", "Middle", "Lock", "Yes", "Wide", "RELAY"}},
        {"quoted_bom_crlf.csv",
         4,
         {"146.91000", "146.91000", "None", "None", "Low", "Lock", "Yes", "Wide", "AB"}},
        {"quoted_bom_crlf.csv",
         5,
         {"146.92500", "146.92500", "None", "None", "Middle", "Unlock", "Yes", "Narrow", "FOUR"}},
        // The dump's listing in Chinese, read into an English grid.
        {"dump_zh.tsv",
         1,
         {"146.52000", "146.52000", "None", "None", "High", "Lock", "Yes", "Wide", "CALL"}},
        {"dump_zh.tsv",
         2,
         {"145.65000", "145.05000", "None", "88.5", "Middle", "Unlock", "No", "Narrow", "RPT"}},
        {"dump_zh.tsv",
         4,
         {"446.00000", "", "D023N", "D023I", "Low", "Lock", "Yes", "Narrow", "PMR"}},
        {"dump_zh.tsv",
         5,
         {"145.00000", "145.60000", "None", "88.5", "High", "Lock", "Yes", "Wide", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " row " + std::to_string(c.row));
        const ImportResult r = ImportInto(ChannelGrid(), Fixture(c.file));
        EXPECT_EQ(r.grid.RowTexts(c.row), c.texts);
    }
}

TEST(ChannelListImport, TheGridsLanguageIsUsed) {
    const ImportResult r = ImportInto(ChannelGrid(Language::Chinese), Fixture("old_layout.csv"));
    EXPECT_EQ(r.grid.RowTexts(3), (ChannelTexts{"446.08750", "446.08750", "D065N", "D065I", "高",
                                                "未锁定", "无", "窄", "OLD2"}));
}

TEST(ChannelListImport, WhatIsNoChannelListIsRefused) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"prose", Fixture("not_a_csv.txt")},
        {"empty", ""},
        {"blank lines only", "\r\n \n\n"},
        {"no Frequency column", "Location,Name,Offset\n1,A,0.6\n"},
        {"no Location column", "Name,Frequency\nA,146.52\n"},
        {"binary", std::string("\x00\xFF\x10\"\x01,\t", 7)},
        {"dump without Rx Frequency", "CH\tName\nPr\tX\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ChannelList list = ReadChannelList(c.bytes);
        EXPECT_FALSE(list.status.ok);
        EXPECT_FALSE(list.status.message.empty());
        EXPECT_TRUE(list.entries.empty());
    }
}

ChannelGrid GridWith(std::initializer_list<std::pair<int, const char*>> rows) {
    ChannelGrid grid;
    for (auto [row, frequency] : rows)
        EXPECT_EQ(CommitCellEdit(grid, row, kColRxFreq, frequency, Language::English),
                  CommitResult::Accepted);
    return grid;
}

TEST(ChannelListImport, ReplaceMergeAndShift) {
    const std::string file =
        "Location,Frequency\n"
        "1,145.000000\n"
        "2,145.025000\n"
        "4,\n";  // listed without a channel
    const ChannelGrid current = GridWith({{1, "146.52"}, {2, "146.55"}, {5, "146.58"}, {9, "147"}});
    const struct {
        const char* name;
        ImportOptions options;
        std::vector<std::pair<int, std::string>> rows;  // every row in use afterwards
        std::vector<std::string> findings;
    } cases[] = {
        {"replace",
         {false, 0},
         {{2, "145.00000"}, {3, "145.02500"}},
         {"4: location 4: no frequency: stored an empty channel"}},
        {"merge",
         {true, 0},
         {{1, "146.52000"}, {2, "145.00000"}, {3, "145.02500"}, {9, "147.00000"}},
         {"4: location 4: no frequency: stored an empty channel"}},
        {"merge from row 9",
         {true, 9},
         {{1, "146.52000"},
          {2, "146.55000"},
          {5, "146.58000"},
          {9, "145.00000"},
          {10, "145.02500"}},
         {"4: location 4: no frequency: stored an empty channel"}},
        {"replace from Pr",
         {false, 1},
         {{1, "145.00000"}, {2, "145.02500"}},
         {"4: location 4: no frequency: stored an empty channel"}},
        {"the last row",
         {false, 200},
         {{200, "145.00000"}},
         {"3: location 2: moved to channel 200, beyond channel 199: skipped"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportResult r = ImportInto(current, file, c.options);
        std::vector<std::pair<int, std::string>> rows;
        for (int row = 1; row < ChannelGrid::kRows; ++row)
            if (r.grid.InUse(row)) rows.emplace_back(row, r.grid.Text(row, kColRxFreq));
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(FindingLines(r.findings), c.findings);
        std::vector<int> changed;
        for (int row = 1; row < ChannelGrid::kRows; ++row)
            if (r.grid.RowTexts(row) != current.RowTexts(row)) changed.push_back(row);
        EXPECT_EQ(r.changedRows, changed);
    }
}

TEST(ChannelListExport, WritesTheCommonLayout) {
    const std::string header =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";
    const struct {
        const char* name;
        int row;
        ChannelTexts texts;
        const char* line;
    } cases[] = {
        {"simplex, no tones",
         1,
         {"146.52000", "146.52000", "None", "None", "High", "Lock", "Yes", "Wide", "CALL"},
         "0,CALL,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,"},
        {"minus offset, transmit tone",
         2,
         {"145.65000", "145.05000", "None", "88.5", "High", "Lock", "Yes", "Wide", "RPT"},
         "1,RPT,145.650000,-,0.600000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,"},
        {"same tone both ways is TSQL",
         3,
         {"440.10000", "445.10000", "100.0", "100.0", "Low", "Lock", "Yes", "Wide", ""},
         "2,,440.100000,+,5.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,FM,5.00,,Low,,,,,"},
        {"same code both ways is DTCS",
         4,
         {"446.01250", "446.01250", "D023I", "D023N", "Middle", "Unlock", "No", "Narrow", "D"},
         "3,D,446.012500,,0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,NFM,6.25,S,Middle,"
         "unlock,,,,"},
        {"Tone->Tone",
         5,
         {"145.80000", "435.00000", "131.8", "100.0", "High", "Lock", "Yes", "Wide", ""},
         "4,,145.800000,split,435.000000,Cross,100.0,131.8,023,NN,023,Tone->Tone,FM,5.00,,High,"
         ",,,,"},
        {"Tone->DTCS",
         6,
         {"145.00250", "", "D411I", "67.0", "High", "Lock", "Yes", "Wide", ""},
         "5,,145.002500,off,0.000000,Cross,67.0,88.5,023,NR,411,Tone->DTCS,FM,2.50,,High,,,,,"},
        {"DTCS->Tone",
         7,
         {"145.00000", "145.00000", "162.2", "D131I", "High", "Lock", "Yes", "Wide", ""},
         "6,,145.000000,,0.000000,Cross,88.5,162.2,131,RN,023,DTCS->Tone,FM,5.00,,High,,,,,"},
        {"->Tone",
         8,
         {"145.00000", "145.00000", "203.5", "None", "High", "Lock", "Yes", "Wide", ""},
         "7,,145.000000,,0.000000,Cross,88.5,203.5,023,NN,023,->Tone,FM,5.00,,High,,,,,"},
        {"->DTCS",
         9,
         {"145.00000", "145.00000", "D565N", "None", "High", "Lock", "Yes", "Wide", ""},
         "8,,145.000000,,0.000000,Cross,88.5,88.5,023,NN,565,->DTCS,FM,5.00,,High,,,,,"},
        {"DTCS->",
         10,
         {"145.00000", "145.00000", "None", "D155I", "High", "Lock", "Yes", "Wide", ""},
         "9,,145.000000,,0.000000,Cross,88.5,88.5,155,RN,023,DTCS->,FM,5.00,,High,,,,,"},
        {"DTCS->DTCS",
         11,
         {"145.00000", "145.00000", "D026I", "D025N", "High", "Lock", "Yes", "Wide", ""},
         "10,,145.000000,,0.000000,Cross,88.5,88.5,025,NR,026,DTCS->DTCS,FM,5.00,,High,,,,,"},
        {"a transmit tone alone is Tone, never Cross Tone->",
         12,
         {"145.00000", "145.00000", "None", "151.4", "High", "Lock", "Yes", "Wide", ""},
         "11,,145.000000,,0.000000,Tone,151.4,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,"},
        {"Chinese texts",
         13,
         {"146.52000", "147.12000", "无", "D023N", "中", "未锁定", "无", "窄", "ZH"},
         "12,ZH,146.520000,+,0.600000,Cross,88.5,88.5,023,NN,023,DTCS->,NFM,5.00,S,Middle,unlock,"
         ",,,"},
        {"a field with a comma is quoted",
         14,
         {"146.52000", "146.52000", "None", "None", "High", "Lock", "Yes", "Wide", "A,\"B"},
         "13,\"A,\"\"B\",146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChannelGrid grid;
        grid.SetRowTexts(c.row, c.texts);
        EXPECT_EQ(WriteChannelCsv(grid), header + c.line + "\r\n");
    }
}

// A channel table only the entry rules could have made: every row's texts typed in.
ChannelGrid RandomValidGrid(unsigned seed, Language lang) {
    std::mt19937 rng(seed);
    const auto pick = [&rng](std::int64_t n) { return static_cast<std::int64_t>(rng() % n); };
    const auto frequency = [&](int band) {
        const std::int64_t low = band == 1 ? kBand1Low : kBand2Low;
        const std::int64_t high = band == 1 ? kBand1High : kBand2High;
        const std::int64_t step = pick(2) ? 250 : 625;
        const std::int64_t first = (low + step - 1) / step;
        return FrequencyUnitsToText((first + pick(high / step - first + 1)) * step);
    };
    const std::string nameChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-_";
    std::array<std::vector<std::string>, kColBandwidth + 1> lists;
    for (int col = kColRxTone; col <= kColBandwidth; ++col)
        lists[static_cast<std::size_t>(col)] = ColumnItems(col, lang);
    ChannelGrid grid(lang);
    for (int row = 1; row < ChannelGrid::kRows; ++row) {
        if (pick(5) == 0) continue;
        const int band = 1 + static_cast<int>(pick(2));
        const auto commit = [&](int col, const std::string& text) {
            EXPECT_EQ(CommitCellEdit(grid, row, col, text, lang), CommitResult::Accepted);
        };
        commit(kColRxFreq, frequency(band));
        switch (pick(4)) {
            case 0:
                break;  // the same as receive
            case 1:
                commit(kColTxFreq, "");
                break;
            default:
                commit(kColTxFreq, frequency(pick(2) ? band : 3 - band));
        }
        for (int col = kColRxTone; col <= kColBandwidth; ++col) {
            const std::vector<std::string>& items = lists[static_cast<std::size_t>(col)];
            commit(col,
                   items[static_cast<std::size_t>(pick(static_cast<std::int64_t>(items.size())))]);
        }
        std::string name;
        for (std::int64_t n = pick(kChannelNameLength + 1); n > 0; --n)
            name += nameChars[static_cast<std::size_t>(
                pick(static_cast<std::int64_t>(nameChars.size())))];
        commit(kColName, name);
    }
    return grid;
}

TEST(ChannelListRoundTrip, RandomValidImagesKeepEveryChannelField) {
    for (Language lang : {Language::English, Language::Chinese}) {
        for (unsigned seed = 1; seed <= 25; ++seed) {
            SCOPED_TRACE("seed " + std::to_string(seed));
            RadioImage image = RadioImage::Blank();
            EncodeGridToImage(RandomValidGrid(seed, lang), image);
            ChannelGrid decoded(lang);
            DecodeImageToGrid(image, decoded, lang);

            for (const std::string& text : {WriteChannelCsv(decoded), WriteChannelTsv(decoded)}) {
                const ImportResult r = ImportInto(ChannelGrid(lang), text);
                EXPECT_TRUE(r.findings.empty()) << r.findings.front().text;
                for (int row = 1; row < ChannelGrid::kRows; ++row)
                    ASSERT_EQ(r.grid.RowTexts(row), decoded.RowTexts(row)) << "row " << row;
                // And byte for byte: the records and names an image gets from it.
                RadioImage again = RadioImage::Blank();
                EncodeGridToImage(r.grid, again);
                EXPECT_TRUE(again == image);
            }
        }
    }
}

// Whatever the bytes, what is stored obeys the grid's entry rules: the importer is fed files
// from anywhere, and a channel the grid could not have made must never reach the radio.
TEST(ChannelListImport, DamagedFilesStoreOnlyChannelsTheRulesAllow) {
    const std::string pieces[] = {",", "\"", "\n", "\r\n", "\t",          "->",
                                  "D", "9",  ".",  " ",    "\xEF\xBB\xBF"};
    std::mt19937 rng(7);
    int checked = 0;  // channels looked at: the damage must leave plenty to check
    for (const char* name : {"thirty_channels.csv", "one_of_each.csv", "dump_zh.tsv"}) {
        const std::string original = Fixture(name);
        for (int round = 0; round < 150; ++round) {
            std::string bytes = original;
            for (int edits = 1 + static_cast<int>(rng() % 8); edits > 0; --edits) {
                const std::size_t at = rng() % (bytes.size() + 1);
                switch (rng() % 3) {
                    case 0:
                        bytes.insert(at, pieces[rng() % std::size(pieces)]);
                        break;
                    case 1:
                        bytes.erase(at, rng() % 12);
                        break;
                    default:
                        if (at < bytes.size()) bytes[at] = static_cast<char>(rng());
                }
            }
            const ChannelList list = ReadChannelList(bytes);
            if (!list.status) continue;
            const ImportResult r = ApplyImport(ChannelGrid(), list, {});
            for (const ImportFinding& f : r.findings) ASSERT_FALSE(f.text.empty());
            for (int row = 1; row < ChannelGrid::kRows; ++row) {
                if (!r.grid.InUse(row)) continue;
                ++checked;
                SCOPED_TRACE(std::string(name) + " round " + std::to_string(round) + " row " +
                             std::to_string(row));
                for (int col : {kColRxFreq, kColTxFreq}) {
                    const std::string& text = r.grid.Text(row, col);
                    if (col == kColTxFreq && text.empty()) continue;
                    EXPECT_TRUE(FrequencyInBands(FrequencyUnits(text)) &&
                                FrequencyOnStep(FrequencyUnits(text)))
                        << text;
                }
                for (int col = kColRxTone; col <= kColBandwidth; ++col)
                    EXPECT_EQ(ResolveListEntry(col, r.grid.Text(row, col), Language::English),
                              r.grid.Text(row, col));
                std::string name = r.grid.Text(row, kColName);
                EXPECT_FALSE(CheckRadioName(name, kChannelNameLength).has_value()) << name;
            }
        }
    }
    EXPECT_GT(checked, 3000);
}

}  // namespace
}  // namespace radio
