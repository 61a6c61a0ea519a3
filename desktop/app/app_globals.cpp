#include "desktop/app/app_globals.h"

#include <QDesktopServices>

#include "qt/config_text.h"
#include "desktop/services/message_box_service.h"
#include "desktop/services/qt_file_dialog_service.h"
#include "desktop/services/qt_settings_store.h"

radio::CIniFile g_config;
radio::AppConfig g_appConfig;

namespace {

std::unique_ptr<radio::SettingsStore> g_settings;
MessageService* g_messages = nullptr;
FileDialogService* g_fileDialogs = nullptr;
UrlOpener g_urlOpener;

}  // namespace

QString PickText(const char* english, const char* chinese) {
    return QString::fromUtf8(IsChinese() ? chinese : english);
}

QString SetupText(std::string_view key) {
    return radio::ConfigText(radio::SetupValue(g_config, key));
}

QString LanguageText(std::string_view key) {
    return radio::ConfigText(radio::LanguageValue(g_config, g_appConfig, key));
}

radio::SettingsStore& AppSettings() {
    if (!g_settings)
        g_settings = std::make_unique<QtSettingsStore>(radio::SetupValue(g_config, "AppName"));
    return *g_settings;
}

void SetAppSettings(std::unique_ptr<radio::SettingsStore> store) { g_settings = std::move(store); }

MessageService& AppMessages() {
    static MessageBoxService boxes;
    return g_messages ? *g_messages : boxes;
}

void SetAppMessages(MessageService* service) { g_messages = service; }

FileDialogService& AppFileDialogs() {
    static QtFileDialogService dialogs;
    return g_fileDialogs ? *g_fileDialogs : dialogs;
}

void SetAppFileDialogs(FileDialogService* service) { g_fileDialogs = service; }

bool OpenUrl(const QUrl& url) {
    return g_urlOpener ? g_urlOpener(url) : QDesktopServices::openUrl(url);
}

void SetUrlOpener(UrlOpener opener) { g_urlOpener = std::move(opener); }
