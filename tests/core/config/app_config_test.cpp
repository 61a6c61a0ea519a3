#include "core/config/app_config.h"

#include <gtest/gtest.h>

#include <climits>

namespace radio {
namespace {

struct LanguageCase {
    const char* ini;
    Language expected;
    const char* section = nullptr;  // the branding section when not the language's own
};

TEST(AppConfig, OnlyExactlyChineseSelectsChinese) {
    const LanguageCase cases[] = {
        {"[Setup]\nLanguage=Chinese\n", Language::Chinese},
        {"[setup]\nlanguage = Chinese\n", Language::Chinese},  // names fold, the value does not
        {"[Setup]\nLanguage=chinese\n", Language::English},
        {"[Setup]\nLanguage=CHINESE\n", Language::English},
        {"[Setup]\nLanguage=Chinese // note\n", Language::English},  // "Chinese " is kept
        {"[Setup]\nLanguage=Chinese\t; note\n", Language::Chinese},
        {"[Setup]\nLanguage=English\n", Language::English},
        {"[Setup]\n", Language::English},
        {"", Language::English},
        // A language added by a translator: its section, English data texts.
        {"[Setup]\nLanguage=German\n[German]\nCompany=Funk\n", Language::English, "German"},
        {"[Setup]\nLanguage=German\n", Language::English},  // no [German]: plain English
        {"[Setup]\nLanguage=Setup\n", Language::English},   // not a language section
        {"[Setup]\nLanguage=chinese\n[chinese]\nCompany=x\n", Language::English, "chinese"},
    };
    for (const LanguageCase& c : cases) {
        CIniFile ini;
        ini.LoadFromText(c.ini, true);
        const AppConfig cfg = AppConfig::FromIni(ini);
        EXPECT_EQ(cfg.language, c.expected) << c.ini;
        const bool zh = c.expected == Language::Chinese;
        EXPECT_EQ(cfg.languageName, c.section ? c.section : zh ? "Chinese" : "English");
        EXPECT_EQ(cfg.helpFile, zh ? "chHelp" : "enHelp");
    }
}

TEST(AppConfig, BrandingComesFromTheLanguageSection) {
    CIniFile ini;
    ini.LoadFromText(
        "[Setup]\nLanguage=Chinese\nAppName=radio\n[English]\nAppName=Radio\n"
        "[Chinese]\nAppName=对讲机\n",
        true);
    const AppConfig cfg = AppConfig::FromIni(ini);
    EXPECT_EQ(LanguageValue(ini, cfg, "AppName"), "对讲机");
    EXPECT_EQ(SetupValue(ini, "AppName"), "radio");
}

TEST(AppConfig, SetupFlagsReadLikeAtoi) {
    const std::pair<const char*, int> cases[] = {
        {"ShowLang=1", 1},  {"ShowLang=0", 0},
        {"ShowLang=", 0},   {"ShowLang=yes", 0},
        {"ShowLang=2x", 2}, {"ShowLang=-3", -3},
        {"Other=1", 0},     {"ShowLang=99999999999999", INT_MAX},
    };
    for (const auto& [line, expected] : cases) {
        CIniFile ini;
        ini.LoadFromText(std::string("[Setup]\n") + line + "\n", true);
        EXPECT_EQ(ShowLangValue(ini), expected) << line;
        // Every flag of [Setup] reads the same way, each under its own key only.
        std::string other = line;
        if (const auto at = other.find("ShowLang"); at != std::string::npos)
            other.replace(at, 8, "ShowProductInfo");
        ini.LoadFromText("[Setup]\n" + other + "\n", true);
        EXPECT_EQ(SetupIntValue(ini, "ShowProductInfo"), expected) << other;
        EXPECT_EQ(ShowLangValue(ini), 0) << other;
    }
}

}  // namespace
}  // namespace radio
