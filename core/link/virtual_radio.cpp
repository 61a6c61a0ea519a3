#include "core/link/virtual_radio.h"

#include <cstdio>

#include "core/link/clone_protocol.h"

namespace radio {
namespace {

constexpr std::uint8_t kStrayByte = 0x15;
constexpr std::uint8_t kGarbageByte = 0xA5;
static_assert(std::tuple_size_v<VirtualRadio::Identity> == clone::kIdentReplySize);

}  // namespace

std::string FormatFrame(const Frame& frame) {
    char buffer[40];
    switch (frame.kind) {
        case FrameKind::WakeUp:
            return "wake-up";
        case FrameKind::Identification:
            return "identification";
        case FrameKind::Confirmation:
            return "confirmation";
        case FrameKind::ReadRequest:
            std::snprintf(buffer, sizeof buffer, "read 0x%04X %zu", frame.address, frame.length);
            return buffer;
        case FrameKind::WriteRequest:
            std::snprintf(buffer, sizeof buffer, "write 0x%04X %zu", frame.address, frame.length);
            return buffer;
        case FrameKind::BandFrame:
            std::snprintf(buffer, sizeof buffer, "band 0x%04X %zu", frame.address, frame.length);
            return buffer;
    }
    return {};
}

VirtualRadio::VirtualRadio(const RadioImage& memory, RadioFaults faults)
    : m_memory(memory), m_faults(faults) {}

void VirtualRadio::Send(std::vector<std::uint8_t>& reply, std::uint8_t byte) const {
    if (!m_muted && !m_pulled && !m_faults.silent) reply.push_back(byte);
}

void VirtualRadio::Receive(std::uint8_t byte, std::vector<std::uint8_t>& reply) {
    if (m_pulled) return;

    // Inside a frame every byte is payload, even one that looks like a wake-up.
    if (m_state == State::Header || m_state == State::Data) {
        m_frame.push_back(byte);
        if (m_state == State::Header && m_frame.size() == clone::kHeaderSize) {
            OnHeader(reply);
        } else if (m_state == State::Data &&
                   m_frame.size() == clone::kHeaderSize + m_dataExpected) {
            OnData(reply);
        }
        return;
    }

    if (m_wakeMatched > 0 && byte == clone::kWakeUp[m_wakeMatched]) {
        if (++m_wakeMatched == clone::kWakeUp.size()) OnWakeUp(reply);
        return;
    }
    // "M" 0x02 asks for the identification; that 0x02 must not be taken for a new wake-up.
    if (m_state == State::Awake && m_sawIdentM && byte == clone::kIdentRequest1) {
        m_log.push_back({FrameKind::Identification});
        m_sawIdentM = false;
        m_wakeMatched = 0;
        if (m_faults.pullAtIdent) {
            m_pulled = true;
            return;
        }
        for (std::uint8_t b : m_identity) Send(reply, b);
        m_state = State::Identified;
        return;
    }
    if (byte == clone::kWakeUp[0]) {
        m_wakeMatched = 1;
        return;
    }
    m_wakeMatched = 0;
    OnCommandByte(byte, reply);
}

void VirtualRadio::OnWakeUp(std::vector<std::uint8_t>& reply) {
    m_wakeMatched = 0;
    ++m_attempt;
    m_muted = false;
    m_log.push_back({FrameKind::WakeUp});
    if (m_attempt < m_faults.ackFromAttempt) {
        m_state = State::Asleep;
        return;
    }
    if (m_faults.wrongByteBeforeAck) Send(reply, kStrayByte);
    Send(reply, clone::kAck);
    m_state = State::Awake;
    m_sawIdentM = false;
}

bool VirtualRadio::ConfirmationWithheld() const {
    return (m_faults.noConfirmBefore > 0 && m_attempt < m_faults.noConfirmBefore) ||
           (m_faults.noConfirmFrom > 0 && m_attempt >= m_faults.noConfirmFrom);
}

void VirtualRadio::OnCommandByte(std::uint8_t byte, std::vector<std::uint8_t>& reply) {
    switch (m_state) {
        case State::Awake:
            m_sawIdentM = byte == clone::kIdentRequest0;
            break;
        case State::Identified:
            if (byte != clone::kAck) break;
            m_log.push_back({FrameKind::Confirmation});
            if (ConfirmationWithheld()) {
                m_state = State::Asleep;
                break;
            }
            Send(reply, clone::kAck);
            m_state = State::Ready;
            break;
        case State::Ready:
            if (byte == clone::kReadCommand || byte == clone::kWriteCommand) {
                m_frame.assign(1, byte);
                m_state = State::Header;
            } else if (byte == clone::kAck && m_lastReadBlock >= 0) {
                // The PC acknowledges a read reply; the radio answers in kind.
                Send(reply,
                     m_lastReadBlock == m_faults.garbageAckBlock ? kGarbageByte : clone::kAck);
                m_lastReadBlock = -1;
            }
            break;
        default:
            break;
    }
}

void VirtualRadio::OnHeader(std::vector<std::uint8_t>& reply) {
    const std::uint16_t address = static_cast<std::uint16_t>((m_frame[1] << 8) | m_frame[2]);
    const std::size_t length = m_frame[3];
    const int block = clone::BlockOf(address);
    if (block == m_faults.pullBlock) {
        m_pulled = true;
        return;
    }
    if (block == m_faults.muteBlock) m_muted = true;

    if (m_frame[0] == clone::kReadCommand) {
        m_log.push_back({FrameKind::ReadRequest, address, length});
        std::vector<std::uint8_t> answer(m_frame.begin(), m_frame.end());
        if (m_faults.scrambledHeader) answer = {0xDE, 0xAD, 0xBE, 0xEF};
        for (std::size_t i = 0; i < length; ++i) {
            const std::size_t at = address + i;
            answer.push_back(at < kImageSize ? m_memory[at] : 0xFF);
        }
        if (block == m_faults.shortReplyBlock) answer.pop_back();
        for (std::uint8_t b : answer) Send(reply, b);
        m_lastReadBlock = block;
        m_state = State::Ready;
        return;
    }
    const bool band = address == clone::kBandAddress && length == clone::kBandSize;
    m_log.push_back({band ? FrameKind::BandFrame : FrameKind::WriteRequest, address, length});
    m_dataExpected = length;
    m_state = State::Data;
    if (length == 0) OnData(reply);
}

void VirtualRadio::OnData(std::vector<std::uint8_t>& reply) {
    const std::uint16_t address = static_cast<std::uint16_t>((m_frame[1] << 8) | m_frame[2]);
    const int block = clone::BlockOf(address);
    // A flipped bit in the first byte stands for a cell that did not take the write.
    if (block == m_faults.corruptWriteBlock && m_dataExpected > 0)
        m_frame[clone::kHeaderSize] ^= 0x01;
    for (std::size_t i = 0; i < m_dataExpected && block != m_faults.dropWriteBlock; ++i) {
        // Addresses past the end of memory go nowhere, as on a radio with 8 KiB.
        if (address + i < kImageSize) m_memory[address + i] = m_frame[clone::kHeaderSize + i];
    }
    Send(reply, block == m_faults.garbageAckBlock ? kGarbageByte : clone::kAck);
    m_lastReadBlock = -1;
    m_state = State::Ready;
}

void VirtualRadio::LineIdle() {
    if (m_state == State::Header || m_state == State::Data) m_state = State::Ready;
    m_wakeMatched = 0;
}

}  // namespace radio
