#include "qt/backup_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/config/app_config.h"
#include "qt/config_text.h"

namespace radio {

namespace {

// "~" and "~/x" as the home folder; nullopt-like empty result for "~name", which would need
// another user's home.
QString ExpandHome(const QString& text, bool& unusable) {
    unusable = false;
    if (!text.startsWith(QLatin1Char('~'))) return text;
    if (text == QLatin1String("~")) return QDir::homePath();
    if (text.startsWith(QLatin1String("~/"))) return QDir::homePath() + text.mid(1);
    unusable = true;
    return {};
}

QString DefaultFolder(const CIniFile& ini) {
    // The data location follows the application name; it is the configured one only for this
    // lookup, so nothing else of the process sees it change.
    const QString previous = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(SafeAppName(SetupValue(ini, "AppName")));
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCoreApplication::setApplicationName(previous);
    return QDir(data).filePath(QStringLiteral("backups"));
}

}  // namespace

bool IsBackupOff(const QString& text) {
    return text.trimmed().compare(QLatin1String("off"), Qt::CaseInsensitive) == 0;
}

QString BackupFolder(const CIniFile& ini, const QString& configPath, const QString& chosen,
                     QString* warning) {
    const bool fromConfig = chosen.isNull();
    const QString text =
        fromConfig ? ConfigText(ini.GetRawValue("Setup", "BackupDir").value_or("")).trimmed()
                   : chosen.trimmed();
    if (IsBackupOff(text)) return {};
    if (text.isEmpty()) return DefaultFolder(ini);

    bool unusable = false;
    QString folder = ExpandHome(text, unusable);
    QString why = QStringLiteral("only ~ and ~/... name a home folder, your own");
    if (!unusable) {
        const QString base = fromConfig && !configPath.isEmpty()
                                 ? QFileInfo(configPath).absolutePath()
                                 : QDir::currentPath();
        folder = QDir::cleanPath(QDir(base).absoluteFilePath(folder));
        const QFileInfo info(folder);
        if (info.exists() && !info.isDir()) {
            unusable = true;
            why = QStringLiteral("it is a file, not a folder");
        }
    }
    if (!unusable) return folder;
    const QString fallback = DefaultFolder(ini);
    if (warning != nullptr) {
        *warning =
            QStringLiteral("%1 '%2' cannot be used: %3; backups go to %4 instead.")
                .arg(fromConfig ? QStringLiteral("BackupDir") : QStringLiteral("--backup-dir"),
                     text, why, fallback);
    }
    return fallback;
}

}  // namespace radio
