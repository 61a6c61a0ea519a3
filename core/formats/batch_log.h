#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/language.h"
#include "core/image/radio_image.h"
#include "core/image/status.h"
#include "core/link/write_pool.h"

namespace radio {

// The log of writing one image to many radios: CSV, one row per radio and round, appended to
// across runs, so it tells afterwards which radio got which image and how it went.
// Columns: round, port, start, end (ISO 8601 local time), result (BatchResultText), seconds,
// differences (verify failed), sha256 (of the image), backup (file of the image read before
// the write), identity (the radio's identification bytes in hex), message (why it failed).
std::string BatchLogHeader();
std::string FormatBatchLogRow(int round, const BatchRadio& radio, std::string_view imageSha256);

// Appends `rows` (each without its line end) to the log at `path`, creating it; the header goes
// first only when the file is new or empty. A file that does not end its last line gets one
// first. Anything but a regular file (a folder, FIFO or device) is refused. With no rows it
// only makes sure the log can be written, before any radio is.
Status AppendBatchLog(const std::string& path, const std::vector<std::string>& rows);

// "2024-05-01T14:03:22+02:00": the local time with its offset from UTC.
std::string IsoLocalTime(std::chrono::system_clock::time_point time);
// "17.9": tenths of a second, rounded.
std::string FormatSeconds(std::int64_t milliseconds);
// "56 52 41 44 49 4F 01 00" (spaces keep spreadsheets from taking it for a number).
std::string HexBytes(const std::vector<std::uint8_t>& bytes);

// The compare hook of a verifying batch: empty when the radio holds what was written, else
// "1 difference: channel 20, Rx Frequency: wrote 162.47500, the radio holds 162.47501"; more
// differences are counted after the first ("; and 2 more").
std::string VerifySummary(const RadioImage& written, const RadioImage& readBack, Language lang);

}  // namespace radio
