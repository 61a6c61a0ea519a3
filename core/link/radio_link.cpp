#include "core/link/radio_link.h"

#include <algorithm>
#include <cstdio>

#include "core/config/messages.h"
#include "core/link/clone_protocol.h"

namespace radio {
namespace {

constexpr int kMaxAttempts = 15;
// A missing confirmation this late means the radio is stuck half-way: retrying cannot help.
constexpr int kLastRetryableAttempt = 5;
constexpr int kHandshakePumpRounds = 6;

std::string BlockName(std::uint16_t address) {
    char text[32];
    std::snprintf(text, sizeof text, "Block 0x%04X", address);
    return text;
}

std::string Text(int id) { return std::string(MessageText(id)); }

}  // namespace

RadioLink::RadioLink(SerialPort& port, Clock& clock, LinkObserver& observer)
    : m_port(port), m_clock(clock), m_observer(observer) {}

LinkOutcome RadioLink::Read(const std::string& portName, RadioImage& image) {
    m_observer.SetProgressRange(clone::kReadProgressMax);
    m_progress = 0;
    m_phase.clear();
    m_identity.clear();
    if (!OpenAndConfigure(portName)) return LinkOutcome::OpenFailed;
    // The caller's image changes only once every block is in: a transfer that ends early must
    // not leave it half old, half new.
    RadioImage scratch = image;
    Step step = Handshake();
    if (step == Step::Go) step = ReadBlocks(scratch);
    const LinkOutcome outcome = Finish(step);
    if (outcome == LinkOutcome::Done) image = scratch;
    return outcome;
}

LinkOutcome RadioLink::Write(const std::string& portName, const RadioImage& image,
                             RadioImage* readBack) {
    m_observer.SetProgressRange(clone::kWriteProgressMax);
    m_progress = 0;
    m_phase.clear();
    m_writeCompleted = false;
    m_writeStarted = false;
    m_identity.clear();
    if (!OpenAndConfigure(portName)) return LinkOutcome::OpenFailed;
    Step step = Handshake();
    if (step == Step::Go) {
        m_writeStarted = true;
        step = WriteBlocks(image);
    }
    if (step == Step::Go) {
        m_writeCompleted = true;
        if (readBack != nullptr) step = ReadBack(*readBack);
    }
    return Finish(step);
}

RadioLink::Step RadioLink::ReadBack(RadioImage& readBack) {
    m_observer.VerifyStarted();
    m_observer.SetProgressRange(clone::kReadProgressMax);
    m_progress = 0;
    m_phase = "The write is complete; reading it back to verify failed. ";
    // Like a read, the caller's image changes only once every block is in.
    RadioImage scratch = readBack;
    const Step step = ReadBlocks(scratch);
    if (step == Step::Go) readBack = scratch;
    return step;
}

bool RadioLink::OpenAndConfigure(const std::string& portName) {
    const Status opened = m_port.Open(portName);
    if (!opened) {
        m_observer.ShowMessage(kMsgCannotOpenPort, Text(kMsgCannotOpenPort),
                               opened.message.empty() ? portName : opened.message);
        return false;
    }
    m_port.Configure(LineSettings{}, ReadTimeouts{});
    return true;
}

LinkOutcome RadioLink::Finish(Step step) {
    m_port.Close();
    switch (step) {
        case Step::Go:
            return LinkOutcome::Done;
        case Step::Cancelled:
            return LinkOutcome::Cancelled;
        case Step::Failed:
            return LinkOutcome::Failed;
    }
    return LinkOutcome::Failed;
}

bool RadioLink::PumpCancelled(int rounds, int sleepMs) {
    for (int i = 0; i < rounds; ++i) {
        if (m_observer.CancelRequested()) return true;
        if (sleepMs > 0) m_clock.SleepMs(sleepMs);
    }
    return false;
}

RadioLink::Step RadioLink::Fatal(const std::string& detail) {
    m_observer.ShowMessage(kMsgProgramInterrupt, Text(kMsgProgramInterrupt), m_phase + detail);
    return Step::Failed;
}

// Only a byte that actually arrived can be an acknowledgement: a timed-out or failed read is
// never taken for 0x06, whatever an earlier read left in the buffer.
bool RadioLink::ReadAck(std::string& detail) {
    std::uint8_t byte = 0;
    const ReadResult r = m_port.Read(&byte, 1);
    if (!r.ok) {
        detail = "the read failed: " + m_port.LastError();
        return false;
    }
    if (r.count == 0) {
        detail = "no acknowledgement (timed out)";
        return false;
    }
    if (byte != clone::kAck) {
        char text[48];
        std::snprintf(text, sizeof text, "expected 0x06, received 0x%02X", byte);
        detail = text;
        return false;
    }
    return true;
}

WakeUp WakeUpRadio(SerialPort& port, Clock& clock, int* stray,
                   std::vector<std::uint8_t>* identity) {
    if (stray) *stray = -1;
    port.PurgeAbort();
    for (std::uint8_t b : clone::kWakeUp) {
        clock.SleepMs(2);
        port.Write(&b, 1);
    }

    // The acknowledgement may come as the first or the second byte.
    bool acked = false;
    for (int read = 0; read < 2 && !acked; ++read) {
        std::uint8_t byte = 0;
        const ReadResult r = port.Read(&byte, 1);
        acked = r.ok && r.count == 1 && byte == clone::kAck;
        if (stray && r.ok && r.count == 1 && !acked) *stray = byte;
        if (!r.ok) break;
    }
    if (!acked) return WakeUp::NoAck;

    clock.SleepMs(1);
    port.PurgeClear();
    const std::uint8_t m = clone::kIdentRequest0, two = clone::kIdentRequest1;
    port.Write(&m, 1);
    clock.SleepMs(1);
    port.Write(&two, 1);
    clock.SleepMs(1);
    std::uint8_t ident[clone::kIdentReplySize] = {};  // never examined, only kept
    const ReadResult got = port.Read(ident, sizeof ident);
    if (!got.ok) return WakeUp::NoIdentity;
    if (identity) identity->assign(ident, ident + std::min(got.count, sizeof ident));
    port.PurgeClear();
    const std::uint8_t ack = clone::kAck;
    port.Write(&ack, 1);
    clock.SleepMs(1);
    std::uint8_t byte = 0;
    const ReadResult r = port.Read(&byte, 1);
    return r.ok && r.count == 1 && byte == clone::kAck ? WakeUp::Confirmed : WakeUp::NotConfirmed;
}

RadioLink::Step RadioLink::Handshake() {
    int attempt = 1;
    for (;;) {
        if (PumpCancelled(kHandshakePumpRounds, 1)) return Step::Cancelled;
        std::vector<std::uint8_t> identity;
        const WakeUp reply = WakeUpRadio(m_port, m_clock, nullptr, &identity);
        if (reply == WakeUp::Confirmed) {
            m_identity = std::move(identity);
            return Step::Go;
        }
        if (reply == WakeUp::NoAck) {
            m_clock.SleepMs(2);
            if (++attempt <= kMaxAttempts) continue;
        } else if (reply == WakeUp::NotConfirmed && attempt > kLastRetryableAttempt) {
            return Fatal("No confirmation from the radio on attempt " + std::to_string(attempt) +
                         ".");
        }
        if (!m_observer.AskRetry(kMsgCommunicationError, Text(kMsgCommunicationError))) {
            return Step::Cancelled;
        }
        attempt = 1;
    }
}

void RadioLink::StepProgress(std::uint16_t address) {
    if (address % (2 * clone::kBlockSize) == 0) m_observer.SetProgress(++m_progress);
}

RadioLink::Step RadioLink::ReadBlocks(RadioImage& scratch) {
    for (int block = 0; block < clone::kReadBlocks; ++block) {
        const auto address = static_cast<std::uint16_t>(block * clone::kBlockSize);
        m_port.PurgeClear();
        const auto request = clone::Header(clone::kReadCommand, address, clone::kBlockSize);
        m_port.Write(request.data(), request.size());

        std::uint8_t reply[clone::kReadReplySize] = {};
        const ReadResult r = m_port.Read(reply, sizeof reply);
        if (!r.ok) return Fatal(BlockName(address) + ": the read failed: " + m_port.LastError());
        if (r.count < sizeof reply) {
            return Fatal(BlockName(address) + ": the radio sent " + std::to_string(r.count) +
                         " of 12 bytes");
        }
        // Bytes 0..3 of the reply are not examined: any content is accepted.
        std::copy_n(reply + clone::kHeaderSize, clone::kBlockSize, scratch.data() + address);

        m_port.ClearReceive();
        m_port.PurgeClear();
        const std::uint8_t ack = clone::kAck;
        m_port.Write(&ack, 1);
        std::string detail;
        if (!ReadAck(detail)) return Fatal(BlockName(address) + ": " + detail);

        StepProgress(address);
        m_observer.BlockDone(block + 1, clone::kReadBlocks);
        if (PumpCancelled(1, 0)) return Step::Cancelled;
    }
    return Step::Go;
}

RadioLink::Step RadioLink::SendFrame(std::uint16_t address, const std::uint8_t* data,
                                     std::size_t length, const std::string& what) {
    m_port.ClearReceive();
    m_port.PurgeClear();
    const auto header = clone::Header(clone::kWriteCommand, address, length);
    m_port.Write(header.data(), header.size());
    m_clock.SleepMs(1);
    m_port.Write(data, length);
    std::string detail;
    if (!ReadAck(detail)) return Fatal(what + ": " + detail);
    return Step::Go;
}

// Every block from 0x0000 to 0x1FE8, channel records 100-150 included, then the band-limit
// bytes in a frame of their own. 0x1FF3..0x1FFF are never sent.
RadioLink::Step RadioLink::WriteBlocks(const RadioImage& image) {
    for (int block = 0; block < clone::kWriteBlocks; ++block) {
        const auto address = static_cast<std::uint16_t>(block * clone::kBlockSize);
        const Step step =
            SendFrame(address, image.data() + address, clone::kBlockSize, BlockName(address));
        if (step != Step::Go) return step;
        StepProgress(address);
        m_observer.BlockDone(block + 1, clone::kWriteBlocks);
        if (PumpCancelled(1, 0)) return Step::Cancelled;
    }
    return SendFrame(clone::kBandAddress, image.data() + clone::kBandAddress, clone::kBandSize,
                     "Band frame");
}

}  // namespace radio
