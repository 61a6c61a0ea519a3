#pragma once

#include <string>
#include <string_view>

#include "core/config/ini_file.h"
#include "core/config/language.h"

namespace radio {

// What start-up fixes from Program.ini for the whole run.
struct AppConfig {
    Language language = Language::English;
    std::string languageName = "English";  // the section holding the branding texts
    std::string helpFile = "enHelp";       // base name of the help pages of the language

    // Reads [Setup] Language: exactly "Chinese" selects Chinese, anything else English. A
    // value naming a section of its own ("German" with a [German] section) keeps English
    // data texts but takes its branding from that section.
    static AppConfig FromIni(const CIniFile& ini);
};

// Frequently used lookups.
std::string SetupValue(const CIniFile& ini, std::string_view key);  // [Setup]
std::string LanguageValue(const CIniFile& ini, const AppConfig& cfg, std::string_view key);
// A [Setup] value as a decimal integer (0 for empty or not a number): ShowLang (nonzero shows
// Setup > Language), ShowProductInfo (nonzero adds Product Information to the navigation tree).
int SetupIntValue(const CIniFile& ini, std::string_view key);
int ShowLangValue(const CIniFile& ini);

}  // namespace radio
