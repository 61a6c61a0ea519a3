#include "core/link/port_names.h"

#include <cctype>

namespace radio {

std::string DevicePathForPort(std::string_view portName, bool windows) {
    if (windows || portName.size() < 4) return std::string(portName);
    const auto lower = [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    if (lower(portName[0]) != 'c' || lower(portName[1]) != 'o' || lower(portName[2]) != 'm') {
        return std::string(portName);
    }
    int number = 0;
    for (char c : portName.substr(3)) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || number > 9999) {
            return std::string(portName);
        }
        number = number * 10 + (c - '0');
    }
    // COM0 has no serial port behind it; left as it is, it fails to open like any missing device.
    if (number == 0) return std::string(portName);
    return "/dev/ttyS" + std::to_string(number - 1);
}

std::string DevicePathForPort(std::string_view portName) {
#ifdef _WIN32
    return DevicePathForPort(portName, true);
#else
    return DevicePathForPort(portName, false);
#endif
}

}  // namespace radio
