#pragma once

#include <QString>

#include "core/config/ini_file.h"

namespace radio {

// Where the automatic backups of radio reads go: `chosen` (radioprog's --backup-dir) when
// given, else Program.ini's [Setup] BackupDir, else "backups" in the application's data
// folder (QStandardPaths::AppDataLocation under [Setup] AppName). "off" in either switches
// backups off: the result is then empty.
//
// BackupDir is taken whole (a folder name may hold "//" or ";"), "~" and "~/..." are the
// home folder, and a relative folder is relative to the folder of `configPath`, the file the
// value came from (--backup-dir, typed in a shell, is relative to the current folder). A value
// that cannot be used (another user's "~name", an existing file that is no folder) gives the
// default folder, and `warning` (when given) names the value and why.
QString BackupFolder(const CIniFile& ini, const QString& configPath,
                     const QString& chosen = QString(), QString* warning = nullptr);

// True for the word that switches backups off, in any letter case.
bool IsBackupOff(const QString& text);

}  // namespace radio
