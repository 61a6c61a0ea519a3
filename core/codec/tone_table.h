#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/language.h"

namespace radio {

inline constexpr int kToneCount = 261;  // no tone, 50 CTCSS, 105 DCS N, 105 DCS I

struct ToneWord {
    std::uint8_t high = 0xFF;
    std::uint8_t low = 0xFF;
    friend bool operator==(const ToneWord&, const ToneWord&) = default;
};

// The 261 tone texts in list order: "None"/"无", "67.0" ... "254.1", "D023N" ... "D754I".
std::vector<std::string> BuildToneTable(Language lang);

// Tone word (high byte, low byte) to its text, e.g. (0x80, 0x23) -> "D023N".
std::string DecodeTone(std::uint8_t high, std::uint8_t low, Language lang);

// Tone text to its word; texts that name no tone give 0xFF 0xFF. A number no tone word can
// hold ("D9999N", "900.0", "5.0") gives nullopt rather than a word that reads as another tone.
std::optional<ToneWord> EncodeTone(std::string_view text);

}  // namespace radio
