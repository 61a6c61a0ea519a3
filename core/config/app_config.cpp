#include "core/config/app_config.h"

#include <climits>
#include <cstdlib>

namespace radio {

namespace {

bool HasSection(const CIniFile& ini, const std::string& name) {
    for (const auto& [section, key] : ini.Entries()) {
        if (section == name) return true;
    }
    return false;
}

}  // namespace

AppConfig AppConfig::FromIni(const CIniFile& ini) {
    AppConfig cfg;
    // Exact and case-sensitive, although the key lookup itself ignores case.
    const std::string name = SetupValue(ini, "Language");
    if (name == "Chinese") {
        cfg.language = Language::Chinese;
        cfg.languageName = "Chinese";
        cfg.helpFile = "chHelp";
    } else if (!name.empty() && name != "Setup" && HasSection(ini, name)) {
        // A language a translator added: its own branding section (and, in the desktop
        // program, its translation); the radio's texts and the help stay English.
        cfg.languageName = name;
    }
    return cfg;
}

std::string SetupValue(const CIniFile& ini, std::string_view key) {
    return ini.GetValue("Setup", key);
}

std::string LanguageValue(const CIniFile& ini, const AppConfig& cfg, std::string_view key) {
    return ini.GetValue(cfg.languageName, key);
}

int ShowLangValue(const CIniFile& ini) { return SetupIntValue(ini, "ShowLang"); }

int SetupIntValue(const CIniFile& ini, std::string_view key) {
    // atoi's reading (leading digits count, "1x" is 1, "x" is 0), without its undefined
    // behaviour on overflow.
    const std::string text = SetupValue(ini, key);
    const long v = std::strtol(text.c_str(), nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace radio
