// The whole connection end to end: RadioLink, the QSerialPort adapter, a pseudo-terminal and
// the virtual radio serving it on its own thread, in real time.
#include <gtest/gtest.h>

#include "core/config/messages.h"
#include "core/link/pty_radio_server.h"
#include "core/link/radio_link.h"
#include "qt/qt_serial_port.h"
#include "tests/support/link_test_support.h"
#include "tests/support/pty_rig.h"
#include "tests/support/pty_test_support.h"

namespace radio::test {
namespace {

using SteadyClock = std::chrono::steady_clock;

RadioFaults Faults(std::string_view faultList) {
    RadioFaults f;
    EXPECT_TRUE(ParseFaults(faultList, f).ok) << faultList;
    return f;
}

using PtyRig = radio::test::PtyRig<QtSerialPort>;

// After the connection the port must be free again for the next program.
void ExpectPortReleased(PtyRig& rig) {
    EXPECT_FALSE(rig.port.IsOpen());
    QtSerialPort next;
    EXPECT_TRUE(next.Open(rig.server.devicePath()).ok);
}

TEST(PtyLink, ReadsAndWritesTheWholeRadio) {
    PtyRig rig;
    ASSERT_TRUE(rig.started);
    RadioImage image;
    auto start = SteadyClock::now();
    ASSERT_EQ(rig.link.Read(rig.server.devicePath(), image), LinkOutcome::Done);
    const auto readMs = MillisecondsSince(start);
    EXPECT_EQ(image, rig.server.memory());
    EXPECT_EQ(rig.observer.progress, 512);
    EXPECT_LT(readMs, 5000);

    const RadioImage written = PatternImage(200);
    rig.observer = RecordingObserver{};
    ASSERT_EQ(rig.link.Write(rig.server.devicePath(), written), LinkOutcome::Done);
    const RadioImage memory = rig.server.memory();
    EXPECT_TRUE(std::equal(written.data(), written.data() + 0x1FF3, memory.data()));
    EXPECT_TRUE(
        std::equal(image.data() + 0x1FF3, image.data() + kImageSize, memory.data() + 0x1FF3));
    EXPECT_EQ(CountFrames(rig.server.log(), FrameKind::WriteRequest), 1022);
    EXPECT_EQ(CountFrames(rig.server.log(), FrameKind::BandFrame), 1);
    EXPECT_EQ(rig.observer.progress, 511);
    ExpectPortReleased(rig);
}

struct PtyFaultCase {
    const char* name;
    const char* faults;
    bool write;
    std::deque<bool> answers;
    int cancelAtProgress;
    LinkOutcome outcome;
    int asks;
    std::vector<int> messages;
    const char* detail;  // expected in the message detail, when there is a message
    friend void PrintTo(const PtyFaultCase& c, std::ostream* os) { *os << c.name; }
};

class PtyLinkFaults : public ::testing::TestWithParam<PtyFaultCase> {};

TEST_P(PtyLinkFaults, EndWithTheRightMessageAndNothingLost) {
    const PtyFaultCase& c = GetParam();
    PtyRig rig(Faults(c.faults));
    ASSERT_TRUE(rig.started);
    rig.observer.retryAnswers = c.answers;
    rig.observer.cancelAtProgress = c.cancelAtProgress;
    const RadioImage original = PatternImage(66);
    RadioImage image = original;

    const auto start = SteadyClock::now();
    const std::string path = rig.server.devicePath();
    const LinkOutcome outcome = c.write ? rig.link.Write(path, image) : rig.link.Read(path, image);
    EXPECT_LT(MillisecondsSince(start), 5000);

    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(rig.observer.asks, c.asks);
    EXPECT_EQ(rig.observer.messageIds, c.messages);
    if (!c.messages.empty()) {
        EXPECT_EQ(rig.observer.messageTexts[0], MessageText(c.messages[0]));
        EXPECT_NE(rig.observer.details[0].find(c.detail), std::string::npos)
            << rig.observer.details[0];
    }
    EXPECT_EQ(image, original);
    if (c.cancelAtProgress > 0) {
        // The handshake got through: the transfer reached the position where cancel was asked.
        EXPECT_EQ(rig.observer.progress, c.cancelAtProgress);
    }
    if (rig.server.LinePulled()) {
        EXPECT_FALSE(rig.port.IsOpen());
    } else {
        ExpectPortReleased(rig);
    }
}

const auto kCancelled = LinkOutcome::Cancelled;
const auto kFailed = LinkOutcome::Failed;
const int kInterrupt = kMsgProgramInterrupt;

INSTANTIATE_TEST_SUITE_P(
    Cases, PtyLinkFaults,
    ::testing::Values(
        PtyFaultCase{
            "WrongByteBeforeAckAccepted", "wrong-first-ack", false, {}, 1, kCancelled, 0, {}, ""},
        PtyFaultCase{"NoConfirmEarlyThenRetry",
                     "no-confirm-before:2",
                     false,
                     {true},
                     1,
                     kCancelled,
                     1,
                     {},
                     ""},
        PtyFaultCase{"NoConfirmOnSixthAttempt",
                     "ack-from:6,no-confirm-from:6",
                     false,
                     {true},
                     -1,
                     kFailed,
                     0,
                     {kInterrupt},
                     "attempt 6"},
        PtyFaultCase{"ShortReadReply",
                     "short-reply:40",
                     false,
                     {},
                     -1,
                     kFailed,
                     0,
                     {kInterrupt},
                     "Block 0x0140: the radio sent 11 of 12 bytes"},
        PtyFaultCase{"GarbageReadAck",
                     "garbage-ack:41",
                     false,
                     {},
                     -1,
                     kFailed,
                     0,
                     {kInterrupt},
                     "Block 0x0148: expected 0x06, received 0xA5"},
        PtyFaultCase{"GarbageWriteAck",
                     "garbage-ack:41",
                     true,
                     {},
                     -1,
                     kFailed,
                     0,
                     {kInterrupt},
                     "Block 0x0148: expected 0x06, received 0xA5"},
        PtyFaultCase{"CablePulledMidRead",
                     "pull:300",
                     false,
                     {},
                     -1,
                     kFailed,
                     0,
                     {kInterrupt},
                     "Block 0x0960: the read failed"},
        PtyFaultCase{"CablePulledMidWrite",
                     "pull:300",
                     true,
                     {},
                     -1,
                     kFailed,
                     0,
                     {kInterrupt},
                     "Block 0x0960: the read failed"},
        PtyFaultCase{"CancelMidRead", "", false, {}, 100, kCancelled, 0, {}, ""},
        PtyFaultCase{"CancelMidWrite", "", true, {}, 100, kCancelled, 0, {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PtyLink, MissingAndBusyPortsCannotBeOpened) {
    PtyRig rig;
    ASSERT_TRUE(rig.started);
    QtSerialPort holder;
    ASSERT_TRUE(holder.Open(rig.server.devicePath()).ok);

    for (const std::string& name :
         {std::string("/dev/radio-no-such-port"), rig.server.devicePath()}) {
        RecordingObserver observer;
        RadioLink link(rig.port, rig.clock, observer);
        const RadioImage original = PatternImage(1);
        RadioImage image = original;
        EXPECT_EQ(link.Read(name, image), LinkOutcome::OpenFailed) << name;
        ASSERT_EQ(observer.messageIds, std::vector<int>{kMsgCannotOpenPort});
        EXPECT_EQ(observer.messageTexts[0], MessageText(kMsgCannotOpenPort));
        EXPECT_EQ(observer.details[0].rfind(name + ": ", 0), 0u) << observer.details[0];
        EXPECT_EQ(image, original);
    }
    EXPECT_TRUE(rig.server.log().empty());
}

}  // namespace
}  // namespace radio::test
