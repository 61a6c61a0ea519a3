#pragma once

#include <cstdint>
#include <string_view>

namespace radio {

// The display language, fixed for a whole run. Every text that exists in two versions is
// chosen with it at the moment the text is built.
enum class Language : std::uint8_t { English = 0, Chinese = 1 };

constexpr std::string_view Pick(Language lang, std::string_view english, std::string_view chinese) {
    return lang == Language::Chinese ? chinese : english;
}

}  // namespace radio
