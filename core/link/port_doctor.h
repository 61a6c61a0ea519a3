#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/link/serial_port.h"
#include "core/link/usb_chips.h"

namespace radio {

// The cable doctor: checks a port the way a transfer will use it and says in plain words what
// is wrong and what to do. The checks run in order and stop at the first that fails, since the
// later ones depend on it: the port exists; this user may open it; no other program holds it;
// 9600 8N1 can be set; a radio answers the wake-up (one attempt, no memory read or written).

enum class AccessVerdict { Granted, Denied, Unknown };

struct PortHolder {
    long pid = 0;
    std::string name;  // the program's name, empty when the system does not tell
};

// What the system says about a port before it is opened. Facts a platform cannot tell keep
// their defaults.
struct PortFacts {
    std::string device;  // what the port name stands for ("/dev/ttyS0" for COM1 on Linux)
    bool exists = false;
    // What the name is when it exists but is no device a port could be ("a regular file",
    // "a directory"); empty for a device or when the system does not tell.
    std::string notADevice;
    std::optional<UsbId> usb;
    std::string driver;  // the bound driver (Linux), empty when unknown
    AccessVerdict access = AccessVerdict::Unknown;
    std::string group;            // group owning the device node ("dialout"), empty if unknown
    bool groupInProcess = false;  // this login has that group
    bool groupListed = false;     // the group database lists this user in it
    bool uaccessRule = false;     // the package's udev rule for cable chips is installed
    std::optional<PortHolder> lockedBy;  // a live process named by the port's lock file
    std::vector<PortHolder> openBy;      // other processes that have the device open
};

enum class OpenOutcome { Opened, Missing, Denied, Busy, Failed };

// The platform seam: what the doctor asks the system and does with the port.
class PortSystem {
  public:
    virtual ~PortSystem() = default;
    virtual PortFacts Inspect(const std::string& portName) = 0;
    // Opens the port as a transfer opens it; `detail` says why it did not.
    virtual OpenOutcome Open(const std::string& portName, std::string& detail) = 0;
    // Sets the line on the open port; false with `detail` when the driver refuses a setting.
    virtual bool SetLine(const LineSettings& line, std::string& detail) = 0;
    virtual SerialPort& Port() = 0;  // the open port, for the wake-up
    virtual Clock& Timer() = 0;
    virtual void Close() = 0;
};

enum class CheckId { Exists, Permission, Busy, Line, Radio };
enum class Verdict { Pass, Fail, NotRun };

struct CheckResult {
    CheckId id;
    Verdict verdict = Verdict::NotRun;
    std::string text;    // what was found
    std::string advice;  // what to do; empty when nothing is to be done
};

struct DoctorReport {
    std::string port;
    std::string device;
    std::string chip;                 // DescribePort of a USB cable; empty for other ports
    std::vector<CheckResult> checks;  // always all five, in order
    bool ok() const;
    const CheckResult& Check(CheckId id) const;
};

DoctorReport RunPortDoctor(const std::string& portName, PortSystem& system);

// The report as plain lines: the port, then one line per check ("ok", "PROBLEM", "not
// checked") with its advice indented below.
std::string FormatReport(const DoctorReport& report);

}  // namespace radio
