#include "core/link/usb_chips.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace radio {

namespace {

constexpr std::array<CableChip, 6> kChips = {{
    {{0x1a86, 0x7523}, "CH340/CH341", "ch341-uart", ""},
    {{0x067b, 0x2303},
     "PL2303",
     "pl2303",
     "many cheap cables carry counterfeit PL2303 chips with this id; if it does not answer, "
     "try a cable with another chip"},
    {{0x067b, 0x23a3}, "PL2303GC/GS (HXN)", "pl2303", ""},
    {{0x0403, 0x6001}, "FTDI FT232R", "ftdi_sio", ""},
    {{0x0403, 0x6015}, "FTDI FT230X/FT231X", "ftdi_sio", ""},
    {{0x10c4, 0xea60}, "Silicon Labs CP210x", "cp210x", ""},
}};

}  // namespace

std::string FormatUsbId(UsbId id) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", unsigned(id.vendor), unsigned(id.product));
    return text;
}

std::optional<std::uint16_t> ParseUsbIdPart(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.remove_suffix(1);
    if (text.size() != 4) return std::nullopt;
    std::uint16_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::span<const CableChip> KnownCableChips() { return kChips; }

const CableChip* FindCableChip(UsbId id) {
    for (const CableChip& chip : kChips) {
        if (chip.id == id) return &chip;
    }
    return nullptr;
}

std::string DescribePort(const PortListing& port) {
    std::string text;
    const CableChip* chip = port.usb ? FindCableChip(*port.usb) : nullptr;
    if (chip) {
        text = std::string(chip->name) + " USB serial cable (" + FormatUsbId(*port.usb) + ")";
    } else if (port.usb) {
        text = (port.description.empty() ? std::string("USB device") : port.description) + " (" +
               FormatUsbId(*port.usb) + ")";
    } else {
        text = port.description.empty() ? std::string("serial port") : port.description;
    }
    if (!port.driver.empty()) {
        text += ", driver " + port.driver;
        if (chip && port.driver != chip->linuxDriver)
            text += " (this chip is usually served by " + std::string(chip->linuxDriver) + ")";
    }
    return text;
}

}  // namespace radio
