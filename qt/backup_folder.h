#pragma once

#include <QString>

#include "core/config/ini_file.h"

namespace radio {

// Where the automatic backups of radio reads go: `chosen` (radioprog's --backup-dir) when
// given, else Program.ini's [Setup] BackupDir, else "backups" in the application's data
// folder (QStandardPaths::AppDataLocation under [Setup] AppName). "off" in either switches
// backups off: the result is then empty.
QString BackupFolder(const CIniFile& ini, const QString& chosen = QString());

// True for the word that switches backups off, in any letter case.
bool IsBackupOff(const QString& text);

}  // namespace radio
