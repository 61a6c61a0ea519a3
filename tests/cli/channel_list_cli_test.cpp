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
        EXPECT_EQ(Run({"new", Path(name)}).exit, 0);
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
    EXPECT_EQ(r.exit, 0);  // findings do not make an import fail

    std::string expected;
    std::ifstream findings(kData + "/csv/thirty_channels.findings");
    for (std::string line; std::getline(findings, line);) expected += csv + ":" + line + "\n";
    expected += "radioprog: " + y + ": 28 channels imported, 28 rows changed, 11 findings\n";
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
    EXPECT_EQ(imported.exit, 0) << imported.err;
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

}  // namespace
}  // namespace radio
