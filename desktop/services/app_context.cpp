#include "desktop/services/app_context.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QShortcut>
#include <QWidget>

#include "desktop/services/help.h"
#include "desktop/services/help_window.h"
#include "desktop/services/qt_settings_store.h"
#include "qt/backup_folder.h"
#include "qt/config_text.h"
#include "qt/data_paths.h"

AppContext::AppContext() = default;

AppContext::~AppContext() = default;

bool AppContext::LoadConfig(const QString& path, bool saveOnClose) {
    m_configPath = path;
    const bool loaded = m_config.Open(QFile::encodeName(path).toStdString(), saveOnClose, true);
    m_appConfig = radio::AppConfig::FromIni(m_config);
    return loaded;
}

bool AppContext::LoadConfig(const radio::ConfigLocation& at, bool saveOnClose) {
    const QString readPath = QFile::decodeName(QByteArray::fromStdString(at.readPath));
    // A missing file is created empty, as beside the executable; the user's copy may also
    // lack its folder on a first run.
    if (!QFileInfo::exists(readPath)) QDir().mkpath(QFileInfo(readPath).absolutePath());
    const bool loaded = LoadConfig(readPath, saveOnClose);
    if (loaded && at.savePath != at.readPath) m_config.SaveTo(at.savePath);
    return loaded;
}

QString AppContext::PickText(const char* english, const char* chinese) const {
    return QString::fromUtf8(IsChinese() ? chinese : english);
}

QString AppContext::SetupText(std::string_view key) const {
    return radio::ConfigText(radio::SetupValue(m_config, key));
}

QString AppContext::LanguageText(std::string_view key) const {
    return radio::ConfigText(radio::LanguageValue(m_config, m_appConfig, key));
}

radio::SettingsStore& AppContext::Settings() {
    if (!m_settings)
        m_settings = std::make_unique<QtSettingsStore>(radio::SetupValue(m_config, "AppName"));
    return *m_settings;
}

void AppContext::SetSettings(std::unique_ptr<radio::SettingsStore> store) {
    m_settings = std::move(store);
}

MessageService& AppContext::Messages() { return m_messages ? *m_messages : m_messageBoxes; }

void AppContext::SetMessages(MessageService* service) { m_messages = service; }

FileDialogService& AppContext::FileDialogs() {
    return m_fileDialogs ? *m_fileDialogs : m_fileChoosers;
}

void AppContext::SetFileDialogs(FileDialogService* service) { m_fileDialogs = service; }

bool AppContext::OpenUrl(const QUrl& url) {
    return m_urlOpener ? m_urlOpener(url) : QDesktopServices::openUrl(url);
}

void AppContext::SetUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }

void AppContext::NoteFileFolder(const QString& filePath) {
    m_lastFolder = QFileInfo(filePath).absolutePath();
}

QString AppContext::HelpFilePath() const {
    const QString name = QString::fromStdString(m_appConfig.helpFile) + QStringLiteral(".html");
    // Where the build or the installation put the pages first; the current folder too, where
    // a user may keep edited pages.
    if (const QString shipped = radio::FindDataFile(name); !shipped.isEmpty()) return shipped;
    const QFileInfo info(QDir::current(), name);
    return info.isFile() ? info.absoluteFilePath() : QString();
}

QUrl AppContext::HelpUrl(int context) const {
    const QString path = HelpFilePath();
    if (path.isEmpty()) return {};
    QUrl url = QUrl::fromLocalFile(path);
    if (context != 0) url.setFragment(QString::number(context));
    return url;
}

void AppContext::ShowHelp(int context) {
    const QUrl url = HelpUrl(context);
    if (!url.isValid()) {
        const QString name = QString::fromStdString(m_appConfig.helpFile) + QStringLiteral(".html");
        Messages().Information(
            QApplication::activeWindow(), AppCaption(),
            tr("The help page %1 is missing. It belongs in the program's folder, %2; "
               "installing the program again restores it.")
                .arg(name, QDir::toNativeSeparators(QCoreApplication::applicationDirPath())));
        return;
    }
    if (OpenUrl(url)) return;
    // No browser (or none that takes local files): the page is shown here instead.
    if (!m_helpWindow) {
        QString title = PickText("Help", "帮助");
        if (!AppCaption().isEmpty()) title += QStringLiteral(" - ") + AppCaption();
        m_helpWindow = std::make_unique<CHelpWindow>(title);
    }
    m_helpWindow->ShowPage(url);
}

void AppContext::InstallDialogHelp(QWidget* dialog, int fixedContext) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
    f1->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(f1, &QShortcut::activated, dialog, [this, dialog, fixedContext] {
        if (fixedContext != 0) return ShowHelp(fixedContext);
        QWidget* focus = QApplication::focusWidget();
        ShowHelp(dialog->isAncestorOf(focus) ? ControlIdOf(focus) : 0);
    });
}

QString AppContext::BackupFolder(QString* warning) const {
    return radio::BackupFolder(m_config, m_configPath, m_backupFolder, warning);
}

void AppContext::SetBackupFolder(const QString& folder) { m_backupFolder = folder; }

QPrinter& AppContext::Printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void AppContext::SetRestartHandler(RestartHandler handler) { m_restart = std::move(handler); }

bool AppContext::RequestRestart() { return m_restart ? m_restart() : false; }
