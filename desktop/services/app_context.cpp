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
#include "desktop/services/qt_settings_store.h"
#include "qt/backup_folder.h"
#include "qt/config_text.h"

AppContext::AppContext() = default;

AppContext::~AppContext() = default;

bool AppContext::LoadConfig(const QString& path, bool saveOnClose) {
    const bool loaded = m_config.Open(QFile::encodeName(path).toStdString(), saveOnClose, true);
    m_appConfig = radio::AppConfig::FromIni(m_config);
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

QString AppContext::HelpFilePath() const {
    const QString name = QString::fromStdString(m_appConfig.helpFile) + QStringLiteral(".html");
    // Beside the executable first, where the build and the installation put the pages; the
    // current folder too, where a user may keep edited pages.
    for (const QString& folder : {QCoreApplication::applicationDirPath(), QDir::currentPath()}) {
        const QFileInfo info(QDir(folder), name);
        if (info.isFile()) return info.absoluteFilePath();
    }
    return {};
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
    if (url.isValid()) OpenUrl(url);
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

QString AppContext::BackupFolder() const { return radio::BackupFolder(m_config, m_backupFolder); }

void AppContext::SetBackupFolder(const QString& folder) { m_backupFolder = folder; }

QPrinter& AppContext::Printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void AppContext::SetRestartHandler(RestartHandler handler) { m_restart = std::move(handler); }

bool AppContext::RequestRestart() { return m_restart ? m_restart() : false; }
