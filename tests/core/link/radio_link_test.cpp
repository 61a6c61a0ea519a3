// The protocol engine against the in-process virtual radio, on a fake clock.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/config/messages.h"
#include "core/link/clone_protocol.h"
#include "core/link/radio_link.h"
#include "core/link/virtual_radio_port.h"
#include "tests/support/link_test_support.h"

namespace radio::test {
namespace {

const std::string kPort = "/dev/ttyVR0";

struct LinkRig {
    explicit LinkRig(const RadioFaults& faults = {}, const RadioImage& memory = PatternImage(1))
        : radio(memory, faults), port(radio, clock), link(port, clock, observer) {
        port.SetDeviceName(kPort);
    }
    FakeClock clock;
    VirtualRadio radio;
    VirtualRadioPort port;
    RecordingObserver observer;
    RadioLink link;
};

RadioFaults Faults(std::string_view faultList) {
    RadioFaults f;
    EXPECT_TRUE(ParseFaults(faultList, f).ok) << faultList;
    return f;
}

TEST(RadioLinkRead, CopiesTheWholeRadioAndClosesThePort) {
    LinkRig rig;
    RadioImage image = PatternImage(99);
    EXPECT_EQ(rig.link.Read(kPort, image), LinkOutcome::Done);
    EXPECT_EQ(image, rig.radio.memory());
    EXPECT_FALSE(rig.port.IsOpen());
    EXPECT_TRUE(rig.observer.messageIds.empty());
    EXPECT_EQ(rig.observer.range, 512);
    EXPECT_EQ(rig.observer.progress, 512);
    EXPECT_EQ(rig.observer.progressCalls, 512);
    EXPECT_TRUE(rig.observer.progressInOrder);

    const auto& log = rig.radio.log();
    ASSERT_EQ(log.size(), 3u + 1024u);
    EXPECT_EQ(log[0].kind, FrameKind::WakeUp);
    EXPECT_EQ(log[1].kind, FrameKind::Identification);
    EXPECT_EQ(log[2].kind, FrameKind::Confirmation);
    for (int block = 0; block < 1024; ++block) {
        const Frame expected{FrameKind::ReadRequest, static_cast<std::uint16_t>(block * 8), 8};
        ASSERT_EQ(log[3 + block], expected) << "block " << block;
    }
}

TEST(RadioLinkRead, AcceptsAnyReplyHeader) {
    LinkRig rig(Faults("scrambled-header"));
    RadioImage image;
    EXPECT_EQ(rig.link.Read(kPort, image), LinkOutcome::Done);
    EXPECT_EQ(image, rig.radio.memory());
}

TEST(RadioLinkWrite, SendsEveryBlockUpTo1FEFThenTheBandFrame) {
    RadioImage before;
    std::fill(before.bytes().begin(), before.bytes().end(), 0x00);
    LinkRig rig({}, before);
    const RadioImage image = PatternImage(5);
    EXPECT_EQ(rig.link.Write(kPort, image), LinkOutcome::Done);
    EXPECT_FALSE(rig.port.IsOpen());
    EXPECT_TRUE(rig.observer.messageIds.empty());
    EXPECT_EQ(rig.observer.range, 511);
    EXPECT_EQ(rig.observer.progress, 511);
    EXPECT_TRUE(rig.observer.progressInOrder);

    const RadioImage& memory = rig.radio.memory();
    // Channel records 100-150 (0x0640..0x096F) included; the 13 bytes after the band limits not.
    EXPECT_TRUE(std::equal(image.data(), image.data() + 0x1FF3, memory.data()));
    EXPECT_TRUE(std::all_of(memory.data() + 0x1FF3, memory.data() + kImageSize,
                            [](std::uint8_t b) { return b == 0x00; }));

    const auto& log = rig.radio.log();
    ASSERT_EQ(log.size(), 3u + 1022u + 1u);
    for (int block = 0; block < 1022; ++block) {
        const Frame expected{FrameKind::WriteRequest, static_cast<std::uint16_t>(block * 8), 8};
        ASSERT_EQ(log[3 + block], expected) << "block " << block;
    }
    EXPECT_EQ(log.back(), (Frame{FrameKind::BandFrame, 0x1FF0, 3}));
}

struct HandshakeCase {
    const char* name;
    const char* faults;
    std::deque<bool> answers;  // Retry (true) / Cancel (false), in order
    LinkOutcome outcome;
    int asks;
    int wakeUps;
    std::vector<int> messages;
    friend void PrintTo(const HandshakeCase& c, std::ostream* os) { *os << c.name; }
};

class RadioLinkHandshake : public ::testing::TestWithParam<HandshakeCase> {};

TEST_P(RadioLinkHandshake, EndsAsExpected) {
    const HandshakeCase& c = GetParam();
    LinkRig rig(Faults(c.faults));
    rig.observer.retryAnswers = c.answers;
    const RadioImage original = PatternImage(42);
    RadioImage image = original;

    EXPECT_EQ(rig.link.Read(kPort, image), c.outcome);
    EXPECT_EQ(rig.observer.asks, c.asks);
    for (int id : rig.observer.askedIds) EXPECT_EQ(id, kMsgCommunicationError);
    EXPECT_EQ(CountFrames(rig.radio.log(), FrameKind::WakeUp), c.wakeUps);
    EXPECT_EQ(rig.observer.messageIds, c.messages);
    for (std::size_t i = 0; i < rig.observer.messageIds.size(); ++i) {
        EXPECT_EQ(rig.observer.messageTexts[i], MessageText(rig.observer.messageIds[i]));
    }
    EXPECT_FALSE(rig.port.IsOpen());
    EXPECT_EQ(rig.port.openCount(), 1);
    EXPECT_EQ(image, c.outcome == LinkOutcome::Done ? rig.radio.memory() : original);
}

const LinkOutcome kDone = LinkOutcome::Done;
const LinkOutcome kCancelled = LinkOutcome::Cancelled;
const LinkOutcome kFailed = LinkOutcome::Failed;

INSTANTIATE_TEST_SUITE_P(
    Cases, RadioLinkHandshake,
    ::testing::Values(
        HandshakeCase{"SilentThenCancel", "silent", {}, kCancelled, 1, 15, {}},
        HandshakeCase{"SilentRetryStartsOver", "silent", {true}, kCancelled, 2, 30, {}},
        HandshakeCase{"WrongByteBeforeAck", "wrong-first-ack", {}, kDone, 0, 1, {}},
        HandshakeCase{"AckOnThirdAttempt", "ack-from:3", {}, kDone, 0, 3, {}},
        HandshakeCase{"AckAfterRetry", "ack-from:16", {true}, kDone, 1, 16, {}},
        HandshakeCase{"NoConfirmEarlyRetry", "no-confirm-before:2", {true}, kDone, 1, 2, {}},
        HandshakeCase{"NoConfirmEarlyCancel", "no-confirm-before:2", {}, kCancelled, 1, 1, {}},
        HandshakeCase{
            "NoConfirmOnFifthAsks", "ack-from:5,no-confirm-from:5", {}, kCancelled, 1, 5, {}},
        HandshakeCase{"NoConfirmOnSixthIsFatal",
                      "ack-from:6,no-confirm-from:6",
                      {true},
                      kFailed,
                      0,
                      6,
                      {kMsgProgramInterrupt}},
        HandshakeCase{"IdentificationReadFails", "pull-at-ident", {}, kCancelled, 1, 1, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RadioLinkTiming, SilentRadioCostsAboutSixSecondsBeforeTheQuestion) {
    LinkRig rig(Faults("silent"));
    RadioImage image;
    const auto start = rig.clock.NowMs();
    EXPECT_EQ(rig.link.Read(kPort, image), LinkOutcome::Cancelled);
    // Per attempt: 6 x 1 ms pause, 7 x 2 ms wake-up, two 1-byte reads of 190 ms, 2 ms.
    EXPECT_EQ(rig.clock.NowMs() - start, 15 * (6 + 14 + 190 + 190 + 2));
}

TEST(RadioLinkTiming, APacedRadioTakesTheWireTime) {
    LinkRig rig;
    rig.radio.SetBaud(9600);
    RadioImage image;
    const auto start = rig.clock.NowMs();
    EXPECT_EQ(rig.link.Read(kPort, image), LinkOutcome::Done);
    // 18 bytes a block (request, reply, two acknowledgements) at 10 bits a byte; the clock
    // rounds each wait up to whole milliseconds.
    const double wireMs = 1024 * 18 * 10 * 1000.0 / 9600;
    EXPECT_GE(rig.clock.NowMs() - start, wireMs);
    EXPECT_LT(rig.clock.NowMs() - start, wireMs * 1.12);
}

struct BlockFailureCase {
    const char* name;
    bool write;
    const char* faults;
    const char* detail;  // must appear in the message detail
    friend void PrintTo(const BlockFailureCase& c, std::ostream* os) { *os << c.name; }
};

class RadioLinkBlockFailure : public ::testing::TestWithParam<BlockFailureCase> {};

TEST_P(RadioLinkBlockFailure, ShowsProgramInterruptAndKeepsTheImage) {
    const BlockFailureCase& c = GetParam();
    LinkRig rig(Faults(c.faults), PatternImage(3));
    const RadioImage original = PatternImage(77);
    RadioImage image = original;

    const LinkOutcome outcome =
        c.write ? rig.link.Write(kPort, image) : rig.link.Read(kPort, image);
    EXPECT_EQ(outcome, LinkOutcome::Failed);
    ASSERT_EQ(rig.observer.messageIds, std::vector<int>{kMsgProgramInterrupt});
    EXPECT_EQ(rig.observer.messageTexts[0], MessageText(kMsgProgramInterrupt));
    EXPECT_NE(rig.observer.details[0].find(c.detail), std::string::npos) << rig.observer.details[0];
    EXPECT_EQ(rig.observer.asks, 0);
    EXPECT_FALSE(rig.port.IsOpen());
    EXPECT_EQ(image, original);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RadioLinkBlockFailure,
    ::testing::Values(
        BlockFailureCase{"ReadShortReply", false, "short-reply:5",
                         "Block 0x0028: the radio sent 11 of 12 bytes"},
        BlockFailureCase{"ReadGarbageAck", false, "garbage-ack:7",
                         "Block 0x0038: expected 0x06, received 0xA5"},
        BlockFailureCase{"ReadRadioFallsSilent", false, "mute:9", "the radio sent 0 of 12"},
        BlockFailureCase{"ReadCablePulled", false, "pull:100", "Block 0x0320: the read failed"},
        BlockFailureCase{"WriteGarbageAck", true, "garbage-ack:3", "Block 0x0018: expected 0x06"},
        BlockFailureCase{"WriteSilentAck", true, "mute:640", "Block 0x1400: no acknowledgement"},
        BlockFailureCase{"BandFrameUnanswered", true, "mute:1022",
                         "Band frame: no acknowledgement"},
        BlockFailureCase{"WriteCablePulled", true, "pull:12", "the read failed"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RadioLinkWrite, StopsAtTheFailedBlock) {
    RadioImage before;
    std::fill(before.bytes().begin(), before.bytes().end(), 0x00);
    LinkRig rig(Faults("garbage-ack:3"), before);
    const RadioImage image = PatternImage(8);
    EXPECT_EQ(rig.link.Write(kPort, image), LinkOutcome::Failed);
    EXPECT_EQ(CountFrames(rig.radio.log(), FrameKind::WriteRequest), 4);
    EXPECT_EQ(CountFrames(rig.radio.log(), FrameKind::BandFrame), 0);
    EXPECT_EQ(rig.observer.progress, 2);  // blocks 0 and 2 step the bar
}

struct CancelCase {
    const char* name;
    bool write;
    int cancelAtProgress;
    bool always;  // cancel already requested when the link starts
    friend void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }
};

class RadioLinkCancel : public ::testing::TestWithParam<CancelCase> {};

TEST_P(RadioLinkCancel, StopsQuietlyAndKeepsTheImage) {
    const CancelCase& c = GetParam();
    LinkRig rig;
    rig.observer.cancelAtProgress = c.cancelAtProgress;
    rig.observer.cancelAlways = c.always;
    const RadioImage original = PatternImage(55);
    RadioImage image = original;

    const LinkOutcome outcome =
        c.write ? rig.link.Write(kPort, image) : rig.link.Read(kPort, image);
    EXPECT_EQ(outcome, LinkOutcome::Cancelled);
    EXPECT_TRUE(rig.observer.messageIds.empty());
    EXPECT_EQ(rig.observer.asks, 0);
    EXPECT_FALSE(rig.port.IsOpen());
    EXPECT_EQ(image, original);
    // Cancel is seen at the first pump point after the block that reached the position.
    const int blocks = c.always ? 0 : 2 * c.cancelAtProgress - 1;
    const auto kind = c.write ? FrameKind::WriteRequest : FrameKind::ReadRequest;
    EXPECT_EQ(CountFrames(rig.radio.log(), kind), blocks);
    EXPECT_EQ(CountFrames(rig.radio.log(), FrameKind::BandFrame), 0);
    EXPECT_EQ(CountFrames(rig.radio.log(), FrameKind::WakeUp), c.always ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, RadioLinkCancel,
                         ::testing::Values(CancelCase{"BeforeTheWakeUp", false, -1, true},
                                           CancelCase{"MidRead", false, 100, false},
                                           CancelCase{"AtTheLastProgressStep", false, 512, false},
                                           CancelCase{"MidWrite", true, 50, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct OpenFailureCase {
    const char* name;
    const char* portName;
    bool busy;
    const char* detail;
    friend void PrintTo(const OpenFailureCase& c, std::ostream* os) { *os << c.name; }
};

class RadioLinkOpenFailure : public ::testing::TestWithParam<OpenFailureCase> {};

TEST_P(RadioLinkOpenFailure, ShowsCannotOpenAndTriesNoHandshake) {
    const OpenFailureCase& c = GetParam();
    LinkRig rig;
    rig.port.SetBusy(c.busy);
    const RadioImage original = PatternImage(11);
    RadioImage image = original;
    EXPECT_EQ(rig.link.Read(c.portName, image), LinkOutcome::OpenFailed);
    ASSERT_EQ(rig.observer.messageIds, std::vector<int>{kMsgCannotOpenPort});
    EXPECT_EQ(rig.observer.messageTexts[0], MessageText(kMsgCannotOpenPort));
    EXPECT_NE(rig.observer.details[0].find(c.detail), std::string::npos) << rig.observer.details[0];
    EXPECT_NE(rig.observer.details[0].find(c.portName), std::string::npos);
    EXPECT_TRUE(rig.radio.log().empty());
    EXPECT_EQ(image, original);
}

INSTANTIATE_TEST_SUITE_P(Cases, RadioLinkOpenFailure,
                         ::testing::Values(OpenFailureCase{"Missing", "/dev/ttyNothing", false,
                                                           "no such device"},
                                           OpenFailureCase{"Busy", "/dev/ttyVR0", true, "in use"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct VerifyCase {
    const char* name;
    const char* faults;
    std::size_t from;   // the bytes the radio does not hold as sent
    std::size_t count;  // (none when 0)
    bool flip;          // bit 0 of the first flipped (corrupt-write), else left as they were
    friend void PrintTo(const VerifyCase& c, std::ostream* os) { *os << c.name; }
};

class RadioLinkVerify : public ::testing::TestWithParam<VerifyCase> {};

// The write reads the radio back over the same connection; what the radio did with the blocks
// shows in the image read back, byte for byte.
TEST_P(RadioLinkVerify, ReadsBackWhatTheRadioHolds) {
    const VerifyCase& c = GetParam();
    LinkRig rig(Faults(c.faults), PatternImage(3));
    const RadioImage sent = PatternImage(9);
    RadioImage readBack;
    EXPECT_EQ(rig.link.Write(kPort, sent, &readBack), LinkOutcome::Done);
    EXPECT_TRUE(rig.link.WriteCompleted());
    EXPECT_EQ(readBack, rig.radio.memory());
    EXPECT_EQ(rig.observer.range, 512);  // the read-back's own range, after the write's
    EXPECT_EQ(rig.observer.progress, 512);
    EXPECT_EQ(rig.port.openCount(), 1);
    EXPECT_EQ(CountFrames(rig.radio.log(), FrameKind::WakeUp), 1);
    EXPECT_EQ(CountFrames(rig.radio.log(), FrameKind::ReadRequest), 1024);

    for (std::size_t at = 0; at < 0x1FF3; ++at) {
        std::uint8_t expected = sent[at];
        if (at >= c.from && at < c.from + c.count)
            expected = c.flip ? sent[at] ^ 0x01 : PatternImage(3)[at];
        ASSERT_EQ(readBack[at], expected) << "byte 0x" << std::hex << at;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RadioLinkVerify,
    ::testing::Values(VerifyCase{"Clean", "", 0, 0, false},
                      // Block 40 is 0x0140: the first byte of channel record 20.
                      VerifyCase{"CorruptWrite", "corrupt-write:40", 0x0140, 1, true},
                      VerifyCase{"CorruptBandFrame", "corrupt-write:1022", 0x1FF0, 1, true},
                      VerifyCase{"DroppedWrite", "drop-write:3", 0x0018, 8, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RadioLinkVerify, AFailedReadBackSaysTheWriteWasComplete) {
    LinkRig rig(Faults("short-reply:7"));
    const RadioImage original = PatternImage(4);
    RadioImage readBack = original;
    EXPECT_EQ(rig.link.Write(kPort, PatternImage(9), &readBack), LinkOutcome::Failed);
    EXPECT_TRUE(rig.link.WriteCompleted());
    EXPECT_EQ(readBack, original);
    ASSERT_EQ(rig.observer.messageIds, std::vector<int>{kMsgProgramInterrupt});
    EXPECT_EQ(rig.observer.details[0].rfind("The write is complete; reading it back", 0), 0u)
        << rig.observer.details[0];
    EXPECT_FALSE(rig.port.IsOpen());

    // A write that fails itself is not complete, and says nothing about a read-back.
    LinkRig failing(Faults("garbage-ack:3"));
    EXPECT_EQ(failing.link.Write(kPort, PatternImage(9), &readBack), LinkOutcome::Failed);
    EXPECT_FALSE(failing.link.WriteCompleted());
    EXPECT_EQ(failing.observer.details[0].find("reading it back"), std::string::npos);
}

TEST(RadioLinkSession, ARadioCanBeReadAgainAfterAFailedSession) {
    LinkRig rig(Faults("short-reply:5"));
    RadioImage image;
    EXPECT_EQ(rig.link.Read(kPort, image), LinkOutcome::Failed);
    rig.radio.SetFaults({});
    rig.observer = RecordingObserver{};
    EXPECT_EQ(rig.link.Read(kPort, image), LinkOutcome::Done);
    EXPECT_EQ(image, rig.radio.memory());
}

}  // namespace
}  // namespace radio::test
