// Two commands changing one channel file at the same time, as two terminals or a script with
// '&' do: each ends with its change in the file, or exits 1 with its change absent. Never do
// both exit 0 with one change lost.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <tuple>
#include <vector>

#include "core/codec/channel_codec.h"
#include "core/image/file_lock.h"
#include "core/image/radio_image.h"
#include "tests/cli/child_process.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

namespace {

using radio::test::ChildProcess;
using radio::test::ReadFile;
using radio::test::WriteFile;

// What one writer does, and the Rx Frequency its change leaves in its row.
struct Writer {
    std::vector<std::string> args;  // after "radioprog --config C --settings S"; F is the file
    int row;
    const char* rx;
};

struct WriterCase {
    const char* name;
    Writer first, second;
    int rounds;
};

std::string RxOf(const std::string& bytes, int row) {
    radio::RadioImage image;
    std::copy_n(reinterpret_cast<const std::uint8_t*>(bytes.data()), radio::kImageSize,
                image.data());
    return radio::DecodeChannelRow(image, row - 1, radio::Language::English)[0];
}

class ConcurrentWriters : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(m_dir.File("Program.ini"), "[Setup]\nType1=Model-A\nField1=136-174MHz\n");
        // Location 30 of the list is row 31.
        WriteFile(m_dir.File("list.csv"), "Location,Frequency\r\n30,147.500000\r\n");
    }

    std::vector<std::string> Command(const std::vector<std::string>& args) const {
        std::vector<std::string> all{RADIO_BIN_DIR "/radioprog", "--config",
                                     m_dir.File("Program.ini"), "--settings",
                                     m_dir.File("settings.ini")};
        for (const std::string& a : args)
            all.push_back(a == "F" ? m_dir.File("f.dat") : a == "L" ? m_dir.File("list.csv") : a);
        return all;
    }

    radio::TempDir m_dir;
};

TEST_F(ConcurrentWriters, EveryChangeIsKeptOrItsCommandFails) {
    const std::vector<WriterCase> cases = {
        {"set against set",
         {{"set", "F", "10", "1", "146.52"}, 10, "146.52000"},
         {{"set", "F", "20", "1", "147.00"}, 20, "147.00000"},
         25},
        {"import --merge against set",
         {{"import", "F", "L", "--merge"}, 31, "147.50000"},
         {{"set", "F", "20", "1", "147.00"}, 20, "147.00000"},
         25},
    };
    const std::string blank(reinterpret_cast<const char*>(radio::RadioImage::Blank().data()),
                            radio::kImageSize);
    for (const WriterCase& c : cases) {
        SCOPED_TRACE(c.name);
        int bothDone = 0;
        for (int round = 0; round < c.rounds; ++round) {
            WriteFile(m_dir.File("f.dat"), blank);
            ChildProcess a(Command(c.first.args), m_dir.File("a.err"));
            ChildProcess b(Command(c.second.args), m_dir.File("b.err"));
            const int exitA = a.Wait(), exitB = b.Wait();
            const std::string file = ReadFile(m_dir.File("f.dat"));
            ASSERT_EQ(file.size(), radio::kImageSize);
            for (const auto& [w, exit, err] :
                 {std::tuple{c.first, exitA, "a.err"}, std::tuple{c.second, exitB, "b.err"}}) {
                const bool kept = RxOf(file, w.row) == w.rx;
                EXPECT_TRUE((exit == 0 && kept) || (exit == 1 && !kept))
                    << w.args[0] << " exit " << exit << ", change kept " << kept << ": "
                    << ReadFile(m_dir.File(err));
            }
            bothDone += exitA == 0 && exitB == 0;
        }
        // The lock makes the second one wait, not fail: most pairs end with both done.
        EXPECT_GT(bothDone, c.rounds / 2);
    }
}

// A writer that holds the file longer than the others wait: they give up naming it.
TEST_F(ConcurrentWriters, ASecondWriterGivesUpNamingTheFirst) {
    const std::string blank(reinterpret_cast<const char*>(radio::RadioImage::Blank().data()),
                            radio::kImageSize);
    WriteFile(m_dir.File("f.dat"), blank);
    radio::FileLock held;
    ASSERT_TRUE(radio::FileLock::Acquire(m_dir.File("f.dat"), held));
    const auto start = std::chrono::steady_clock::now();
    ChildProcess set(Command({"set", "F", "10", "1", "146.52"}), m_dir.File("set.err"));
    EXPECT_EQ(set.Wait(), 1);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(2500)) << "it waits a few seconds first";
    EXPECT_NE(ReadFile(m_dir.File("set.err"))
                  .find(m_dir.File("f.dat") + " is being changed by another program (process " +
                        std::to_string(::getpid()) + ")"),
              std::string::npos)
        << ReadFile(m_dir.File("set.err"));
    EXPECT_EQ(ReadFile(m_dir.File("f.dat")), blank);
}

}  // namespace
