// The pseudo-terminal server and its thread end to end, without Qt: RadioLink on a POSIX port
// against the served virtual radio. Also built under ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/config/messages.h"
#include "core/link/pty_radio_server.h"
#include "core/link/radio_link.h"
#include "tests/support/link_test_support.h"
#include "tests/support/posix_serial_port.h"
#include "tests/support/pty_rig.h"

namespace radio::test {
namespace {

using Rig = PtyRig<PosixSerialPort>;

// Paced at `baud` when given, so a stop can land well inside a transfer.
Rig MakeRig(std::string_view faults = {}, int baud = 0) {
    RadioFaults f;
    EXPECT_TRUE(ParseFaults(faults, f).ok) << faults;
    return Rig(f, baud, 3);
}

TEST(PtyServer, ReadsAndWritesWhileAnotherThreadWatchesTheRadio) {
    auto rig = MakeRig();
    ASSERT_TRUE(rig.started);
    // The memory and the frame log are read while the serving thread changes them.
    std::atomic<bool> done{false};
    std::size_t frames = 0;
    std::thread watcher([&] {
        while (!done) {
            frames = std::max(frames, rig.server.log().size());
            static_cast<void>(rig.server.memory());
            // Like a window polling the radio: often, but leaving the serving thread its time.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });

    RadioImage image;
    EXPECT_EQ(rig.link.Read(rig.server.devicePath(), image), LinkOutcome::Done);
    EXPECT_EQ(image, PatternImage(3));
    const RadioImage written = PatternImage(99);
    EXPECT_EQ(rig.link.Write(rig.server.devicePath(), written), LinkOutcome::Done);
    done = true;
    watcher.join();

    const RadioImage memory = rig.server.memory();
    EXPECT_TRUE(std::equal(written.data(), written.data() + 0x1FF3, memory.data()));
    EXPECT_EQ(CountFrames(rig.server.log(), FrameKind::WriteRequest), 1022);
    EXPECT_GT(frames, 0u);
}

TEST(PtyServer, PulledCableAndStoppedServerEndTheTransferWithAMessage) {
    for (const bool stopMidway : {false, true}) {
        SCOPED_TRACE(stopMidway ? "server stopped" : "cable pulled");
        auto rig = MakeRig(stopMidway ? "" : "pull:300", stopMidway ? 115200 : 0);
        ASSERT_TRUE(rig.started);
        std::thread stopper;
        if (stopMidway) {
            stopper = std::thread([&] {
                while (rig.server.log().size() < 200) std::this_thread::yield();
                rig.server.Stop();
            });
        }
        const RadioImage original = PatternImage(5);
        RadioImage image = original;
        const LinkOutcome outcome = rig.link.Read(rig.server.devicePath(), image);
        if (stopper.joinable()) stopper.join();
        EXPECT_EQ(outcome, LinkOutcome::Failed);
        EXPECT_EQ(rig.observer.messageIds, std::vector<int>{kMsgProgramInterrupt});
        EXPECT_EQ(image, original);  // a read that ends early changes nothing
        EXPECT_FALSE(rig.port.IsOpen());
    }
}

}  // namespace
}  // namespace radio::test
