#include "qt/backup_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/config/app_config.h"
#include "qt/config_text.h"

namespace radio {

bool IsBackupOff(const QString& text) {
    return text.trimmed().compare(QLatin1String("off"), Qt::CaseInsensitive) == 0;
}

QString BackupFolder(const CIniFile& ini, const QString& chosen) {
    const QString text =
        chosen.isNull() ? ConfigText(SetupValue(ini, "BackupDir")).trimmed() : chosen.trimmed();
    if (IsBackupOff(text)) return {};
    if (!text.isEmpty()) return QFileInfo(text).absoluteFilePath();
    // The data location follows the application name; it is the configured one only for this
    // lookup, so nothing else of the process sees it change.
    const QString previous = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(SafeAppName(SetupValue(ini, "AppName")));
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCoreApplication::setApplicationName(previous);
    return QDir(data).filePath(QStringLiteral("backups"));
}

}  // namespace radio
