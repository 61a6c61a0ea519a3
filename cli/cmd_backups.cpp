#include "cli/cmd_backups.h"

#include <QFileInfo>
#include <QString>
#include <limits>
#include <ostream>

#include "cli/cli_support.h"
#include "core/config/ini_file.h"
#include "core/formats/backup_store.h"
#include "core/image/atomic_file.h"
#include "qt/backup_folder.h"

namespace radio::cli {

std::string BackupFolderFor(Context& ctx, const std::optional<std::string>& chosen) {
    // Read quietly: an unreadable configuration must not cost the user the backup, it only
    // loses its BackupDir and AppName.
    CIniFile ini;
    std::string text;
    std::uintmax_t size = 0;
    if (QFileInfo::exists(QString::fromStdString(ctx.configPath)) &&
        ReadRegularFilePrefix(ctx.configPath, std::numeric_limits<std::size_t>::max(), text, size))
        ini.LoadFromText(text, true);
    QString warning;
    const QString folder =
        BackupFolder(ini, QString::fromStdString(ctx.configPath),
                     chosen ? QString::fromStdString(*chosen) : QString(), &warning);
    if (!warning.isEmpty()) Error(ctx, "warning: " + warning.toStdString());
    return folder.toStdString();
}

void BackUpRead(Context& ctx, const RadioImage& image, const std::optional<std::string>& chosen) {
    const std::string folder = BackupFolderFor(ctx, chosen);
    if (folder.empty()) return;  // switched off
    std::string path;
    if (const Status st = BackupStore(folder).Save(image, &path); !st) {
        Error(ctx,
              "warning: the read is complete, but its backup could not be saved: " + st.message);
        return;
    }
    Error(ctx, "backup of the radio saved as " + path);
}

int RunBackups(Context& ctx) {
    std::optional<std::string> chosen;
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& arg = ctx.args[i];
        if (arg == "--backup-dir" && i + 1 < ctx.args.size() && !ctx.args[i + 1].empty()) {
            chosen = ctx.args[++i];
        } else if (arg.rfind("--backup-dir=", 0) == 0 && arg.size() > 13) {
            chosen = arg.substr(13);
        } else {
            return UsageError(ctx, "backups", "unknown argument '" + arg + "'");
        }
    }
    const std::string folder = BackupFolderFor(ctx, chosen);
    if (folder.empty()) {
        Error(ctx, "backups are switched off (BackupDir=off in Program.ini, or --backup-dir off)");
        return kExitRefused;
    }
    const std::vector<BackupEntry> entries = BackupStore(folder).List();
    if (entries.empty()) Error(ctx, "no backups in " + folder);
    for (const BackupEntry& entry : entries) {
        const BackupSummary summary = SummarizeBackup(entry.path);
        ctx.out << entry.path << "  " << FormatBackupTime(entry.time) << "  ";
        if (summary.readable)
            ctx.out << summary.channelCount
                    << (summary.channelCount == 1 ? " channel\n" : " channels\n");
        else
            ctx.out << "unreadable: " << summary.problem << "\n";
    }
    return FinishOutput(ctx);
}

}  // namespace radio::cli
