#pragma once

#include <string>
#include <vector>

#include "core/link/port_doctor.h"
#include "core/link/usb_chips.h"
#include "qt/qt_serial_port.h"

namespace radio {

// The cable doctor's seam on this system: facts from the POSIX tables (Linux: sysfs, groups,
// lock files, /proc) or, elsewhere, from QSerialPortInfo; the port opened through the same
// QSerialPort adapter a transfer uses. Used on one thread, like the adapter.
class QtPortSystem : public PortSystem {
  public:
    PortFacts Inspect(const std::string& portName) override;
    OpenOutcome Open(const std::string& portName, std::string& detail) override;
    bool SetLine(const LineSettings& line, std::string& detail) override;
    SerialPort& Port() override { return m_port; }
    Clock& Timer() override { return m_clock; }
    void Close() override { m_port.Close(); }

  private:
    QtSerialPort m_port;
    SystemClock m_clock;
};

// The serial ports of this computer with what the system says about each (sorted by name):
// the names --port and COM Setup take, USB ids, and on Linux the bound driver.
std::vector<PortListing> ListSerialPorts();

}  // namespace radio
