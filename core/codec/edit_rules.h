#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/config/language.h"

namespace radio {

// Characters of a channel name the user may enter (the record has room for 8; the radio
// shows 6). The power-on name has offset::kPowerOnNameSize.
inline constexpr std::size_t kChannelNameLength = 6;

// ASCII letters fold to capitals; other bytes (UTF-8 Chinese) stay as they are, so texts of
// either language compare exactly apart from the letter case.
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string UpperAscii(std::string_view text);

// Columns 3-8 take a list entry of either language, without regard to case; the result is the
// entry of `lang` the grid's editor would then hold, or nullopt when `text` is no entry.
std::optional<std::string> ResolveListEntry(int col, std::string_view text, Language lang);

// A name as the radio stores it: at most `maxLength` characters of 0-9, A-Z, '-', '_', after
// upper-casing. Anything else would be stored as filler and silently cut the name short, so it
// is refused: returns the problem, or nullopt when `name` (upper-cased in place) is fine.
std::optional<std::string> CheckRadioName(std::string& name, std::size_t maxLength);

}  // namespace radio
