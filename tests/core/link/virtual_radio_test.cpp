// The radio side on its own: bytes in, bytes out, memory and log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/link/port_names.h"
#include "core/link/radio_faults.h"
#include "core/link/virtual_radio.h"
#include "tests/support/link_test_support.h"

namespace radio::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Feed(VirtualRadio& radio, const Bytes& in) {
    Bytes out;
    for (std::uint8_t b : in) radio.Receive(b, out);
    return out;
}

const Bytes kWake = {0x02, 'P', 'R', 'O', 'E', 'R', 'G'};

// Wakes the radio and takes it through identification and confirmation.
void Connect(VirtualRadio& radio) {
    ASSERT_EQ(Feed(radio, kWake), Bytes{0x06});
    ASSERT_EQ(Feed(radio, {0x4D, 0x02}).size(), 8u);
    ASSERT_EQ(Feed(radio, {0x06}), Bytes{0x06});
}

TEST(VirtualRadio, WakesUpAfterLineNoise) {
    VirtualRadio radio;
    EXPECT_EQ(Feed(radio, {0x00, 'P', 0x02, 0x02, 'P', 'R', 'O', 'E'}), Bytes{});
    EXPECT_EQ(Feed(radio, {'R', 'G'}), Bytes{0x06});
    ASSERT_EQ(radio.log().size(), 1u);
    EXPECT_EQ(radio.log()[0].kind, FrameKind::WakeUp);
}

TEST(VirtualRadio, AnswersReadsAndStoresWrites) {
    const RadioImage memory = PatternImage(9);
    VirtualRadio radio(memory);
    Connect(radio);

    const Bytes reply = Feed(radio, {'R', 0x01, 0x28, 0x08});
    ASSERT_EQ(reply.size(), 12u);
    EXPECT_EQ(Bytes(reply.begin() + 4, reply.end()),
              Bytes(memory.data() + 0x128, memory.data() + 0x130));
    EXPECT_EQ(Feed(radio, {0x06}), Bytes{0x06});

    // Write data that happens to spell a wake-up is data, not a new session.
    Bytes write = {'W', 0x00, 0x10, 0x08, 0x02, 'P', 'R', 'O', 'E', 'R', 'G', 0x77};
    EXPECT_EQ(Feed(radio, write), Bytes{0x06});
    EXPECT_EQ(Bytes(radio.memory().data() + 0x10, radio.memory().data() + 0x18),
              Bytes(write.begin() + 4, write.end()));

    // Past the end of memory nothing is stored, but the frame is still acknowledged.
    EXPECT_EQ(Feed(radio, {'W', 0x1F, 0xFC, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}), Bytes{0x06});
    EXPECT_EQ(radio.memory()[0x1FFF], 4);

    EXPECT_EQ(Feed(radio, {'W', 0x1F, 0xF0, 0x03, 0x13, 0x17, 0x63}), Bytes{0x06});
    EXPECT_EQ(radio.memory()[0x1FF2], 0x63);

    std::vector<std::string> lines;
    for (const Frame& f : radio.log()) lines.push_back(FormatFrame(f));
    EXPECT_EQ(lines, (std::vector<std::string>{"wake-up", "identification", "confirmation",
                                               "read 0x0128 8", "write 0x0010 8", "write 0x1FFC 8",
                                               "band 0x1FF0 3"}));
}

TEST(VirtualRadio, AHalfFrameIsDroppedAfterAPause) {
    VirtualRadio radio;
    Connect(radio);
    Feed(radio, {'W', 0x00, 0x00, 0x08, 0x01});
    radio.LineIdle();
    EXPECT_EQ(Feed(radio, kWake), Bytes{0x06});
}

TEST(VirtualRadio, PulledCableEndsAllTalk) {
    RadioFaults faults;
    faults.pullBlock = 2;
    VirtualRadio radio(RadioImage(), faults);
    Connect(radio);
    EXPECT_EQ(Feed(radio, {'R', 0x00, 0x08, 0x08}).size(), 12u);
    EXPECT_FALSE(radio.CablePulled());
    EXPECT_EQ(Feed(radio, {0x06, 'R', 0x00, 0x10, 0x08}), Bytes{0x06});
    EXPECT_TRUE(radio.CablePulled());
    EXPECT_EQ(Feed(radio, kWake), Bytes{});
}

TEST(RadioFaults, ParsesEveryName) {
    RadioFaults f;
    ASSERT_TRUE(ParseFaults("silent,wrong-first-ack,ack-from:6,no-confirm-before:3,"
                            "no-confirm-from:7,scrambled-header,pull-at-ident,short-reply:5,"
                            "garbage-ack:9,mute:11,pull:1022,drop-write:40,corrupt-write:0",
                            f)
                    .ok);
    EXPECT_TRUE(f.silent && f.wrongByteBeforeAck && f.scrambledHeader && f.pullAtIdent);
    EXPECT_EQ(f.ackFromAttempt, 6);
    EXPECT_EQ(f.noConfirmBefore, 3);
    EXPECT_EQ(f.noConfirmFrom, 7);
    EXPECT_EQ(f.shortReplyBlock, 5);
    EXPECT_EQ(f.garbageAckBlock, 9);
    EXPECT_EQ(f.muteBlock, 11);
    EXPECT_EQ(f.pullBlock, 1022);
    EXPECT_EQ(f.dropWriteBlock, 40);
    EXPECT_EQ(f.corruptWriteBlock, 0);
}

// A kind named again adds to it: every block named is hit, and of attempt limits the one that
// holds longest wins, whichever order they come in.
TEST(RadioFaults, RepeatedKindsAllApply) {
    for (const char* list : {"drop-write:3,drop-write:7,ack-from:4,ack-from:2,no-confirm-from:9,"
                             "no-confirm-from:5",
                             "ack-from:2,drop-write:7,no-confirm-from:5,drop-write:3,ack-from:4,"
                             "no-confirm-from:9"}) {
        SCOPED_TRACE(list);
        RadioFaults f;
        ASSERT_TRUE(ParseFaults(list, f));
        EXPECT_TRUE(3 == f.dropWriteBlock && 7 == f.dropWriteBlock);
        EXPECT_FALSE(5 == f.dropWriteBlock);
        EXPECT_EQ(f.ackFromAttempt, 4);
        EXPECT_EQ(f.noConfirmFrom, 5);
    }
    // Two --fault options are two calls.
    RadioFaults f;
    ASSERT_TRUE(ParseFaults("corrupt-write:1", f));
    ASSERT_TRUE(ParseFaults("corrupt-write:2", f));
    EXPECT_TRUE(1 == f.corruptWriteBlock && 2 == f.corruptWriteBlock);
}

TEST(RadioFaults, RejectsBadItemsAndKeepsWhatWasThere) {
    for (const char* bad : {"loud", "short-reply", "short-reply:", "short-reply:x", "pull:-1",
                            "ack-from:0", "silent:3", "silent,,mute:2", "mute:2junk"}) {
        RadioFaults f;
        f.muteBlock = 4;
        const Status s = ParseFaults(bad, f);
        EXPECT_FALSE(s.ok) << bad;
        EXPECT_NE(s.message.find("unknown fault"), std::string::npos) << bad;
        EXPECT_EQ(f.muteBlock, 4) << bad;
    }
}

TEST(PortNames, ComNamesMapToSerialDevicesOffWindows) {
    struct Case {
        const char* name;
        bool windows;
        const char* device;
    };
    for (const Case& c :
         {Case{"COM1", false, "/dev/ttyS0"}, Case{"com4", false, "/dev/ttyS3"},
          Case{"CoM12", false, "/dev/ttyS11"}, Case{"COM0", false, "COM0"},
          Case{"COM", false, "COM"}, Case{"COM1x", false, "COM1x"},
          Case{"/dev/ttyUSB0", false, "/dev/ttyUSB0"}, Case{"/dev/pts/7", false, "/dev/pts/7"},
          Case{"COM3", true, "COM3"}, Case{"com2", true, "com2"}}) {
        EXPECT_EQ(DevicePathForPort(c.name, c.windows), c.device) << c.name;
    }
}

}  // namespace
}  // namespace radio::test
