// radioprog copy, move, insert, delete and sort as scripts use them, and the global options
// on either side of the command.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/file_bytes.h"
#include "tests/support/radioprog_run.h"

namespace radio {
namespace {

const std::string kDemo = std::string(RADIO_RESOURCES) + "/demo.dat";

using test::ReadFile;
using test::Result;
using test::WriteFile;

// A record's 16 bytes and the name's 8, as the file holds them.
std::string Channel(const std::string& file, int row) {
    const auto record = static_cast<std::size_t>(row - 1);
    return file.substr(record * 16, 16) + file.substr(0x0CA0 + record * 8, 8);
}

class RowCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        WriteFile(Path("Program.ini"), "[Setup]\nAppName=TestProg\n");
        // demo.dat with a byte no text shows in each record, so moved channels are told apart
        // by their bytes alone.
        std::string demo = ReadFile(kDemo);
        ASSERT_EQ(demo.size(), 8192u);
        for (int record = 0; record < 200; ++record) demo[record * 16 + 13] = char(record);
        WriteFile(Path("demo.dat"), demo);
        m_demo = demo;
    }
    std::string Path(const std::string& name) const {
        return m_dir.filePath(QString::fromStdString(name)).toStdString();
    }
    Result Run(const std::vector<std::string>& args) { return test::RunRadioprog(args); }
    std::vector<std::string> Global() const {
        return {"--config", Path("Program.ini"), "--settings", Path("settings.ini")};
    }

    QTemporaryDir m_dir;
    std::string m_demo;
};

TEST_F(RowCommands, MoveWholeChannelsAndSaveOnlyWhatSucceeded) {
    const struct {
        std::vector<std::string> args;  // after the file
        const char* command;
        int exit;
        // row -> the demo row whose bytes it holds afterwards (0: an empty record)
        std::vector<std::pair<int, int>> rows;
        const char* message;  // part of stderr
    } cases[] = {
        {{"2", "8"}, "copy", 0, {{2, 2}, {8, 2}, {9, 9}}, ""},
        {{"1", "198", "3"}, "copy", 0, {{198, 1}, {199, 2}, {200, 3}, {1, 1}}, ""},
        {{"2", "4"}, "move", 0, {{2, 3}, {3, 4}, {4, 2}, {5, 5}}, ""},
        {{"5", "1"}, "move", 0, {{1, 5}, {2, 1}, {5, 4}, {6, 6}}, ""},
        {{"3"}, "insert", 0, {{2, 2}, {3, 0}, {4, 3}, {152, 151}}, ""},
        {{"1"}, "delete", 0, {{1, 2}, {151, 152}, {152, 0}, {200, 0}}, ""},
        // NOAA 137.1, 137.9125, APRS 144.8 first; Pr stays in row 1 unless --with-pr.
        {{}, "sort", 0, {{1, 1}, {2, 151}, {3, 152}, {4, 6}}, ""},
        {{"--with-pr"}, "sort", 0, {{1, 151}, {2, 152}, {3, 6}}, ""},
        {{"0", "5"}, "copy", 2, {}, "FROM must be a row 1-200"},
        {{"199", "5", "3"}, "copy", 2, {}, "COUNT must be at least 1"},
        {{"5", "201"}, "move", 2, {}, "TO must be a row 1-200"},
        {{"x"}, "delete", 2, {}, "ROW must be a row 1-200"},
        {{"1", "2"}, "sort", 2, {}, "sort takes exactly one FILE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + testing::PrintToString(c.args));
        WriteFile(Path("demo.dat"), m_demo);
        std::vector<std::string> args = Global();
        args.push_back(c.command);
        args.push_back(Path("demo.dat"));
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = Run(args);
        EXPECT_EQ(r.exit, c.exit) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        const std::string after = ReadFile(Path("demo.dat"));
        ASSERT_EQ(after.size(), 8192u);
        if (c.exit != 0) {
            EXPECT_EQ(after, m_demo);
            continue;
        }
        for (const auto& [row, from] : c.rows) {
            if (from == 0)  // an empty record, also one moved with its own bytes
                EXPECT_EQ(after[(row - 1) * 16 + 3], '\xFF') << row;
            else
                EXPECT_EQ(Channel(after, row), Channel(m_demo, from)) << row << " from " << from;
        }
        // Nothing outside the channel table and names changes.
        EXPECT_EQ(after.substr(0x12E0), m_demo.substr(0x12E0));
    }
}

TEST_F(RowCommands, InsertRefusesToPushTheLastChannelOffUnlessForced) {
    ASSERT_EQ(Run({"copy", Path("demo.dat"), "1", "200"}).exit, 0);
    const std::string withLast = ReadFile(Path("demo.dat"));
    struct stat before {};
    ASSERT_EQ(stat(Path("demo.dat").c_str(), &before), 0);
    Result r = Run({"insert", Path("demo.dat"), "5"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_NE(r.err.find("channel 199 holds a channel"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("the file is unchanged"), std::string::npos) << r.err;
    struct stat after {};
    ASSERT_EQ(stat(Path("demo.dat").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);  // not even rewritten
    EXPECT_EQ(ReadFile(Path("demo.dat")), withLast);

    r = Run({"insert", "--force", Path("demo.dat"), "5"});
    EXPECT_EQ(r.exit, 0) << r.err;
    const std::string forced = ReadFile(Path("demo.dat"));
    EXPECT_EQ(Channel(forced, 200), Channel(withLast, 199));
    EXPECT_EQ(Channel(forced, 6), Channel(withLast, 5));

    // A file longer than an image is cut only with --truncate.
    WriteFile(Path("long.dat"), m_demo + "tail");
    EXPECT_EQ(Run({"sort", Path("long.dat")}).exit, 1);
    EXPECT_EQ(ReadFile(Path("long.dat")).size(), 8196u);
    EXPECT_EQ(Run({"sort", "--truncate", Path("long.dat")}).exit, 0);
    EXPECT_EQ(ReadFile(Path("long.dat")).size(), 8192u);
}

TEST_F(RowCommands, GlobalOptionsBeforeOrAfterTheCommand) {
    WriteFile(Path("other.ini"),
              "[Setup]\nAppName=Other\nType1=Model-A\nField1=136-174MHz\n[English]\nCompany=Far "
              "Co\n");
    const std::string demo = Path("demo.dat");
    const struct {
        std::vector<std::string> args;
        int exit;
        const char* out;  // the start of stdout
    } cases[] = {
        {{"--lang", "zh", "dump", demo}, 0, "CH\t接收频率"},
        {{"dump", demo, "--lang", "zh"}, 0, "CH\t接收频率"},
        {{"dump", "--lang=zh", demo}, 0, "CH\t接收频率"},
        {{"config", "get", "English", "Company", "--config", Path("other.ini")}, 0, "Far Co\n"},
        {{"--config=" + Path("other.ini"), "config", "get", "English", "Company"}, 0, "Far Co\n"},
        {{"sort", demo, "--settings", Path("s.ini"), "--lang", "zh"}, 0, ""},
        {{"dump", demo, "--lang", "fr"}, 2, ""},
        {{"dump", demo, "--config"}, 2, ""},
        {{"dump", demo, "--settings="}, 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const Result r = Run(c.args);
        EXPECT_EQ(r.exit, c.exit) << r.err;
        EXPECT_TRUE(r.out.starts_with(c.out)) << r.out.substr(0, 80);
    }
    // The settings named after the command are where band writes the choice.
    ASSERT_EQ(Run({"band", demo, "--type", "0", "--band", "0", "--settings", Path("band.ini"),
                   "--config", Path("other.ini")})
                  .exit,
              0);
    std::ifstream settings(Path("band.ini"));
    EXPECT_TRUE(settings.good());
}

}  // namespace
}  // namespace radio
