// radioprog write to several radios at once, against virtual radios on pseudo-terminals.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "child_process.h"
#include "cli/cmd_write_many.h"
#include "core/formats/batch_log.h"
#include "core/formats/delimited_text.h"
#include "core/formats/sha256.h"
#include "tests/support/pty_test_support.h"
#include "tests/support/temp_dir.h"

namespace radio::test {
namespace {

namespace fs = std::filesystem;
const std::string kRadioprog = std::string(RADIO_BIN_DIR) + "/radioprog";
const std::string kDemo = RADIO_RESOURCES "/demo.dat";
constexpr std::size_t kSentBytes = 0x1FF3;  // what a write sends: 0x0000..0x1FF2

std::string Slurp(const fs::path& path) { return ReadBytes(path.string()); }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The log's rows as fields, the header checked and left out.
std::vector<std::vector<std::string>> LogRows(const fs::path& path) {
    const SplitText split = SplitDelimited(Slurp(path), ',');
    std::vector<std::vector<std::string>> rows;
    for (const TextRecord& record : split.records) rows.push_back(record.fields);
    EXPECT_FALSE(rows.empty());
    if (rows.empty()) return rows;
    EXPECT_EQ(JoinDelimited(rows.front(), ','), BatchLogHeader());
    rows.erase(rows.begin());
    return rows;
}
enum LogColumn { kRound, kPort, kStart, kEnd, kResult, kSeconds, kDiffs, kSha, kBackup, kId };

class WriteMany : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/radioprog-many-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    }
    void TearDown() override {
        if (sim) {
            sim->Signal(SIGINT);
            sim->Wait();
        }
        unsetenv("XDG_DATA_HOME");
        fs::remove_all(dir);
    }

    // Starts `radioprog simulate --count N ...` and returns its device paths.
    std::vector<std::string> Simulate(int count, std::vector<std::string> args) {
        args.insert(args.begin(), {kRadioprog, "simulate", "--count", std::to_string(count)});
        sim = std::make_unique<ChildProcess>(args, (dir / "sim.err").string());
        std::vector<std::string> ports;
        for (int i = 0; i < count && sim->started(); ++i) ports.push_back(sim->ReadLine());
        return ports;
    }
    // radioprog write FILE --port each port ... `extra`; stdout lines in `out`, stderr in `err`.
    int Write(const std::vector<std::string>& ports, const std::vector<std::string>& extra) {
        std::vector<std::string> args = {kRadioprog, "write", kDemo};
        for (const std::string& port : ports) args.insert(args.end(), {"--port", port});
        args.insert(args.end(), extra.begin(), extra.end());
        ChildProcess child(args, (dir / "run.err").string());
        const int status = child.Wait(60000);
        out.clear();
        for (std::string line; !(line = child.ReadLine(100)).empty();) out.push_back(line);
        err = Slurp(dir / "run.err");
        return status;
    }

    fs::path dir;
    std::unique_ptr<ChildProcess> sim;
    std::vector<std::string> out;
    std::string err;
};

TEST_F(WriteMany, FourRadiosAtOnceEachWithItsLineAndLogRow) {
    const std::vector<std::string> ports =
        Simulate(4, {"--fault", "4=corrupt-write:40", "--save", (dir / "saved.dat").string()});
    ASSERT_EQ(ports.size(), 4u);
    EXPECT_EQ(Write(ports, {"--log", (dir / "log.csv").string()}), 1) << err;

    // A line per radio, in the order they ended; the fourth names what it holds wrong.
    ASSERT_EQ(out.size(), 4u) << err;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const std::string says =
            ports[i] + (i < 3 ? ": verified ("
                              : ": verify failed: 1 difference: channel 20, Rx "
                                "Frequency: wrote 162.47500, the radio holds "
                                "162.47501 (");
        EXPECT_EQ(std::count_if(out.begin(), out.end(),
                                [&](const std::string& l) { return l.starts_with(says); }),
                  1)
            << says;
    }
    EXPECT_NE(err.find("radioprog: 3 of 4 radios verified"), std::string::npos) << err;

    // The good radios hold the image; the corrupting one all but one bit of it.
    sim->Signal(SIGINT);
    ASSERT_EQ(sim->Wait(), 0) << Slurp(dir / "sim.err");
    const std::string demo = Slurp(kDemo);
    for (int k = 1; k <= 4; ++k) {
        const std::string saved = Slurp(dir / ("saved-" + std::to_string(k) + ".dat"));
        ASSERT_EQ(saved.size(), demo.size());
        EXPECT_EQ(saved.substr(0, kSentBytes) == demo.substr(0, kSentBytes), k < 4) << k;
        EXPECT_EQ(saved[0x140] ^ demo[0x140], k < 4 ? 0 : 1) << k;
    }

    const auto rows = LogRows(dir / "log.csv");
    ASSERT_EQ(rows.size(), 4u);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(demo.data());
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 11u) << JoinDelimited(row, ',');
        const auto at = std::find(ports.begin(), ports.end(), row[kPort]);
        ASSERT_NE(at, ports.end()) << row[kPort];
        const int k = int(at - ports.begin()) + 1;
        EXPECT_EQ(row[kRound], "1");
        EXPECT_EQ(row[kResult], k < 4 ? "verified" : "verify failed");
        EXPECT_EQ(row[kDiffs].empty(), k < 4) << row[kDiffs];
        EXPECT_EQ(row[kSha], Sha256Hex(bytes, demo.size()));
        EXPECT_EQ(row[kBackup], "");
        EXPECT_EQ(row[kId], "56 52 41 44 49 4F 01 0" + std::to_string(k));
        EXPECT_EQ(row[kStart].size(), 25u) << row[kStart];  // 2024-05-01T14:03:22+02:00
        EXPECT_LE(row[kStart], row[kEnd]);
        EXPECT_GT(std::stod(row[kSeconds]), 0.0) << row[kSeconds];
    }
}

// Two rounds through a terminal: Enter after the first, q after the second. Each radio is read
// before it is written, and that image kept under its port's name.
TEST_F(WriteMany, RepeatWritesRoundsUntilQAndBacksUpEachRadioFirst) {
    RawPty terminal;
    ASSERT_FALSE(terminal.path().empty());
    const std::string before(reinterpret_cast<const char*>(RadioImage::Blank().data()), kImageSize);
    const std::vector<std::string> ports = Simulate(2, {});  // blank radios
    ASSERT_EQ(ports.size(), 2u);

    std::vector<std::string> args = {kRadioprog,
                                     "write",
                                     kDemo,
                                     "--port",
                                     ports[0],
                                     "--port",
                                     ports[1],
                                     "--repeat",
                                     "--backup-first",
                                     "--backup-dir",
                                     (dir / "kept").string(),
                                     "--log",
                                     (dir / "log.csv").string()};
    ChildProcess child(args, (dir / "run.err").string(), terminal.path());
    std::vector<std::string> lines;
    for (const char* answer : {"\n", "q\n"}) {
        for (int i = 0; i < 2; ++i) lines.push_back(child.ReadLine(30000));
        ASSERT_TRUE(terminal.Send(std::vector<std::uint8_t>(answer, answer + strlen(answer))));
    }
    ASSERT_EQ(child.Wait(), 0) << Slurp(dir / "run.err");
    const std::string written = Slurp(kDemo).substr(0, kSentBytes) + before.substr(kSentBytes);
    for (const std::string& line : lines) EXPECT_NE(line.find(": verified ("), std::string::npos);
    const std::string errText = Slurp(dir / "run.err");
    std::size_t prompts = 0;
    for (const std::string& line : Lines(errText))
        prompts += line == "Connect the next radio(s) and press Enter, or q to finish";
    EXPECT_EQ(prompts, 2u) << errText;

    const auto rows = LogRows(dir / "log.csv");
    ASSERT_EQ(rows.size(), 4u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        EXPECT_EQ(row[kRound], i < 2 ? "1" : "2");
        EXPECT_EQ(row[kResult], "verified");
        // Round 1 keeps what the radios held, round 2 what round 1 wrote over it.
        ASSERT_TRUE(row[kBackup].starts_with((dir / "kept").string() + "/pts-")) << row[kBackup];
        const std::string kept = Slurp(row[kBackup]);
        EXPECT_TRUE(kept == (i < 2 ? before : written)) << row[kBackup];
    }
    EXPECT_NE(rows[0][kBackup], rows[2][kBackup]);
}

TEST_F(WriteMany, CtrlCStopsEveryRadioAndTheLogSaysSo) {
    // Paced like a real line a write takes half a minute, so it surely runs when Ctrl+C comes.
    const std::vector<std::string> ports = Simulate(2, {"--baud", "9600"});
    ASSERT_EQ(ports.size(), 2u);
    ChildProcess child({kRadioprog, "write", kDemo, "--port", ports[0], "--port", ports[1], "--log",
                        (dir / "log.csv").string()},
                       (dir / "run.err").string());
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const auto start = std::chrono::steady_clock::now();
    child.Signal(SIGINT);
    EXPECT_EQ(child.Wait(5000), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    for (int i = 0; i < 2; ++i)
        EXPECT_NE(child.ReadLine().find(": cancelled ("), std::string::npos);
    EXPECT_NE(Slurp(dir / "run.err").find("radioprog: cancelled"), std::string::npos);
    for (const auto& row : LogRows(dir / "log.csv")) EXPECT_EQ(row[kResult], "cancelled");
}

TEST_F(WriteMany, RefusesWhatCannotWork) {
    const std::string log = (dir / "log.csv").string();
    const struct {
        const char* name;
        std::vector<std::string> args;
        int exit;
        const char* says;
    } cases[] = {
        {"the same port twice", {"--port", "/dev/a", "--port", "/dev/a"}, 2, "given twice"},
        {"repeat without a terminal",
         {"--port", "/dev/a", "--port", "/dev/b", "--repeat"},
         2,
         "--repeat asks for the next radios on the terminal, and standard input is not one"},
        {"a backup folder without backing up",
         {"--port", "/dev/a", "--log", log, "--backup-dir", "x"},
         2,
         "goes with --backup-first"},
        {"a log that cannot be written",
         {"--port", "/dev/a", "--port", "/dev/b", "--log", dir.string()},
         1,
         "is not a regular file. Nothing was written."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Write({}, c.args), c.exit);
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
        EXPECT_TRUE(out.empty());
    }
}

TEST(WriteManyRounds, AnEmptyLineGoesOnAndQFinishes) {
    const struct {
        const char* input;
        bool another;
        int hints;  // answers that were not understood
    } cases[] =
        {
            {"\n", true, 0},        {"  \n", true, 0},  {"q\n", false, 0},
            {"Quit\r\n", false, 0}, {"x\n\n", true, 1}, {"yes\nno\nQ\n", false, 2},
            {"", false, 0},  // the end of the input finishes
            {"x", false, 1},
        };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        std::ostringstream err;
        EXPECT_EQ(cli::AskForNextRound(in, err), c.another) << c.input;
        const auto lines = Lines(err.str());
        ASSERT_EQ(lines.size(), 1u + c.hints) << err.str();
        EXPECT_EQ(lines[0], "Connect the next radio(s) and press Enter, or q to finish");
    }
}

}  // namespace
}  // namespace radio::test
