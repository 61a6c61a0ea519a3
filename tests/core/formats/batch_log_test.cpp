// The log of writing to many radios: its rows, times, hash and how it is appended to.
#include "core/formats/batch_log.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "core/formats/sha256.h"
#include "core/image/channel_file.h"
#include "tests/support/temp_dir.h"

namespace radio {
namespace {

using namespace std::chrono;

system_clock::time_point Utc(int y, unsigned mo, unsigned d, int h, int mi = 0, int s = 0) {
    return sys_days{year{y} / month{mo} / day{d}} + hours{h} + minutes{mi} + seconds{s};
}

TEST(Sha256, KnownDigests) {
    const struct {
        std::string input;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // 56 bytes: the length no longer fits the block, so the padding takes a second one.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    };
    for (const auto& c : cases) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(c.input.data());
        EXPECT_EQ(Sha256Hex(bytes, c.input.size()), c.digest) << c.input.size() << " bytes";
    }
}

BatchRadio Radio(BatchResult result, std::int64_t ms, std::string message = {},
                 std::string differences = {}, std::string backup = {},
                 std::vector<std::uint8_t> identity = {}) {
    BatchRadio r;
    r.port = "/dev/ttyUSB1";
    r.result = result;
    r.start = Utc(2024, 5, 1, 12);
    r.end = r.start + milliseconds(ms);
    r.milliseconds = ms;
    r.message = std::move(message);
    r.differences = std::move(differences);
    r.backupPath = std::move(backup);
    r.identity = std::move(identity);
    return r;
}

// START and END in a row stand for the times, whose text depends on the time zone (below).
std::string WithTimes(std::string row, const BatchRadio& r) {
    row.replace(row.find("START"), 5, IsoLocalTime(r.start));
    row.replace(row.find("END"), 3, IsoLocalTime(r.end));
    return row;
}

TEST(BatchLog, RowsHoldEveryFieldAsCsv) {
    EXPECT_EQ(BatchLogHeader(),
              "round,port,start,end,result,seconds,differences,sha256,backup,identity,message");
    const std::string diff =
        "1 difference: channel 20, Rx Frequency: wrote 162.47500, the radio holds 162.47501";
    const struct {
        const char* name;
        int round;
        BatchRadio radio;
        const char* row;
    } cases[] = {
        {"verified", 1,
         Radio(BatchResult::Verified, 17949, {}, {}, {}, {'V', 'R', 'A', 'D', 'I', 'O', 1, 0}),
         "1,/dev/ttyUSB1,START,END,verified,17.9,,"
         "SHA,,56 52 41 44 49 4F 01 00,"},
        // The differences are the message too: said once, quoted for their commas.
        {"verify failed", 2, Radio(BatchResult::VerifyFailed, 17950, diff, diff),
         "2,/dev/ttyUSB1,START,END,verify failed,18.0,"
         "\"1 difference: channel 20, Rx Frequency: wrote 162.47500, the radio holds "
         "162.47501\",SHA,,,"},
        {"write failed", 1,
         Radio(BatchResult::WriteFailed, 50, "Could not Open the Port (\"/dev/x\": gone)"),
         "1,/dev/ttyUSB1,START,END,write failed,0.1,,"
         "SHA,,,\"Could not Open the Port (\"\"/dev/x\"\": gone)\""},
        {"cancelled after its backup", 3,
         Radio(BatchResult::Cancelled, 0, "cancelled", {}, "/b/ttyUSB1_2024-05-01_120000.dat"),
         "3,/dev/ttyUSB1,START,END,cancelled,0.0,,SHA,"
         "/b/ttyUSB1_2024-05-01_120000.dat,,cancelled"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatBatchLogRow(c.round, c.radio, "SHA"), WithTimes(c.row, c.radio)) << c.name;
    }
}

#ifndef _WIN32
// POSIX time-zone rules: "XXX-5:30" is five and a half hours east of UTC.
TEST(BatchLog, TimesCarryTheirOffsetFromUtc) {
    const struct {
        const char* tz;
        system_clock::time_point at;
        const char* text;
    } cases[] = {
        {"UTC0", Utc(2024, 5, 1, 12), "2024-05-01T12:00:00+00:00"},
        {"XXX-5:30", Utc(2024, 5, 1, 12), "2024-05-01T17:30:00+05:30"},
        {"XXX-14", Utc(2024, 12, 31, 12), "2025-01-01T02:00:00+14:00"},
        {"XXX3:30", Utc(2024, 3, 1, 1), "2024-02-29T21:30:00-03:30"},
    };
    const char* saved = std::getenv("TZ");
    const std::string old = saved ? saved : "";
    for (const auto& c : cases) {
        setenv("TZ", c.tz, 1);
        tzset();
        EXPECT_EQ(IsoLocalTime(c.at), c.text) << c.tz;
    }
    saved ? setenv("TZ", old.c_str(), 1) : unsetenv("TZ");
    tzset();
}
#endif

TEST(BatchLog, AppendingWritesTheHeaderOnlyIntoANewOrEmptyFile) {
    const std::string head = BatchLogHeader() + "\n";
    const struct {
        const char* name;
        const char* before;  // nullptr: no file
        std::string after;
    } cases[] = {
        {"new file", nullptr, head + "row\n"},
        {"empty file", "", head + "row\n"},
        {"earlier rows", "h\nr1\n", "h\nr1\nrow\n"},
        {"last line not ended", "h\nr1", "h\nr1\nrow\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("log.csv");
        if (c.before) WriteBytes(path, c.before);
        ASSERT_TRUE(AppendBatchLog(path, {}).ok);  // the check before a batch adds no row
        ASSERT_TRUE(AppendBatchLog(path, {"row"}).ok);
        EXPECT_EQ(ReadBytes(path), c.after);
    }
    TempDir dir;
    const Status folder = AppendBatchLog(dir.path(), {"row"});
    EXPECT_FALSE(folder.ok);
    EXPECT_NE(folder.message.find("is not a regular file"), std::string::npos) << folder.message;
    EXPECT_FALSE(AppendBatchLog(dir.File("missing/log.csv"), {"row"}).ok);
}

TEST(BatchLog, VerifySummaryNamesTheFirstDifferenceAndCountsTheRest) {
    RadioImage demo;
    ASSERT_TRUE(LoadChannelFile(RADIO_RESOURCES "/demo.dat", demo).ok);
    const struct {
        const char* name;
        std::vector<std::size_t> flipped;  // bytes of the read-back with bit 0 changed
        const char* summary;
    } cases[] = {
        {"the same", {}, ""},
        {"past the band limits, never sent", {0x1FF8}, ""},
        {"one",
         {0x140},
         "1 difference: channel 20, Rx Frequency: wrote 162.47500, the radio holds 162.47501"},
        {"three",
         {0x140, 0x0C0, 0x1FF0},
         "3 differences: channel 12, Rx Frequency: wrote 146.40000, the radio holds "
         "146.40001; and 2 more"},
    };
    for (const auto& c : cases) {
        RadioImage readBack = demo;
        for (std::size_t at : c.flipped) readBack[at] ^= 0x01;
        EXPECT_EQ(VerifySummary(demo, readBack, Language::English), c.summary) << c.name;
    }
}

}  // namespace
}  // namespace radio
