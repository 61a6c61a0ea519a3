#include "core/link/usb_chips.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>

namespace radio {
namespace {

TEST(UsbChips, DescribesPortsAsTheListsShowThem) {
    struct Case {
        PortListing port;
        const char* text;
    };
    const Case cases[] = {
        {{"/dev/ttyUSB0", "USB Serial", UsbId{0x1a86, 0x7523}, "ch341-uart"},
         "CH340/CH341 USB serial cable (1a86:7523), driver ch341-uart"},
        {{"/dev/ttyUSB1", "", UsbId{0x067b, 0x2303}, "usbserial_generic"},
         "PL2303 USB serial cable (067b:2303), driver usbserial_generic (this chip is usually "
         "served by pl2303)"},
        {{"COM5", "Prolific USB-to-Serial", UsbId{0x067b, 0x23a3}, ""},
         "PL2303GC/GS (HXN) USB serial cable (067b:23a3)"},
        {{"/dev/ttyACM0", "Some Modem", UsbId{0x2341, 0x0043}, "cdc_acm"},
         "Some Modem (2341:0043), driver cdc_acm"},
        {{"/dev/ttyACM1", "", UsbId{0x2341, 0x0043}, ""}, "USB device (2341:0043)"},
        {{"/dev/ttyS0", "", std::nullopt, "serial8250"}, "serial port, driver serial8250"},
    };
    for (const Case& c : cases) EXPECT_EQ(DescribePort(c.port), c.text) << c.port.name;
}

TEST(UsbChips, ReadsIdsAsSysfsWritesThem) {
    const std::pair<const char*, int> cases[] = {
        {"1a86\n", 0x1a86}, {"EA60", 0xea60}, {"0403", 0x0403}, {"403", -1},
        {"1a86x", -1},      {"", -1},         {"-001", -1},     {"12345", -1},
    };
    for (const auto& [text, value] : cases) {
        const auto parsed = ParseUsbIdPart(text);
        EXPECT_EQ(parsed ? int(*parsed) : -1, value) << "'" << text << "'";
    }
    EXPECT_EQ(FormatUsbId({0x067b, 0x23a3}), "067b:23a3");
}

// The udev rule shipped with the package grants exactly the chips the doctor knows.
TEST(UsbChips, TheUdevRuleCoversExactlyTheKnownChips) {
    std::ifstream rule(RADIO_RESOURCES "/linux/70-radio-programmer-cables.rules");
    ASSERT_TRUE(rule) << "rule file missing";
    const std::regex line(
        R"re(SUBSYSTEM=="tty", ATTRS\{idVendor\}=="([0-9a-f]{4})", ATTRS\{idProduct\}=="([0-9a-f]{4})", TAG\+="uaccess")re");
    std::set<std::string> inRule, known;
    for (std::string text; std::getline(rule, text);) {
        if (text.empty() || text[0] == '#') continue;
        std::smatch m;
        ASSERT_TRUE(std::regex_match(text, m, line)) << text;
        inRule.insert(m[1].str() + ":" + m[2].str());
    }
    for (const CableChip& chip : KnownCableChips()) known.insert(FormatUsbId(chip.id));
    EXPECT_EQ(inRule, known);
}

}  // namespace
}  // namespace radio
