#pragma once

#include <memory>
#include <string>

#include "core/link/serial_port.h"

class QSerialPort;

namespace radio {

// SerialPort over QSerialPort, for cables and pseudo-terminals alike. It works without an
// event loop (blocking waits), so it must be created, used and destroyed on one thread: the
// transfer's worker thread, or the main thread of the command-line tool.
class QtSerialPort : public SerialPort {
  public:
    QtSerialPort();
    ~QtSerialPort() override;

    Status Open(const std::string& name) override;
    void Configure(const LineSettings& line, const ReadTimeouts& timeouts) override;
    ReadResult Read(std::uint8_t* buffer, std::size_t n) override;
    void Write(const std::uint8_t* data, std::size_t n) override;
    void PurgeAbort() override;
    void PurgeClear() override;
    void ClearReceive() override;
    void Close() override;
    bool IsOpen() const override;
    std::string LastError() const override { return m_lastError; }

    // How the last Open failed, for the cable doctor's wording.
    enum class OpenFailure { None, Missing, Denied, Other };
    OpenFailure LastOpenFailure() const { return m_openFailure; }
    // Configure, but says which setting the driver refused (Configure ignores that).
    Status ApplyLine(const LineSettings& line);

  private:
    std::unique_ptr<QSerialPort> m_port;
    std::string m_name;  // as the user gave it, for messages
    ReadTimeouts m_timeouts;
    std::string m_lastError;
    OpenFailure m_openFailure = OpenFailure::None;
};

}  // namespace radio
