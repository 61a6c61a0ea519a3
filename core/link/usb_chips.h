#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace radio {

// A USB device's vendor and product id, as lsusb and the system's device tables show them.
struct UsbId {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    friend bool operator==(const UsbId&, const UsbId&) = default;
};

// "1a86:7523"
std::string FormatUsbId(UsbId id);
// Four hexadecimal digits, as sysfs writes idVendor and idProduct; nullopt otherwise.
std::optional<std::uint16_t> ParseUsbIdPart(std::string_view text);

// The serial chips programming cables are built around. The udev rule the package installs
// gives the logged-in user access to exactly these.
struct CableChip {
    UsbId id;
    std::string_view name;         // "CH340/CH341"
    std::string_view linuxDriver;  // the driver Linux binds ("ch341-uart")
    std::string_view note;         // what users of this chip run into; may be empty
};
std::span<const CableChip> KnownCableChips();
const CableChip* FindCableChip(UsbId id);

// One serial port as the port lists show it.
struct PortListing {
    std::string name;         // what --port and COM Setup take
    std::string description;  // the system's description; may be empty
    std::optional<UsbId> usb;
    std::string driver;  // bound driver (Linux), empty when unknown
};

// "CH340/CH341 USB serial cable (1a86:7523), driver ch341-uart": the chip when it is a known
// one, else the system's description and the USB id; a driver other than the chip's usual one
// is pointed out.
std::string DescribePort(const PortListing& port);

}  // namespace radio
