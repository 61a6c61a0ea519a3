#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "core/link/serial_port.h"
#include "core/link/virtual_radio.h"

namespace radio {

// A serial port wired straight to a VirtualRadio, in the same thread. Timeouts and byte
// pacing are measured on the given clock, so with a fake clock a silent radio costs the full
// timeout in simulated time and nothing in real time. Used by the desktop program's built-in
// radio (on its worker thread) and by the link's unit tests.
class VirtualRadioPort : public SerialPort {
  public:
    VirtualRadioPort(VirtualRadio& radio, Clock& clock);

    // The one name Open accepts (any other fails like a missing device); empty accepts all.
    void SetDeviceName(std::string name) { m_deviceName = std::move(name); }
    // Makes Open fail as if another program held the port.
    void SetBusy(bool busy) { m_busy = busy; }

    Status Open(const std::string& name) override;
    void Configure(const LineSettings& line, const ReadTimeouts& timeouts) override;
    ReadResult Read(std::uint8_t* buffer, std::size_t n) override;
    void Write(const std::uint8_t* data, std::size_t n) override;
    void PurgeAbort() override {}
    void PurgeClear() override { DropArrived(); }
    void ClearReceive() override { DropArrived(); }
    void Close() override;
    bool IsOpen() const override { return m_open; }
    std::string LastError() const override { return m_lastError; }

    int openCount() const { return m_openCount; }

  private:
    struct Pending {
        std::uint8_t byte;
        std::int64_t arrivalUs;  // when the byte's stop bit has come in
    };

    std::int64_t NowUs() const { return m_clock.NowMs() * 1000; }
    void SleepUntilUs(std::int64_t us);
    std::int64_t ByteTimeUs() const;
    void DropArrived();

    VirtualRadio& m_radio;
    Clock& m_clock;
    std::string m_deviceName;
    std::string m_openName;
    bool m_busy = false;
    bool m_open = false;
    int m_openCount = 0;
    ReadTimeouts m_timeouts;
    std::deque<Pending> m_incoming;
    std::int64_t m_txFreeUs = 0;  // PC to radio line busy until
    std::int64_t m_rxFreeUs = 0;  // radio to PC line busy until
    std::string m_lastError;
};

}  // namespace radio
