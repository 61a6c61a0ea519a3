// radioprog ports, read, write and simulate, run as the user would run them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "child_process.h"
#include "core/config/messages.h"

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
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs radioprog to the end; returns its exit status and leaves stderr in `err`.
    int Run(std::vector<std::string> args, int timeoutMs = 20000) {
        args.insert(args.begin(), kRadioprog);
        ChildProcess child(args, (dir / "run.err").string());
        if (!child.started()) return -2;
        const int status = child.Wait(timeoutMs);
        err = Slurp(dir / "run.err");
        return status;
    }

    // Starts `radioprog simulate` and returns the device path from its first line.
    std::string Simulate(std::unique_ptr<ChildProcess>& sim, std::vector<std::string> args) {
        args.insert(args.begin(), {kRadioprog, "simulate"});
        sim = std::make_unique<ChildProcess>(args, (dir / "sim.err").string());
        return sim->started() ? sim->ReadLine() : std::string();
    }

    fs::path dir;
    std::string err;
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

    ASSERT_EQ(Run({"write", "--port=" + port, (dir / "z.dat").string()}), 0) << err;
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
