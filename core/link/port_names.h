#pragma once

#include <string>
#include <string_view>

namespace radio {

// The device a port name stands for. "COMn" (any case) is the n-th serial port: as given on
// Windows, /dev/ttyS(n-1) elsewhere. Every other name (/dev/ttyUSB0, a pty) is used as given.
std::string DevicePathForPort(std::string_view portName);

// Same mapping, with the platform made explicit so both can be checked anywhere.
std::string DevicePathForPort(std::string_view portName, bool windows);

}  // namespace radio
