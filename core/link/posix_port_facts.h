#pragma once

#include <string>
#include <vector>

#include "core/link/port_doctor.h"

namespace radio {

// The doctor's facts on a POSIX system, from the system's own tables: the device node, sysfs
// (USB ids, bound driver), the group database, the serial port lock files, /proc and the udev
// rule folders. Everything, the device node too, is read under `root` ("/" for the real
// system; tests lay out a folder like one).

// Who is asking: the user, this process's groups and its id (never counted as a holder).
struct PosixIdentity {
    std::string user;
    unsigned gid = 0;  // primary group
    std::vector<unsigned> groups;
    long pid = 0;
};
PosixIdentity CurrentIdentity();

// The file name of the package's udev rule, looked for in the usual rule folders.
inline constexpr const char* kUdevRuleName = "70-radio-programmer-cables.rules";

PortFacts InspectPosixPort(const std::string& device, const std::string& root,
                           const PosixIdentity& who);

// USB id and bound driver of a tty device from sysfs (both empty for a pty or a built-in port).
void ReadTtySysfs(const std::string& device, const std::string& root, PortFacts& facts);

}  // namespace radio
