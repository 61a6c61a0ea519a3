#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/image/radio_image.h"
#include "core/link/radio_faults.h"

namespace radio {

// What the virtual radio saw on the line, one entry per complete frame.
enum class FrameKind { WakeUp, Identification, Confirmation, ReadRequest, WriteRequest, BandFrame };

struct Frame {
    FrameKind kind;
    std::uint16_t address = 0;  // read and write requests, band frame
    std::size_t length = 0;

    friend bool operator==(const Frame&, const Frame&) = default;
};

// One log line: "wake-up", "identification", "confirmation", "read 0x1FF8 8", "write 0x0000 8",
// "band 0x1FF0 3".
std::string FormatFrame(const Frame& frame);

// The radio's side of the clone protocol: its own 8192-byte memory and a byte-level state
// machine. Bytes from the PC go in one at a time; reply bytes come out at once. Timing (byte
// pacing, timeouts) belongs to the transports that carry the bytes.
class VirtualRadio {
  public:
    explicit VirtualRadio(const RadioImage& memory = RadioImage(), RadioFaults faults = {});

    // Takes one byte from the PC and appends the radio's answer, if any, to `reply`.
    void Receive(std::uint8_t byte, std::vector<std::uint8_t>& reply);
    // A long pause on the line: a half-received frame is dropped, as after a reset of the PC.
    void LineIdle();

    // The cable was pulled (fault injection): the radio hears and says nothing any more and the
    // transport must drop the line.
    bool CablePulled() const { return m_pulled; }

    const RadioImage& memory() const { return m_memory; }
    void SetMemory(const RadioImage& memory) { m_memory = memory; }
    const std::vector<Frame>& log() const { return m_log; }
    const RadioFaults& faults() const { return m_faults; }
    void SetFaults(const RadioFaults& faults) { m_faults = faults; }

    // What the radio answers to the identification request ("VRADIO" 0x01 0x00 unless set), so
    // several virtual radios can be told apart as real ones may be.
    using Identity = std::array<std::uint8_t, 8>;
    const Identity& identity() const { return m_identity; }
    void SetIdentity(const Identity& identity) { m_identity = identity; }

    // Line speed the transports pace reply bytes at; 0 delivers them at once.
    int baud() const { return m_baud; }
    void SetBaud(int baud) { m_baud = baud; }

  private:
    enum class State { Asleep, Awake, Identified, Ready, Header, Data };

    void OnWakeUp(std::vector<std::uint8_t>& reply);
    void OnCommandByte(std::uint8_t byte, std::vector<std::uint8_t>& reply);
    void OnHeader(std::vector<std::uint8_t>& reply);
    void OnData(std::vector<std::uint8_t>& reply);
    bool ConfirmationWithheld() const;
    void Send(std::vector<std::uint8_t>& reply, std::uint8_t byte) const;

    RadioImage m_memory;
    RadioFaults m_faults;
    int m_baud = 0;
    Identity m_identity = {'V', 'R', 'A', 'D', 'I', 'O', 0x01, 0x00};
    std::vector<Frame> m_log;

    State m_state = State::Asleep;
    std::size_t m_wakeMatched = 0;  // wake-up bytes matched so far
    bool m_sawIdentM = false;
    int m_attempt = 0;  // wake-ups heard
    int m_lastReadBlock = -1;
    bool m_muted = false;
    bool m_pulled = false;
    std::vector<std::uint8_t> m_frame;  // header, then data of a write
    std::size_t m_dataExpected = 0;
};

}  // namespace radio
