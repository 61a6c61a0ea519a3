#pragma once

#include <string_view>

#include <QString>

#include "core/config/phrase.h"

namespace radio {

// A marked English text of the core in the installed translation (as it is without one).
QString TranslatedText(std::string_view english);
// A phrase of the core with each pattern translated, then filled.
QString TranslatedPhrase(const Phrase& phrase);

}  // namespace radio
