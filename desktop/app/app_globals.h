#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include <QString>
#include <QUrl>

#include "core/config/app_config.h"
#include "core/config/ini_file.h"
#include "core/config/language.h"
#include "core/config/settings_store.h"

class FileDialogService;
class MessageService;

// Process-wide state of the desktop program. Start-up fills it; tests may set it up directly.
extern radio::CIniFile g_config;      // Program.ini
extern radio::AppConfig g_appConfig;  // display language, its section name, help file

inline radio::Language UiLanguage() { return g_appConfig.language; }
inline bool IsChinese() { return g_appConfig.language == radio::Language::Chinese; }
// The English or the Chinese version of a text (both UTF-8 in the source).
QString PickText(const char* english, const char* chinese);

// Configuration values decoded for display (UTF-8, or GBK in older files).
QString SetupText(std::string_view key);     // [Setup]
QString LanguageText(std::string_view key);  // the section of the display language
// The application name: caption of message boxes and of the navigation panel.
inline QString AppCaption() { return LanguageText("Company"); }

// The store of "Type", "Field" and "com". Until one is set, a QtSettingsStore on [Setup]
// AppName is created on first use.
radio::SettingsStore& AppSettings();
void SetAppSettings(std::unique_ptr<radio::SettingsStore> store);

// Message boxes and file choosers; the setters take no ownership, nullptr restores the real ones.
MessageService& AppMessages();
void SetAppMessages(MessageService* service);
FileDialogService& AppFileDialogs();
void SetAppFileDialogs(FileDialogService* service);

// Opens an address in the desktop's browser or viewer; tests replace it to see the address.
using UrlOpener = std::function<bool(const QUrl&)>;
bool OpenUrl(const QUrl& url);
void SetUrlOpener(UrlOpener opener);  // empty restores QDesktopServices::openUrl
