#include "core/formats/batch_log.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "core/formats/delimited_text.h"
#include "core/formats/image_diff.h"

namespace radio {

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

// The civil date and time of a broken-down time, as seconds counted like Unix time, so that
// local and UTC readings of one instant can be subtracted without timegm (not on Windows).
std::int64_t CivilSeconds(const std::tm& tm) {
    const sys_days day{year{tm.tm_year + 1900} / month{unsigned(tm.tm_mon + 1)} /
                       std::chrono::day{unsigned(tm.tm_mday)}};
    return day.time_since_epoch().count() * 86400LL + tm.tm_hour * 3600 + tm.tm_min * 60 +
           tm.tm_sec;
}

}  // namespace

std::string BatchLogHeader() {
    return "round,port,start,end,result,seconds,differences,sha256,backup,identity,message";
}

std::string FormatBatchLogRow(int round, const BatchRadio& radio, std::string_view imageSha256) {
    return JoinDelimited(
        {std::to_string(round), radio.port, IsoLocalTime(radio.start), IsoLocalTime(radio.end),
         std::string(BatchResultText(radio.result)), FormatSeconds(radio.milliseconds),
         radio.differences, std::string(imageSha256), radio.backupPath, HexBytes(radio.identity),
         radio.result == BatchResult::VerifyFailed && radio.message == radio.differences
             ? std::string()
             : radio.message},
        ',');
}

std::string IsoLocalTime(system_clock::time_point time) {
    const std::time_t t = system_clock::to_time_t(time);
    std::tm local{}, utc{};
#ifdef _WIN32
    localtime_s(&local, &t);
    gmtime_s(&utc, &t);
#else
    localtime_r(&t, &local);
    gmtime_r(&t, &utc);
#endif
    const std::int64_t offset = (CivilSeconds(local) - CivilSeconds(utc)) / 60;  // minutes
    const std::int64_t magnitude = offset < 0 ? -offset : offset;
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec, offset < 0 ? '-' : '+', int(magnitude / 60),
                  int(magnitude % 60));
    return text;
}

std::string FormatSeconds(std::int64_t milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    const std::int64_t tenths = (milliseconds + 50) / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char hex[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(hex, sizeof hex, "%02X", b);
        if (!text.empty()) text += ' ';
        text += hex;
    }
    return text;
}

std::string VerifySummary(const RadioImage& written, const RadioImage& readBack, Language lang) {
    const std::vector<ImageDifference> diffs = VerifyWrittenImage(written, readBack, lang);
    if (diffs.empty()) return {};
    std::string line = std::to_string(diffs.size()) +
                       (diffs.size() == 1 ? " difference: " : " differences: ") +
                       DescribeVerifyDifference(diffs.front());
    if (diffs.size() > 1) line += "; and " + std::to_string(diffs.size() - 1) + " more";
    return line;
}

Status AppendBatchLog(const std::string& path, const std::vector<std::string>& rows) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (fs::exists(st) && !fs::is_regular_file(st))
        return Status::Error("The log '" + path + "' is not a regular file.");
    std::FILE* file = std::fopen(path.c_str(), "a+b");
    if (!file) return Status::Error("Cannot open the log '" + path + "' to add to it.");

    std::string text;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    if (size == 0) {
        text = BatchLogHeader() + "\n";
    } else if (size > 0 && std::fseek(file, -1, SEEK_END) == 0 && std::fgetc(file) != '\n') {
        text = "\n";
    }
    for (const std::string& row : rows) text += row + "\n";
    // In "a" mode every write goes to the end, whatever the reads above left the position at.
    const bool written =
        text.empty() ||
        (std::fseek(file, 0, SEEK_END) == 0 &&
         std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) return Status::Error("Cannot add to the log '" + path + "'.");
    return Status::Ok();
}

}  // namespace radio
