// Verify after writing, end to end: the QSerialPort adapter, a pseudo-terminal and a virtual
// radio that mishandles one block; the report must name the channel and field that block holds.
#include <gtest/gtest.h>

#include "core/formats/image_diff.h"
#include "core/image/channel_file.h"
#include "qt/qt_serial_port.h"
#include "tests/support/pty_rig.h"

namespace radio::test {
namespace {

RadioImage Demo() {
    RadioImage image;
    EXPECT_TRUE(LoadChannelFile(RADIO_RESOURCES "/demo.dat", image).ok);
    return image;
}

struct VerifyCase {
    const char* name;
    const char* faults;
    const char* firstDifference;  // the report's first finding begins so; "" for verified
};

class PtyVerify : public ::testing::TestWithParam<VerifyCase> {};

TEST_P(PtyVerify, TheReportNamesWhatTheRadioDidNotTake) {
    const VerifyCase& c = GetParam();
    RadioFaults faults;
    ASSERT_TRUE(ParseFaults(c.faults, faults).ok);
    PtyRig<QtSerialPort> rig(faults);
    ASSERT_TRUE(rig.started);
    const RadioImage written = Demo();
    RadioImage readBack;

    ASSERT_EQ(rig.link.Write(rig.server.devicePath(), written, &readBack), LinkOutcome::Done);
    const std::vector<ImageDifference> diffs =
        VerifyWrittenImage(written, readBack, Language::English);
    const std::string report = VerifyReport(diffs);
    if (*c.firstDifference == '\0') {
        EXPECT_TRUE(diffs.empty()) << report;
        EXPECT_EQ(report, "Verified: the radio holds what was written");
        return;
    }
    ASSERT_FALSE(diffs.empty());
    EXPECT_EQ(DescribeVerifyDifference(diffs[0]).rfind(c.firstDifference, 0), 0u) << report;
    EXPECT_NE(report.find(std::string("\n") + c.firstDifference), std::string::npos) << report;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PtyVerify,
    ::testing::Values(
        VerifyCase{"Clean", "", ""},
        // Block 40 (0x0140) starts record 20, the weather channel 162.475 MHz: one bit off.
        VerifyCase{"CorruptedFrequency", "corrupt-write:40",
                   "channel 20, Rx Frequency: wrote 162.47500, the radio holds 162.47501"},
        // Block 412 (0x0CE0) holds the name of record 8; the radio keeps what it had.
        VerifyCase{"DroppedName", "drop-write:412", "channel 8, Cha Name: wrote RPT-B, the radio"},
        // Block 1016 (0x1FC0) holds beep, squelch and the time-out timer; only squelch differs.
        VerifyCase{"DroppedOptions", "drop-write:1016",
                   "option Squelch Level: wrote 3, the radio holds 8"},
        VerifyCase{"CorruptedBandFrame", "corrupt-write:1022", "Band Limits: wrote"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace radio::test
