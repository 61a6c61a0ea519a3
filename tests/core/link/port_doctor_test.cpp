#include "core/link/port_doctor.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/link/virtual_radio_port.h"
#include "tests/support/link_test_support.h"

namespace radio {
namespace {

using test::FakeClock;

// Answers every read with a byte that is not an acknowledgement: a modem or another device.
class StrayBytePort : public SerialPort {
  public:
    Status Open(const std::string&) override { return Status::Ok(); }
    void Configure(const LineSettings&, const ReadTimeouts&) override {}
    ReadResult Read(std::uint8_t* buffer, std::size_t n) override {
        for (std::size_t i = 0; i < n; ++i) buffer[i] = 0x15;
        return {true, n};
    }
    void Write(const std::uint8_t*, std::size_t) override {}
    void PurgeAbort() override {}
    void PurgeClear() override {}
    void ClearReceive() override {}
    void Close() override {}
    bool IsOpen() const override { return true; }
};

// The system as a case describes it, with a virtual radio (or a stray-byte device) behind it.
class ScriptedSystem : public PortSystem {
  public:
    ScriptedSystem(PortFacts facts, OpenOutcome open, bool lineOk, RadioFaults faults,
                   bool strayDevice)
        : m_facts(std::move(facts)),
          m_open(open),
          m_lineOk(lineOk),
          m_radio(test::PatternImage(3), faults),
          m_radioPort(m_radio, m_clock),
          m_stray(strayDevice) {}

    PortFacts Inspect(const std::string&) override { return m_facts; }
    OpenOutcome Open(const std::string& name, std::string& detail) override {
        if (m_open != OpenOutcome::Opened) {
            detail = "refused by the test";
            return m_open;
        }
        ++opens;
        static_cast<void>(m_radioPort.Open(name));
        m_radioPort.Configure(LineSettings{}, ReadTimeouts{});
        return m_open;
    }
    bool SetLine(const LineSettings& line, std::string& detail) override {
        lineAsked =
            line.baudRate == 9600 && line.dataBits == 8 && !line.parity && line.stopBits == 1;
        if (!m_lineOk) detail = "Invalid argument";
        return m_lineOk;
    }
    SerialPort& Port() override {
        if (m_stray) return m_strayPort;
        return m_radioPort;
    }
    Clock& Timer() override { return m_clock; }
    void Close() override {
        ++closes;
        m_radioPort.Close();
    }

    int opens = 0;  // successful ones
    int closes = 0;
    bool lineAsked = false;
    const VirtualRadio& radio() const { return m_radio; }

  private:
    PortFacts m_facts;
    OpenOutcome m_open;
    bool m_lineOk;
    FakeClock m_clock;
    VirtualRadio m_radio;
    VirtualRadioPort m_radioPort;
    StrayBytePort m_strayPort;
    bool m_stray;
};

PortFacts Cable(UsbId id = {0x1a86, 0x7523}) {
    PortFacts f;
    f.device = "/dev/ttyUSB0";
    f.exists = true;
    f.usb = id;
    f.driver = "ch341-uart";
    f.access = AccessVerdict::Granted;
    f.group = "dialout";
    return f;
}

struct DoctorCase {
    const char* name;
    std::function<void(PortFacts&)> facts;
    OpenOutcome open = OpenOutcome::Opened;
    bool lineOk = true;
    RadioFaults faults = {};
    bool strayDevice = false;
    const char* verdicts;  // per check: P passed, F failed, - not run
    const char* says;      // in the failed check's text or advice ("" when all pass)
};

std::string Verdicts(const DoctorReport& report) {
    std::string marks;
    for (const CheckResult& c : report.checks)
        marks += c.verdict == Verdict::Pass ? 'P' : c.verdict == Verdict::Fail ? 'F' : '-';
    return marks;
}

class PortDoctor : public testing::TestWithParam<DoctorCase> {};

TEST_P(PortDoctor, StopsAtTheFirstProblemAndSaysWhatToDo) {
    const DoctorCase& c = GetParam();
    PortFacts facts = Cable();
    c.facts(facts);
    ScriptedSystem system(facts, c.open, c.lineOk, c.faults, c.strayDevice);
    const DoctorReport report = RunPortDoctor("/dev/ttyUSB0", system);

    ASSERT_EQ(report.checks.size(), 5u);
    EXPECT_EQ(Verdicts(report), c.verdicts);
    EXPECT_EQ(report.ok(), std::string(c.verdicts) == "PPPPP");
    std::string said;
    for (const CheckResult& check : report.checks) {
        if (check.verdict == Verdict::Fail) said += check.text + " | " + check.advice;
    }
    EXPECT_NE(said.find(c.says), std::string::npos) << said;
    // Whatever happens, the port is closed again and no memory block is read or written.
    EXPECT_EQ(system.closes, system.opens);
    for (const Frame& frame : system.radio().log()) {
        EXPECT_TRUE(frame.kind == FrameKind::WakeUp || frame.kind == FrameKind::Identification ||
                    frame.kind == FrameKind::Confirmation)
            << FormatFrame(frame);
    }
    if (Verdicts(report)[3] != '-') {
        EXPECT_TRUE(system.lineAsked) << "not 9600 8N1";
    }
}

RadioFaults Faults(std::function<void(RadioFaults&)> change) {
    RadioFaults f;
    change(f);
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PortDoctor,
    testing::Values(
        DoctorCase{
            "RadioAnswers", [](PortFacts&) {}, OpenOutcome::Opened, true, {}, false, "PPPPP", ""},
        DoctorCase{"Missing",
                   [](PortFacts& f) { f.exists = false; },
                   OpenOutcome::Opened,
                   true,
                   {},
                   false,
                   "F----",
                   "does not exist"},
        DoctorCase{"NotInGroup",
                   [](PortFacts& f) { f.access = AccessVerdict::Denied; },
                   OpenOutcome::Opened,
                   true,
                   {},
                   false,
                   "PF---",
                   "usermod -aG dialout $USER, then log out and in again. Or install the "
                   "program's udev rule"},
        DoctorCase{"ReloginPending",
                   [](PortFacts& f) {
                       f.access = AccessVerdict::Denied;
                       f.groupListed = true;
                   },
                   OpenOutcome::Opened,
                   true,
                   {},
                   false,
                   "PF---",
                   "Log out and in again"},
        DoctorCase{"UdevRuleNotApplied",
                   [](PortFacts& f) {
                       f.access = AccessVerdict::Denied;
                       f.uaccessRule = true;
                   },
                   OpenOutcome::Opened,
                   true,
                   {},
                   false,
                   "PF---",
                   "replug the cable"},
        DoctorCase{"DeniedWithoutKnownGroup",
                   [](PortFacts& f) {
                       f.access = AccessVerdict::Denied;
                       f.group.clear();
                   },
                   OpenOutcome::Opened,
                   true,
                   {},
                   false,
                   "PF---",
                   "administrator"},
        DoctorCase{"LockedByAnotherProgram",
                   [](PortFacts& f) {
                       f.lockedBy = PortHolder{4321, "minicom"};
                   },
                   OpenOutcome::Opened,
                   true,
                   {},
                   false,
                   "PPF--",
                   "minicom (process 4321)"},
        DoctorCase{"HeldExclusively",
                   [](PortFacts& f) {
                       f.openBy = {{77, "radioprog"}, {78, ""}};
                   },
                   OpenOutcome::Denied,
                   true,
                   {},
                   false,
                   "PPF--",
                   "radioprog (process 77), a program (process 78)"},
        DoctorCase{"RefusedWhereTheSystemCannotTellWhy",
                   [](PortFacts& f) { f.access = AccessVerdict::Unknown; },
                   OpenOutcome::Denied,
                   true,
                   {},
                   false,
                   "P-F--",
                   "another program holds it, or"},
        DoctorCase{"UnpluggedMeanwhile",
                   [](PortFacts&) {},
                   OpenOutcome::Missing,
                   true,
                   {},
                   false,
                   "FP---",
                   "went away"},
        DoctorCase{"LineRefused",
                   [](PortFacts&) {},
                   OpenOutcome::Opened,
                   false,
                   {},
                   false,
                   "PPPF-",
                   "the driver refused 9600 baud"},
        DoctorCase{"SilentRadio", [](PortFacts&) {}, OpenOutcome::Opened, true,
                   Faults([](RadioFaults& f) { f.silent = true; }), false, "PPPPF",
                   "no radio answered the wake-up"},
        DoctorCase{"SilentBehindACounterfeitPronePl2303",
                   [](PortFacts& f) {
                       f.usb = UsbId{0x067b, 0x2303};
                   },
                   OpenOutcome::Opened, true, Faults([](RadioFaults& f) { f.silent = true; }),
                   false, "PPPPF", "counterfeit"},
        DoctorCase{"StrayByte",
                   [](PortFacts&) {},
                   OpenOutcome::Opened,
                   true,
                   {},
                   true,
                   "PPPPF",
                   "received 0x15"},
        DoctorCase{"NoConfirmation", [](PortFacts&) {}, OpenOutcome::Opened, true,
                   Faults([](RadioFaults& f) { f.noConfirmFrom = 1; }), false, "PPPPF",
                   "did not confirm"},
        DoctorCase{"PulledAtIdentification", [](PortFacts&) {}, OpenOutcome::Opened, true,
                   Faults([](RadioFaults& f) { f.pullAtIdent = true; }), false, "PPPPF",
                   "reading its identity failed"}),
    [](const testing::TestParamInfo<DoctorCase>& info) { return std::string(info.param.name); });

TEST(PortDoctorReport, NamesThePortChipAndEveryCheck) {
    ScriptedSystem system(Cable(), OpenOutcome::Opened, true,
                          Faults([](RadioFaults& f) { f.silent = true; }), false);
    const std::string text = FormatReport(RunPortDoctor("/dev/ttyUSB0", system));
    for (const char* part :
         {"Port /dev/ttyUSB0: CH340/CH341 USB serial cable (1a86:7523), driver ch341-uart\n",
          "  ok      port: /dev/ttyUSB0 exists.\n", "  PROBLEM radio: no radio answered",
          "what to do: Switch the radio on", "Found a problem"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    }
}

}  // namespace
}  // namespace radio
