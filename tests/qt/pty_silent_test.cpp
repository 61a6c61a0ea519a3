// A radio that never answers, in real time: 15 attempts (about 6 s) before the question, and
// Retry starts another 15. In a test program of its own so it runs beside the others.
#include <gtest/gtest.h>

#include "core/config/messages.h"
#include "core/link/pty_radio_server.h"
#include "core/link/radio_link.h"
#include "qt/qt_serial_port.h"
#include "tests/support/link_test_support.h"
#include "tests/support/pty_test_support.h"

namespace radio::test {
namespace {

TEST(PtyLinkSilentRadio, AsksAfterFifteenAttemptsAndRetryStartsOver) {
    RadioFaults faults;
    faults.silent = true;
    PtyRadioServer server(VirtualRadio(PatternImage(4), faults));
    ASSERT_TRUE(server.Start().ok);
    SystemClock clock;
    QtSerialPort port;
    RecordingObserver observer;
    observer.retryAnswers = {true, false};
    RadioLink link(port, clock, observer);
    const RadioImage original = PatternImage(9);
    RadioImage image = original;

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link.Read(server.devicePath(), image), LinkOutcome::Cancelled);
    const auto ms = MillisecondsSince(start);

    EXPECT_EQ(observer.askedIds,
              (std::vector<int>{kMsgCommunicationError, kMsgCommunicationError}));
    EXPECT_TRUE(observer.messageIds.empty());
    EXPECT_EQ(CountFrames(server.log(), FrameKind::WakeUp), 30);
    EXPECT_GE(ms, 2 * 15 * 400);
    EXPECT_LT(ms, 2 * 15 * 600);
    EXPECT_EQ(image, original);
    EXPECT_FALSE(port.IsOpen());
}

}  // namespace
}  // namespace radio::test
