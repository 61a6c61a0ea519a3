// The QSerialPort adapter on a pseudo-terminal: the two read timeouts and the open errors.
#include <gtest/gtest.h>

#include <thread>

#include "qt/qt_serial_port.h"
#include "tests/support/pty_test_support.h"

namespace radio::test {
namespace {

using SteadyClock = std::chrono::steady_clock;

class QtSerialPortTimeouts : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(pty.path().empty());
        ASSERT_TRUE(port.Open(pty.path()).ok);
        port.Configure(LineSettings{}, ReadTimeouts{});
    }
    RawPty pty;
    QtSerialPort port;
    std::uint8_t buffer[16] = {};
};

TEST_F(QtSerialPortTimeouts, SilenceEndsAtTheTotalTimeout) {
    const auto start = SteadyClock::now();
    const ReadResult r = port.Read(buffer, 1);
    const auto ms = MillisecondsSince(start);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.count, 0u);
    EXPECT_GE(ms, 185);  // 100 ms per byte + 90
    EXPECT_LT(ms, 400);
}

TEST_F(QtSerialPortTimeouts, AGapAfterTheLastByteEndsTheReadEarly) {
    ASSERT_TRUE(pty.Send({1, 2, 3}));
    const auto start = SteadyClock::now();
    const ReadResult r = port.Read(buffer, 12);
    const auto ms = MillisecondsSince(start);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.count, 3u);
    EXPECT_EQ(buffer[2], 3);
    EXPECT_GE(ms, 45);
    EXPECT_LT(ms, 600);  // far from the 1290 ms total
}

TEST_F(QtSerialPortTimeouts, TheGapCountsFromTheLatestByte) {
    // Eight bytes 30 ms apart: no gap reaches 50 ms, so all of them make it into one read.
    std::thread sender([this] {
        for (std::uint8_t b = 1; b <= 8; ++b) {
            pty.Send({b});
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
    });
    const ReadResult r = port.Read(buffer, 8);
    sender.join();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.count, 8u);
    EXPECT_EQ(buffer[7], 8);
}

TEST_F(QtSerialPortTimeouts, ACompleteReplyReturnsAtOnce) {
    ASSERT_TRUE(pty.Send({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    const auto start = SteadyClock::now();
    const ReadResult r = port.Read(buffer, 12);
    EXPECT_LT(MillisecondsSince(start), 40);
    EXPECT_EQ(r.count, 12u);
    // The 13th byte waits for the next read, unless a purge drops it.
    EXPECT_EQ(port.Read(buffer, 1).count, 1u);
    EXPECT_EQ(buffer[0], 13);
    ASSERT_TRUE(pty.Send({14}));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    port.PurgeClear();
    EXPECT_EQ(port.Read(buffer, 1).count, 0u);
}

TEST_F(QtSerialPortTimeouts, AHangupFailsTheReadAtOnce) {
    pty.Hangup();
    const auto start = SteadyClock::now();
    const ReadResult r = port.Read(buffer, 12);
    EXPECT_FALSE(r.ok);
    EXPECT_LT(MillisecondsSince(start), 150);
    EXPECT_NE(port.LastError().find(pty.path()), std::string::npos) << port.LastError();
}

TEST(QtSerialPortOpen, ErrorsNameThePortAndTheReason) {
    QtSerialPort port;
    Status s = port.Open("/dev/radio-no-such-port");
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(s.message, "/dev/radio-no-such-port: the device does not exist");

    s = port.Open("com99");
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(s.message, "com99 (/dev/ttyS98): the device does not exist");

    RawPty pty;
    QtSerialPort first;
    ASSERT_TRUE(first.Open(pty.path()).ok);
    s = port.Open(pty.path());
    EXPECT_FALSE(s.ok);
    EXPECT_NE(s.message.find(pty.path() + ": the port is busy"), std::string::npos) << s.message;
    EXPECT_FALSE(port.IsOpen());

    // Closing releases the lock: the next program gets the port.
    first.Close();
    EXPECT_TRUE(port.Open(pty.path()).ok);
}

}  // namespace
}  // namespace radio::test
