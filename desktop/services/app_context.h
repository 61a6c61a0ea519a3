#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include <QCoreApplication>
#include <QString>
#include <QUrl>

#include "core/config/app_config.h"
#include "core/config/ini_file.h"
#include "core/config/install_layout.h"
#include "core/config/language.h"
#include "core/config/settings_store.h"
#include "desktop/services/message_box_service.h"
#include "desktop/services/qt_file_dialog_service.h"

class CHelpWindow;
class QPrinter;
class QWidget;

// What the windows of one run of the desktop program share: Program.ini and what start-up
// fixed from it, the services behind message boxes, file choosers, stored choices and the
// browser, help, the printer and the restart after a language change. The application object
// creates one at start-up; tests build their own around fakes. Windows and documents keep a
// reference, so the context must outlive them.
class AppContext {
    Q_DECLARE_TR_FUNCTIONS(AppContext)

  public:
    AppContext();
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // --- Configuration.
    // Loads Program.ini (a missing file is created empty) and fixes the display language from
    // it. False when the file can be neither read nor created: the configuration is then empty
    // and every value takes its default. `saveOnClose` writes a pending change when the
    // context ends.
    bool LoadConfig(const QString& path, bool saveOnClose);
    // The same for the file the install layout chose: reads `at.readPath` and saves changes to
    // `at.savePath` (the user's own copy when the one read cannot be written).
    bool LoadConfig(const radio::ConfigLocation& at, bool saveOnClose);
    radio::CIniFile& Config() { return m_config; }
    const radio::CIniFile& Config() const { return m_config; }
    // Display language, its section name and help file, fixed by LoadConfig for the whole run.
    radio::AppConfig& AppConfig() { return m_appConfig; }
    const radio::AppConfig& AppConfig() const { return m_appConfig; }

    // --- The display language and the texts of the configuration.
    radio::Language UiLanguage() const { return m_appConfig.language; }
    bool IsChinese() const { return m_appConfig.language == radio::Language::Chinese; }
    // The English or the Chinese version of a text (both UTF-8 in the source).
    QString PickText(const char* english, const char* chinese) const;
    // Configuration values decoded for display (UTF-8, or GBK in older files).
    QString SetupText(std::string_view key) const;     // [Setup]
    QString LanguageText(std::string_view key) const;  // the section of the display language
    // The application name: caption of message boxes and of the navigation panel.
    QString AppCaption() const { return LanguageText("Company"); }

    // --- Services.
    // The store of "Type", "Field" and "com". Until one is set, a QtSettingsStore on [Setup]
    // AppName is created on first use.
    radio::SettingsStore& Settings();
    void SetSettings(std::unique_ptr<radio::SettingsStore> store);
    // Message boxes and file choosers; the setters take no ownership, nullptr restores the
    // real ones.
    MessageService& Messages();
    void SetMessages(MessageService* service);
    FileDialogService& FileDialogs();
    void SetFileDialogs(FileDialogService* service);
    // Opens an address in the desktop's browser or viewer; an empty opener restores
    // QDesktopServices::openUrl.
    using UrlOpener = std::function<bool(const QUrl&)>;
    bool OpenUrl(const QUrl& url);
    void SetUrlOpener(UrlOpener opener);

    // --- The folder of the channel file opened or saved last in this run (empty before):
    // where Save As proposes to save.
    QString LastFileFolder() const { return m_lastFolder; }
    void NoteFileFolder(const QString& filePath);

    // --- Help: the pages of the display language ("enHelp.html" / "chHelp.html" beside the
    // executable or in the installation's shared folder), opened at the anchor of a command id or a
    // control id; 0 is the top.
    QString HelpFilePath() const;  // empty when the page of the language is missing
    QUrl HelpUrl(int context) const;
    // In the desktop's browser; where none opens it, in the program's own help window. A
    // missing page is reported.
    void ShowHelp(int context);
    CHelpWindow* HelpWindow() const { return m_helpWindow.get(); }  // once it was needed
    // F1 in `dialog` shows help at the id of the focused control, or at `fixedContext` when
    // that is not 0 (dialogs that have one page, whatever has the focus).
    void InstallDialogHelp(QWidget* dialog, int fixedContext = 0);

    // --- Where complete reads are backed up: the folder given by SetBackupFolder (the
    // command line's --backup-dir, tests), else Program.ini's [Setup] BackupDir, else
    // "backups" in the data folder of AppName. Empty when backups are switched off ("off").
    // A relative BackupDir is relative to the configuration file's folder; `warning` tells
    // about a value that cannot be used (the default folder is given then).
    QString BackupFolder(QString* warning = nullptr) const;
    void SetBackupFolder(const QString& folder);

    // --- The printer every window prints with: it carries the choice of File > Print Setup.
    QPrinter& Printer();

    // --- Restart after a language change. The application installs the handler; a view asks
    // for it. False when the program stays (no handler, the user cancelled, or it failed).
    using RestartHandler = std::function<bool()>;
    void SetRestartHandler(RestartHandler handler);
    bool RequestRestart();

  private:
    radio::CIniFile m_config;
    QString m_configPath;  // the file the configuration was read from
    radio::AppConfig m_appConfig;
    std::unique_ptr<radio::SettingsStore> m_settings;
    MessageBoxService m_messageBoxes;
    QtFileDialogService m_fileChoosers;
    MessageService* m_messages = nullptr;
    FileDialogService* m_fileDialogs = nullptr;
    UrlOpener m_urlOpener;
    QString m_lastFolder;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<CHelpWindow> m_helpWindow;
    RestartHandler m_restart;
    QString m_backupFolder;  // null: as Program.ini says
};
