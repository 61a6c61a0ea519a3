#pragma once

#include <optional>
#include <string>

#include "cli/command.h"
#include "core/image/radio_image.h"

namespace radio::cli {

// radioprog backups [--backup-dir DIR]: the backups of radio reads, newest first.
int RunBackups(Context& ctx);

// The folder of backups: `chosen` (--backup-dir) when given, else Program.ini's [Setup]
// BackupDir, else the application's data folder; empty when backups are switched off.
std::string BackupFolderFor(Context& ctx, const std::optional<std::string>& chosen);

// Saves a complete read as a backup and says where; a backup that cannot be saved is a warning
// only, the read stays good.
void BackUpRead(Context& ctx, const RadioImage& image, const std::optional<std::string>& chosen);

}  // namespace radio::cli
