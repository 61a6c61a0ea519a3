#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/config/language.h"
#include "core/config/phrase.h"
#include "core/image/radio_image.h"

namespace radio {

// Where a difference between two images lies.
enum class DiffArea { Channel, Option, Band, Bytes };

// One difference as a user thinks of it: a grid cell, an option of the option sheet, the
// radio's type, band or band limits, or else the bytes themselves.
struct ImageDifference {
    DiffArea area = DiffArea::Bytes;
    int record = -1;     // channel record 0..199 (grid row record + 1); -1 outside the channels
    int column = 0;      // grid column 1..9 of a channel field; 0 otherwise
    std::string field;   // "Tx Tone", "Squelch Level", "Band Limits", "bytes 0x1400-0x1403"
    std::string before;  // the text in the first image ("" for an empty cell)
    std::string after;   // the text in the second image
    friend bool operator==(const ImageDifference&, const ImageDifference&) = default;
};

// Every difference between `a` and `b`: per channel and column (grid texts), in channel order;
// per option (option sheet texts and the power-on name); the radio type, band and band limits.
// A byte that differs without changing any of those texts is reported as bytes (beside its
// channel's fields when it is a channel's), in runs of at most one 8-byte block, so two images
// compare equal exactly when every byte is equal.
std::vector<ImageDifference> DiffImages(const RadioImage& a, const RadioImage& b, Language lang);

// What a write sends is 0x0000..0x1FF2: the differences there between the image written and
// the image read back from the radio. The bytes past the band limits are never sent, so they
// are not compared.
std::vector<ImageDifference> VerifyWrittenImage(const RadioImage& written,
                                                const RadioImage& readBack, Language lang);

// The grid's row label of a record without its padding: "Pr", "1" .. "199".
std::string ChannelLabel(int record);

// One line of `radioprog diff`: "12  Tx Tone  88.5 -> None"; empty texts show as "(empty)".
std::string FormatDifference(const ImageDifference& d);

// A verify finding: "channel 12, Tx Tone: wrote 88.5, the radio holds None".
std::string DescribeVerifyDifference(const ImageDifference& d);

// The verify result: "Verified: the radio holds what was written", or a first line saying the
// radio does not, then up to `limit` differences and the count of the rest.
inline constexpr std::size_t kVerifyReportLimit = 20;
std::string VerifyReport(const std::vector<ImageDifference>& differences,
                         std::size_t limit = kVerifyReportLimit);
// The same, for a translation.
Phrase VerifyReportPhrase(const std::vector<ImageDifference>& differences,
                          std::size_t limit = kVerifyReportLimit);

}  // namespace radio
