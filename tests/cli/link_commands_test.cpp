// radioprog ports, read, write and simulate, run as the user would run them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "child_process.h"
#include "core/config/messages.h"
#include "tests/support/temp_dir.h"

namespace radio::test {
namespace {

namespace fs = std::filesystem;
const std::string kRadioprog = std::string(RADIO_BIN_DIR) + "/radioprog";

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Spit(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Pattern(int seed) {
    std::string bytes(8192, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 13 + seed) & 0xFF);
    return bytes;
}

int CountLines(const std::string& text, const std::string& prefix) {
    int n = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) n += line.rfind(prefix, 0) == 0;
    return n;
}

class LinkCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/radioprog-link-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        // The user's data folder, where backups go by default, is this test's own.
        setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_DATA_HOME");
        fs::remove_all(dir);
    }

    // Runs radioprog to the end; returns its exit status and leaves stderr in `err`, the first
    // line of stdout in `out`.
    int Run(std::vector<std::string> args, int timeoutMs = 20000) {
        args.insert(args.begin(), kRadioprog);
        ChildProcess child(args, (dir / "run.err").string());
        if (!child.started()) return -2;
        const int status = child.Wait(timeoutMs);
        err = Slurp(dir / "run.err");
        out = child.ReadLine(100);
        return status;
    }

    fs::path DefaultBackups() const { return dir / "data" / "RadioProgrammer" / "backups"; }

    // Starts `radioprog simulate` and returns the device path from its first line.
    std::string Simulate(std::unique_ptr<ChildProcess>& sim, std::vector<std::string> args) {
        args.insert(args.begin(), {kRadioprog, "simulate"});
        sim = std::make_unique<ChildProcess>(args, (dir / "sim.err").string());
        return sim->started() ? sim->ReadLine() : std::string();
    }

    fs::path dir;
    std::string err;
    std::string out;
};

TEST_F(LinkCommands, ReadCopiesTheRadioAndWriteChangesExactlyWhatItShould) {
    const std::string radioBytes = Pattern(1), fileBytes = Pattern(2);
    Spit(dir / "x.dat", radioBytes);
    Spit(dir / "z.dat", fileBytes);
    std::unique_ptr<ChildProcess> sim;
    const std::string port =
        Simulate(sim, {"--image", (dir / "x.dat").string(), "--save", (dir / "saved.dat").string(),
                       "--log", (dir / "frames.log").string()});
    ASSERT_EQ(port.rfind("/dev/", 0), 0u) << port;

    ASSERT_EQ(Run({"read", "--port", port, (dir / "y.dat").string()}), 0) << err;
    EXPECT_EQ(Slurp(dir / "y.dat"), radioBytes);
    EXPECT_NE(err.find("read: 512/512"), std::string::npos) << err;

    // A pattern is no sensible image: the check refuses it unless forced.
    ASSERT_EQ(Run({"write", "--port=" + port, "--force", "--no-verify", (dir / "z.dat").string()}),
              0)
        << err;
    EXPECT_NE(err.find("write: 511/511"), std::string::npos) << err;

    sim->Signal(SIGINT);
    ASSERT_EQ(sim->Wait(), 0) << Slurp(dir / "sim.err");
    const std::string saved = Slurp(dir / "saved.dat");
    ASSERT_EQ(saved.size(), 8192u);
    EXPECT_EQ(saved.substr(0, 0x1FF3), fileBytes.substr(0, 0x1FF3));
    EXPECT_EQ(saved.substr(0x1FF3), radioBytes.substr(0x1FF3));

    const std::string log = Slurp(dir / "frames.log");
    EXPECT_EQ(CountLines(log, "read "), 1024);
    EXPECT_EQ(CountLines(log, "write "), 1022);
    EXPECT_EQ(CountLines(log, "band 0x1FF0 3"), 1);
    EXPECT_EQ(CountLines(log, "band "), 1);
    EXPECT_EQ(CountLines(log, "wake-up"), 2);
}

// Ctrl+C, a kill and a closed terminal end the virtual radio alike: memory and log are saved.
TEST_F(LinkCommands, SimulateSavesOnEverySignalThatEndsIt) {
    Spit(dir / "x.dat", Pattern(3));
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(sig);
        fs::remove(dir / "saved.dat");
        fs::remove(dir / "frames.log");
        std::unique_ptr<ChildProcess> sim;
        const std::string port =
            Simulate(sim, {"--image", (dir / "x.dat").string(), "--save",
                           (dir / "saved.dat").string(), "--log", (dir / "frames.log").string()});
        ASSERT_EQ(port.rfind("/dev/", 0), 0u) << port;
        sim->Signal(sig);
        ASSERT_EQ(sim->Wait(), 0) << Slurp(dir / "sim.err");
        EXPECT_EQ(Slurp(dir / "saved.dat"), Pattern(3));
        EXPECT_TRUE(fs::exists(dir / "frames.log"));
    }
}

struct FailedReadCase {
    const char* name;
    const char* fault;  // nullptr: no simulator, a port that does not exist
    int message;
    const char* detail;
    friend void PrintTo(const FailedReadCase& c, std::ostream* os) { *os << c.name; }
};

class LinkCommandsFailedRead : public LinkCommands,
                               public ::testing::WithParamInterface<FailedReadCase> {};

TEST_P(LinkCommandsFailedRead, PrintsTheMessageAndLeavesTheFileAlone) {
    const FailedReadCase& c = GetParam();
    const std::string before = Pattern(7);
    Spit(dir / "keep.dat", before);
    std::unique_ptr<ChildProcess> sim;
    const std::string port =
        c.fault ? Simulate(sim, {"--fault", c.fault}) : "/dev/radio-no-such-port";
    ASSERT_FALSE(port.empty());

    EXPECT_EQ(Run({"read", "--port", port, (dir / "keep.dat").string()}), 1);
    EXPECT_NE(err.find(std::string(MessageText(c.message)) + "\n"), std::string::npos) << err;
    EXPECT_NE(err.find(c.detail), std::string::npos) << err;
    EXPECT_EQ(Slurp(dir / "keep.dat"), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkCommandsFailedRead,
    ::testing::Values(FailedReadCase{"MissingPort", nullptr, kMsgCannotOpenPort,
                                     "/dev/radio-no-such-port: the device does not exist"},
                      FailedReadCase{"ShortReply", "short-reply:3", kMsgProgramInterrupt,
                                     "11 of 12 bytes"},
                      // Without a terminal on stdin the Retry/Cancel question is answered Cancel.
                      FailedReadCase{"NoConfirmationNoTerminal", "no-confirm-before:9",
                                     kMsgCommunicationError, "cancelled"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkCommands, CtrlCCancelsARunningRead) {
    const std::string before = Pattern(8);
    Spit(dir / "keep.dat", before);
    std::unique_ptr<ChildProcess> sim;
    // Paced at 9600 baud a read takes about 20 s, so it is surely running when Ctrl+C comes.
    const std::string port = Simulate(sim, {"--baud", "9600"});
    ASSERT_FALSE(port.empty());

    ChildProcess reader({kRadioprog, "read", "--port", port, (dir / "keep.dat").string()},
                        (dir / "read.err").string());
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    const auto start = std::chrono::steady_clock::now();
    reader.Signal(SIGINT);
    EXPECT_EQ(reader.Wait(5000), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    const std::string readErr = Slurp(dir / "read.err");
    EXPECT_NE(readErr.find("radioprog: cancelled"), std::string::npos) << readErr;
    EXPECT_EQ(Slurp(dir / "keep.dat"), before);
}

struct VerifyCase {
    const char* name;
    const char* fault;  // nullptr: a radio without faults
    int exit;
    const char* says;  // in stdout when the write verified, else in stderr
};

class LinkCommandsVerify : public LinkCommands, public ::testing::WithParamInterface<VerifyCase> {};

TEST_P(LinkCommandsVerify, WriteReadsBackAndNamesWhatDiffers) {
    const VerifyCase& c = GetParam();
    std::unique_ptr<ChildProcess> sim;
    const std::string port = c.fault ? Simulate(sim, {"--fault", c.fault}) : Simulate(sim, {});
    ASSERT_FALSE(port.empty());
    EXPECT_EQ(Run({"write", "--port", port, RADIO_RESOURCES "/demo.dat"}), c.exit) << err;
    if (c.exit == 0) {
        EXPECT_EQ(out, c.says) << err;
        EXPECT_NE(err.find("verify: 512/512"), std::string::npos) << err;
    } else {
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
        EXPECT_TRUE(out.empty()) << out;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkCommandsVerify,
    ::testing::Values(
        VerifyCase{"Clean", nullptr, 0, "Verified: the radio holds what was written"},
        // Block 40 holds the start of channel 20 (162.475 MHz in the demo file).
        VerifyCase{"CorruptedBlock", "corrupt-write:40", 1,
                   "radioprog: Verify failed: the radio does not hold what was written "
                   "(1 difference)\n  channel 20, Rx Frequency: wrote 162.47500, the radio holds "
                   "162.47501\n"},
        VerifyCase{"DroppedBlock", "drop-write:412", 1,
                   "  channel 8, Cha Name: wrote RPT-B, the radio holds (empty)\n"},
        // Block 1016 holds beep, squelch and the time-out timer; the radio kept its own.
        VerifyCase{"DroppedOptions", "drop-write:1016", 1,
                   "  option Squelch Level: wrote 3, the radio holds 1\n"},
        // The demo file's band is 136-174 MHz; the corrupted first byte reads 126.
        VerifyCase{"CorruptedBandFrame", "corrupt-write:1022", 1,
                   "  Band Limits: wrote 136-174 MHz, the radio holds 126-174 MHz\n"},
        // The read-back itself fails: the user learns the write went through unverified.
        VerifyCase{"ReadBackFails", "short-reply:5", 1,
                   "the write is complete, but it was not verified"},
        // A kind of fault given twice hits both blocks.
        VerifyCase{"TwoCorruptedBlocks", "corrupt-write:40,corrupt-write:412", 1,
                   "the radio does not hold what was written (2 differences)"},
        // The cable comes out halfway: the user learns what the radio may hold and what to do.
        VerifyCase{"StoppedHalfway", "pull:100", 1,
                   "the radio may now hold a partly written image (part new, part as before); "
                   "write it again: radioprog write --port "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkCommands, TheCheckRefusesErrorsUnlessForcedAndLetsWarningsThrough) {
    std::string broken = Slurp(RADIO_RESOURCES "/demo.dat");
    broken[5 * 16] = '\x7A';  // channel 5's frequency bytes: no frequency
    Spit(dir / "broken.dat", broken);
    std::unique_ptr<ChildProcess> sim;
    const std::string port = Simulate(sim, {"--log", (dir / "frames.log").string()});
    ASSERT_FALSE(port.empty());

    EXPECT_EQ(Run({"write", "--port", port, (dir / "broken.dat").string()}), 1);
    EXPECT_NE(err.find("radioprog: error: channel 5, Rx Frequency"), std::string::npos) << err;
    EXPECT_NE(err.find("has 1 error; nothing was written (--force writes anyway)"),
              std::string::npos)
        << err;
    // Forced, it goes to the radio, and the radio then holds exactly it.
    EXPECT_EQ(Run({"write", "--port", port, "--force", (dir / "broken.dat").string()}), 0) << err;
    EXPECT_NE(err.find("writing anyway (--force)"), std::string::npos) << err;
    EXPECT_EQ(out, "Verified: the radio holds what was written");
    // A blank image is a warning: printed, and written.
    ASSERT_EQ(Run({"new", (dir / "blank.dat").string()}), 0);
    EXPECT_EQ(Run({"write", "--port", port, "--no-verify", (dir / "blank.dat").string()}), 0)
        << err;
    EXPECT_NE(err.find("radioprog: warning: the image holds no channels"), std::string::npos)
        << err;

    sim->Signal(SIGINT);
    ASSERT_EQ(sim->Wait(), 0);
    // Two writes reached the radio, the refused one did not even wake it.
    const std::string log = Slurp(dir / "frames.log");
    EXPECT_EQ(CountLines(log, "wake-up"), 2);
    EXPECT_EQ(CountLines(log, "band "), 2);
}

TEST_F(LinkCommands, EveryReadLeavesABackupWhereverItIsConfigured) {
    const std::string radioBytes = Pattern(3);
    Spit(dir / "radio.dat", radioBytes);
    Spit(dir / "Program.ini",
         "[Setup]\nAppName=RadioProgrammer\nBackupDir=" + (dir / "ini-backups").string() + "\n");
    Spit(dir / "Off.ini", "[Setup]\nBackupDir=Off\n");
    Spit(dir / "blocker", "a file where a folder would be");
    std::unique_ptr<ChildProcess> sim;
    const std::string port = Simulate(sim, {"--image", (dir / "radio.dat").string()});
    ASSERT_FALSE(port.empty());
    const std::string config = (dir / "Program.ini").string();

    const struct {
        const char* name;
        std::vector<std::string> options;  // before the command
        std::vector<std::string> readOptions;
        fs::path folder;  // where the backup must be; empty: none anywhere
        const char* says;
    } cases[] = {
        {"data folder by default", {}, {}, DefaultBackups(), "backup of the radio saved as "},
        {"Program.ini's BackupDir", {"--config", config}, {}, dir / "ini-backups", "saved as "},
        {"--backup-dir over Program.ini",
         {"--config", config},
         {"--backup-dir", (dir / "chosen").string()},
         dir / "chosen",
         "saved as "},
        {"switched off in Program.ini", {"--config", (dir / "Off.ini").string()}, {}, {}, ""},
        {"switched off on the command line", {}, {"--backup-dir=off"}, {}, ""},
        {"a folder that cannot be made",
         {},
         {"--backup-dir", (dir / "blocker" / "backups").string()},
         {},
         "warning: the read is complete, but its backup could not be saved: Cannot create"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* folder : {"ini-backups", "chosen", "data"}) fs::remove_all(dir / folder);
        fs::remove(dir / "y.dat");
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {"read", "--port", port});
        args.insert(args.end(), c.readOptions.begin(), c.readOptions.end());
        args.push_back((dir / "y.dat").string());

        ASSERT_EQ(Run(args), 0) << err;  // a backup never fails the read
        EXPECT_EQ(Slurp(dir / "y.dat"), radioBytes);
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
        for (const char* folder : {"ini-backups", "chosen", "data"}) {
            if (c.folder.empty() || c.folder.string().find(folder) == std::string::npos) {
                EXPECT_FALSE(fs::exists(dir / folder)) << folder;
            }
        }
        if (c.folder.empty()) continue;
        ASSERT_EQ(DirEntries(c.folder.string()), 1u);
        const fs::path backup = fs::directory_iterator(c.folder)->path();
        EXPECT_EQ(Slurp(backup), radioBytes);
        EXPECT_NE(err.find(backup.string()), std::string::npos) << err;
    }

    // radioprog backups lists what the reads left, newest first.
    fs::remove_all(DefaultBackups());
    ASSERT_EQ(Run({"read", "--port", port, (dir / "y.dat").string()}), 0) << err;
    ASSERT_EQ(Run({"write", "--port", port, RADIO_RESOURCES "/demo.dat"}), 0) << err;
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));  // a later second
    ASSERT_EQ(Run({"read", "--port", port, (dir / "y.dat").string()}), 0) << err;
    ChildProcess list({kRadioprog, "backups"}, (dir / "list.err").string());
    ASSERT_EQ(list.Wait(), 0) << Slurp(dir / "list.err");
    const std::string newest = list.ReadLine(), oldest = list.ReadLine();
    EXPECT_EQ(newest.rfind(DefaultBackups().string() + "/", 0), 0u) << newest;
    EXPECT_TRUE(newest.ends_with("  34 channels")) << newest;  // the demo file, written
    EXPECT_TRUE(oldest.ends_with(" channels")) << oldest;
    EXPECT_GT(newest.substr(0, newest.find("  ")), oldest.substr(0, oldest.find("  ")));
}

TEST_F(LinkCommands, UsageErrorsExitWithTwo) {
    Spit(dir / "ok.dat", Pattern(0));
    const std::string ok = (dir / "ok.dat").string();
    const std::vector<std::vector<std::string>> cases = {
        {"read", ok},
        {"read", "--port"},
        {"read", "--port", "/dev/null", ok, "extra.dat"},
        {"write", "--port", "/dev/null", (dir / "missing.dat").string()},
        {"simulate", "--fault", "loud"},
        {"simulate", "--baud", "0"},
        {"simulate", "--image", (dir / "missing.dat").string()},
        {"ports", "extra"},
        {"read", "--port", "/dev/null", "--backup-dir", ok},
        {"read", "--port", "/dev/null", "--no-verify", ok},
        {"write", "--port", "/dev/null", "--backup-dir", "x", ok},
        {"backups", "extra"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(Run(args), 2) << args[0] << " " << args.back() << ": " << err;
    }
}

TEST_F(LinkCommands, PortsListsWithoutFailing) { EXPECT_EQ(Run({"ports"}), 0) << err; }

// The doctor on the three ports a user meets: none, one another program holds, and a radio.
TEST_F(LinkCommands, DoctorNamesWhatIsWrongWithAPort) {
    std::unique_ptr<ChildProcess> answering, silent;
    const std::string radioPort = Simulate(answering, {});
    const std::string silentPort = Simulate(silent, {"--fault", "silent"});
    ASSERT_FALSE(radioPort.empty());
    ASSERT_FALSE(silentPort.empty());
    // A read that keeps waking a radio that never answers holds its port meanwhile.
    ChildProcess holder({kRadioprog, "read", "--port", silentPort, (dir / "x.dat").string()},
                        (dir / "holder.err").string());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    struct Case {
        std::string port;
        int exit;
        std::vector<std::string> says;
    };
    const Case cases[] = {
        {"/dev/does-not-exist", 1, {"PROBLEM port: /dev/does-not-exist does not exist."}},
        {silentPort, 1, {"ok      port:", "PROBLEM in use:", "is in use by radioprog (process"}},
        {radioPort,
         0,
         {"ok      in use:", "ok      line: 9600 baud, 8 data bits, no parity, 1 stop bit set.",
          "ok      radio: a radio answered the wake-up", "Every check passed."}},
    };
    for (const Case& c : cases) {
        ChildProcess doctor({kRadioprog, "doctor", "--port", c.port}, (dir / "run.err").string());
        std::string text;
        for (std::string line; !(line = doctor.ReadLine()).empty();) text += line + "\n";
        EXPECT_EQ(doctor.Wait(), c.exit) << c.port << "\n" << text;
        for (const std::string& part : c.says)
            EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    }
    // Only a wake-up passed between the doctor and the radio: a read afterwards still works.
    EXPECT_EQ(Run({"read", "--port", radioPort, (dir / "after.dat").string()}), 0) << err;
    EXPECT_EQ(Run({"doctor", "--port"}), 2);
}

}  // namespace
}  // namespace radio::test
