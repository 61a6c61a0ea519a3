// radioprog export and import, run as a process the way scripts use them.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/file_bytes.h"
#include "tests/support/radioprog_run.h"

namespace radio {
namespace {

const std::string kData = RADIO_TEST_DATA;
const std::string kDemo = std::string(RADIO_RESOURCES) + "/demo.dat";

using radio::test::ReadFile;
using radio::test::Result;
using radio::test::WriteFile;

class ChannelListCli : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        WriteFile(Path("Program.ini"), "[Setup]\nAppName=TestProg\n");
    }
    std::string Path(const std::string& name) const {
        return m_dir.filePath(QString::fromStdString(name)).toStdString();
    }
    Result Run(const std::vector<std::string>& args, const std::string& input = {}) {
        std::vector<std::string> all{"--config", Path("Program.ini"), "--settings",
                                     Path("settings.ini")};
        all.insert(all.end(), args.begin(), args.end());
        return radio::test::RunRadioprog(all, input);
    }
    std::string NewFile(const std::string& name) {
        EXPECT_EQ(Run({"new", "--force", Path(name)}).exit, 0);
        return Path(name);
    }

    QTemporaryDir m_dir;
};

TEST_F(ChannelListCli, ExportThenImportIntoABlankFileGivesTheSameDump) {
    for (const char* lang : {"en", "zh"}) {
        SCOPED_TRACE(lang);
        // Through a CSV file, and through dump's own listing (read back without loss).
        ASSERT_EQ(Run({"export", kDemo, Path("x.csv")}).exit, 0);
        const Result dump = Run({"--lang", lang, "dump", kDemo});
        WriteFile(Path("x.tsv"), dump.out);
        for (const char* list : {"x.csv", "x.tsv"}) {
            const std::string y = NewFile("y.dat");
            const Result imported = Run({"--lang", lang, "import", y, Path(list)});
            EXPECT_EQ(imported.exit, 0) << imported.err;
            EXPECT_EQ(Run({"--lang", lang, "dump", y}).out, dump.out) << list;
        }
    }
}

TEST_F(ChannelListCli, ThirtyChannelsImportWithExactlyTheExpectedFindings) {
    const std::string y = NewFile("y.dat");
    const std::string csv = kData + "/csv/thirty_channels.csv";
    const Result r = Run({"import", y, csv});
    // Findings alone do not make an import fail; the two channels left out (off step, past
    // channel 199) do, and the others are saved all the same.
    EXPECT_EQ(r.exit, 1);

    std::string expected;
    std::ifstream findings(kData + "/csv/thirty_channels.findings");
    for (std::string line; std::getline(findings, line);) expected += csv + ":" + line + "\n";
    expected += "radioprog: " + y + ": 28 channels imported, 28 rows changed, 14 findings\n";
    expected += "radioprog: 2 channels of " + csv + " not imported (see the findings above)\n";
    EXPECT_EQ(r.err, expected);
    const std::string dump = Run({"dump", y}).out;
    EXPECT_NE(dump.find("\n3\t147.33000\t147.93000\tNone\t123.0\tHigh\tLock\tYes\tWide\tREPEAT\n"),
              std::string::npos);
    EXPECT_NE(dump.find("\n9\t440.20000\t445.20000\t162.2\tD131I\tHigh\tLock\tYes\tWide\tXDT\n"),
              std::string::npos);
}

TEST_F(ChannelListCli, DryRunListsTheChangesAndWritesNothing) {
    const std::string y = NewFile("y.dat");
    ASSERT_EQ(Run({"set", y, "1", "1", "146.52", "3", "1", "145.05"}).exit, 0);
    const std::string before = ReadFile(y);
    WriteFile(
        Path("in.csv"),
        "Location,Frequency,Tone,rToneFreq,Name\n1,145.000000,Tone,88.5,a\n2,145.050000,,,\n");

    const Result r = Run({"import", "--dry-run", y, Path("in.csv"), "--merge"});
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.out,
              "ROW\tCOLUMN\tOLD\tNEW\n"
              "2\tRx Frequency\t\t145.00000\n"
              "2\tTx Frequency\t\t145.00000\n"
              "2\tRx Tone\t\tNone\n"
              "2\tTx Tone\t\t88.5\n"
              "2\tPower\t\tHigh\n"
              "2\tCha Lock\t\tLock\n"
              "2\tScan Add\t\tYes\n"
              "2\tBandwidth\t\tWide\n"
              "2\tCha Name\t\tA\n");  // row 3 holds 145.05 already: no change; Pr is kept
    EXPECT_EQ(r.err, "radioprog: dry run: 1 row would change; " + y + " is unchanged\n");
    EXPECT_EQ(ReadFile(y), before);
}

TEST_F(ChannelListCli, StandardInputAndOutput) {
    const Result exported = Run({"export", kDemo, "-"});
    ASSERT_EQ(exported.exit, 0);
    EXPECT_TRUE(exported.out.starts_with("Location,Name,Frequency,Duplex,Offset,Tone,"));
    EXPECT_NE(exported.out.find("\r\n0,CALL2M,146.520000,,0.000000,,88.5,88.5,023,NN,023,"),
              std::string::npos);

    const std::string y = NewFile("y.dat");
    const Result imported = Run({"import", y, "-", "--start", "51"}, exported.out);
    // The demo's last two channels (150, 151) move past channel 199: the rest is saved, and
    // the exit status tells a script that the import is not whole.
    EXPECT_EQ(imported.exit, 1) << imported.err;
    EXPECT_NE(imported.err.find("radioprog: 2 channels of <stdin> not imported"), std::string::npos)
        << imported.err;
    // The file's first channel (Pr) lands on row 51, the others follow at their distance.
    const std::string dump = Run({"dump", y}).out;
    EXPECT_NE(dump.find("\n50\t146.52000\t146.52000\t"), std::string::npos);
    EXPECT_NE(dump.find("\nPr\t\t"), std::string::npos);
}

TEST_F(ChannelListCli, RefusalsLeaveTheFileAlone) {
    const std::string y = NewFile("y.dat");
    ASSERT_EQ(Run({"set", y, "1", "1", "146.52"}).exit, 0);
    WriteFile(Path("big.csv"), std::string(4 * 1024 * 1024 + 1, 'x'));
    const struct {
        const char* name;
        std::vector<std::string> args;
        int exit;
        const char* message;
    } cases[] = {
        {"not a channel list",
         {"import", y, kData + "/csv/not_a_csv.txt"},
         1,
         "not a channel list in CSV"},
        {"too large", {"import", y, Path("big.csv")}, 1, "larger than 4 MB"},
        {"missing list", {"import", y, Path("none.csv")}, 2, "none.csv"},
        {"missing image",
         {"import", Path("none.dat"), kData + "/csv/old_layout.csv"},
         2,
         "none.dat"},
        {"start past the end",
         {"import", y, kData + "/csv/old_layout.csv", "--start", "201"},
         2,
         "--start takes a ROW 1-200"},
        {"start without a row",
         {"import", y, kData + "/csv/old_layout.csv", "--start"},
         2,
         "--start needs a ROW"},
        {"unknown option",
         {"import", y, kData + "/csv/old_layout.csv", "--mrege"},
         2,
         "unknown option '--mrege'"},
        {"one file", {"import", y}, 2, "import takes FILE.dat and IN.csv"},
        {"other columns without a map",
         {"import", y, kData + "/csv/kanal_semikolon.csv"},
         1,
         "name its columns with --map"},
        {"a map naming no column of the file",
         {"import", y, kData + "/csv/kanal_semikolon.csv", "--map", "rx=Freq"},
         2,
         "--map: the file has no column 'Freq' for rx"},
        {"a map without Rx",
         {"import", y, kData + "/csv/kanal_semikolon.csv", "--map=name=Name"},
         1,
         "the column map names no column for the Rx frequency"},
        {"no such stock list",
         {"import", y, "--stock", "pmr"},
         2,
         "no stock list 'pmr' (there are: calling,"},
        {"a stock list and a file",
         {"import", y, kData + "/csv/old_layout.csv", "--stock", "murs"},
         2,
         "import --stock NAME takes FILE.dat alone"},
        {"export to a folder", {"export", y, m_dir.path().toStdString()}, 1, ""},
        {"export of a missing image", {"export", Path("none.dat"), Path("x.csv")}, 2, "none.dat"},
    };
    const std::string before = ReadFile(y);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Result r = Run(c.args);
        EXPECT_EQ(r.exit, c.exit) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(ReadFile(y), before);
    }
}

// Stock lists and tables of other columns, each checked in dump's listing afterwards.
TEST_F(ChannelListCli, StockListsAndColumnMaps) {
    const Result lists = Run({"stock"});
    EXPECT_EQ(lists.exit, 0);
    EXPECT_NE(lists.out.find("pmr446\tPMR446 channels 1-16"), std::string::npos) << lists.out;
    EXPECT_NE(lists.out.find("noaa-weather\t"), std::string::npos);

    const std::string kanal = kData + "/csv/kanal_semikolon.csv";
    const struct {
        const char* name;
        std::vector<std::string> args;  // after "import FILE"
        int exit;
        std::vector<std::string> rows;  // dump lines that must be there afterwards
        const char* out;                // in stdout
    } cases[] = {
        {"stock list moved",
         {"--stock", "pmr446", "--start", "20"},
         0,
         {"19\t446.00625\t446.00625\tNone\tNone\tLow\tLock\tYes\tNarrow\tPMR1",
          "34\t446.19375\t446.19375\tNone\tNone\tLow\tLock\tYes\tNarrow\tPMR16", "35\t\t"},
         ""},
        {"receive only",
         {"--stock", "noaa-weather"},
         0,
         {"1\t162.55000\t\tNone\tNone\tHigh\tLock\tYes\tWide\tWX1"},
         ""},
        {"map",
         {kanal, "--map", "loc=Kanal,rx=Frequenz,offset=Ablage,txtone=Subton,name=Name"},
         0,
         {"1\t439.05000\t431.45000\tNone\t71.9\tHigh\tLock\tYes\tWide\tDB0ABC",
          "5\t145.50000\t145.50000\tNone\tNone\tHigh\tLock\tYes\tWide\tANRUF"},
         ""},
        {"map guess writes nothing",
         {kanal, "--map", "guess"},
         0,
         {"1\t\t"},
         "map: loc=Kanal,rx=Frequenz,offset=Ablage,txtone=Subton,name=Name\nCH\tRx Frequency"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string y = NewFile("y.dat");
        std::vector<std::string> args{"import", y};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = Run(args);
        EXPECT_EQ(r.exit, c.exit) << r.err;
        EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
        const std::string dump = Run({"dump", y}).out;
        for (const std::string& row : c.rows)
            EXPECT_NE(dump.find("\n" + row), std::string::npos) << row << "\n" << dump;
    }
}

// UTF-16 text as a spreadsheet saves "Unicode text": little-endian with a byte order mark.
std::string Utf16(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
}

// What an import took decides its exit status: 0 only when every channel of the file found
// its row; 1 when it took nothing (the file unchanged) or left channels out (the others saved).
TEST_F(ChannelListCli, ImportResultsAndExitStatus) {
    const std::string head = "Location,Frequency,Power\r\n";
    const struct {
        const char* name;
        std::string list;
        std::vector<std::string> options;
        int exit;
        std::vector<std::string> said;  // in stderr
        const char* row1;               // dump's row 1 (Pr) after: nullptr for unchanged
    } cases[] = {
        {"every channel taken",
         head + "0,146.52,\r\n1,146.55,\r\n",
         {},
         0,
         {"2 channels imported"},
         "Pr\t146.52000"},
        {"header only", head, {}, 1, {"nothing imported: the file lists no channels"}, nullptr},
        {"frequencies in Hz",
         head + "0,146520000,\r\n1,446000000,\r\n",
         {},
         1,
         {"frequency 146520000 is out of range (136-175 and 400-520 MHz); it looks like Hz "
          "(146.520000 MHz), but the file must give MHz: kept the stored Rx and Tx Frequencies",
          "nothing imported: frequencies look like Hz: 146520000 (the file must give MHz)"},
         nullptr},
        {"frequencies in kHz",
         head + "0,146520,\r\n",
         {},
         1,
         {"nothing imported: frequencies look like kHz: 146520"},
         nullptr},
        {"some channels left out",
         head + "0,146.52,\r\n1,146520000,\r\n",
         {},
         1,
         {"1 channel imported", "1 channel of LIST not imported (see the findings above)"},
         "Pr\t146.52000"},
        {"pushed past the last row by --start",
         head + "0,146.52,\r\n1,146.55,\r\n",
         {"--start", "200"},
         1,
         {"moved to channel 200, beyond channel 199: skipped", "1 channel of LIST not imported"},
         "Pr\t\t"},
        {"a dry run says the same", head, {"--dry-run"}, 1, {"nothing imported"}, nullptr},
        {"watts become levels, said so",
         head + "0,146.52,4W\r\n1,146.55,0.5W\r\n",
         {},
         0,
         {":2: location 0: power 4W read as High", ":3: location 1: power 0.5W read as Low"},
         "Pr\t146.52000"},
        {"UTF-16 with a byte order mark",
         Utf16(head + "0,146.52,\r\n"),
         {},
         0,
         {"1 channel imported"},
         "Pr\t146.52000"},
        {"UTF-16 cut in a character",
         Utf16(head).substr(0, 9),
         {},
         1,
         {"the file is UTF-16LE text that breaks at byte 8"},
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string y = NewFile("y.dat");
        ASSERT_EQ(Run({"set", y, "2", "1", "440.00"}).exit, 0);  // gone unless nothing is taken
        const std::string before = ReadFile(y);
        WriteFile(Path("list.csv"), c.list);
        std::vector<std::string> args{"import", y, Path("list.csv")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Result r = Run(args);
        EXPECT_EQ(r.exit, c.exit) << r.err;
        for (std::string said : c.said) {
            if (auto at = said.find("LIST"); at != std::string::npos)
                said.replace(at, 4, Path("list.csv"));
            EXPECT_NE(r.err.find(said), std::string::npos) << said << "\n" << r.err;
        }
        if (c.row1 == nullptr) {
            EXPECT_EQ(ReadFile(y), before);
        } else {
            EXPECT_NE(Run({"dump", y}).out.find(std::string("\n") + c.row1), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace radio
