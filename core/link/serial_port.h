#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/image/status.h"

namespace radio {

// Line settings of every connection: 9600 8N1, binary, no parity check.
struct LineSettings {
    int baudRate = 9600;
    int dataBits = 8;
    bool parity = false;
    int stopBits = 1;
    std::size_t inputQueue = 1024;
    std::size_t outputQueue = 512;
};

// Timeouts in milliseconds. A read of n bytes ends at min(start + perByte * n + constant,
// last byte received + interval); the interval only counts once a byte has arrived.
struct ReadTimeouts {
    int intervalMs = 50;
    int totalPerByteMs = 100;
    int totalConstantMs = 90;
};

struct [[nodiscard]] ReadResult {
    bool ok = true;         // false: the read call itself failed (device gone, I/O error)
    std::size_t count = 0;  // bytes received before the timeouts ended the read
};

// The operations a connection needs from a serial port. Implemented by the QSerialPort
// adapter (cables, pseudo-terminals) and by in-memory ports in tests.
class SerialPort {
  public:
    virtual ~SerialPort() = default;
    // Opens the device read/write, exclusively. The message names the port and the reason.
    virtual Status Open(const std::string& name) = 0;
    // Applies line settings, queue sizes and timeouts; results are not examined by callers.
    virtual void Configure(const LineSettings& line, const ReadTimeouts& timeouts) = 0;
    virtual ReadResult Read(std::uint8_t* buffer, std::size_t n) = 0;
    // Writes n bytes; callers never examine the outcome, only the radio's replies decide.
    virtual void Write(const std::uint8_t* data, std::size_t n) = 0;
    virtual void PurgeAbort() = 0;    // stop pending transmit and receive operations
    virtual void PurgeClear() = 0;    // discard driver transmit and receive buffers
    virtual void ClearReceive() = 0;  // drop what has been received so far
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Why the last failed read failed (names the port), for the detail under a message.
    virtual std::string LastError() const { return {}; }
};

// Time for sleeps, so tests can run the long waits instantly.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual void SleepMs(int ms) = 0;
    virtual std::int64_t NowMs() const = 0;
};

// The real clock (std::chrono::steady_clock, std::this_thread::sleep_for).
class SystemClock : public Clock {
  public:
    void SleepMs(int ms) override;
    std::int64_t NowMs() const override;
};

}  // namespace radio
