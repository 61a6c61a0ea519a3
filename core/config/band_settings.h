#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/config/app_config.h"
#include "core/config/ini_file.h"
#include "core/config/settings_store.h"
#include "core/image/radio_image.h"

namespace radio {

inline constexpr int kMaxRadioTypes = 19;

// "Type1".."Type19" of [Setup], up to the first missing or empty one.
std::vector<std::string> RadioTypes(const CIniFile& ini);
// "Field<typeIndex + 1>" of [Setup]: the band list "136-174MHz|400-470MHz".
std::string BandList(const CIniFile& ini, int typeIndex);
// Pieces of a band list split at every "|" (an empty list gives one empty piece).
std::vector<std::string> SplitBands(std::string_view list);
// Band `index` of a list; past the last separator, the last piece.
std::string PickBand(std::string_view list, int index);
// "%d-%dMHz" -> (lower, upper), each 0 when unreadable.
std::pair<int, int> ParseBand(std::string_view text);
// A band text that can be written as band limits: "LOW-HIGHMHz" (blanks around allowed),
// whole megahertz with 0 < LOW < HIGH <= 999; nullopt for anything else ("abc",
// "174-136MHz"), which must never become band bytes.
std::optional<BandLimits> ValidBand(std::string_view text);
// One warning per band text of Program.ini's type lists that ValidBand refuses, naming the
// key and the text: "[Setup] Field1 band 2 'abc' is not LOW-HIGHMHz (...)".
std::vector<std::string> CheckBandTexts(const CIniFile& ini);
// The band limits the image's type and band indexes (0x1FD6, 0x1FD7) choose in `ini`, when
// that band text is valid; nullopt otherwise.
std::optional<BandLimits> ConfiguredBand(const RadioImage& image, const CIniFile& ini);

// After every decode: brings the stored type/band and the image's bytes 0x1FD6/0x1FD7 into
// line (from the store when `newImage`, else into the store), writes the band-limit bytes
// (only from a valid band text; otherwise they stay), and returns the main window title
// (the language section's AppName).
std::string ApplyBandSettings(RadioImage& image, bool newImage, const CIniFile& ini,
                              const AppConfig& cfg, SettingsStore& store);

// Product Information OK: indexes into the image, band limits from `bandText`, indexes into
// the store; returns "<AppName>  [ Type:<type>  Fre:<band> ]".
std::string ApplyProductInfo(RadioImage& image, int typeIndex, int bandIndex,
                             std::string_view typeText, std::string_view bandText,
                             const CIniFile& ini, const AppConfig& cfg, SettingsStore& store);

}  // namespace radio
