#include <QDir>
#include <QFileInfo>
#include <ostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/config/band_settings.h"
#include "core/config/settings_store.h"

namespace radio::cli {

namespace {

std::string Numbered(const std::vector<std::string>& items) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < items.size(); ++i) {
        lines.push_back(std::to_string(i) + " " + ConfigUtf8(items[i]));
    }
    return Join(lines, ", ");
}

}  // namespace

int RunBand(Context& ctx) {
    const bool truncate = TakeFlag(ctx, "--truncate");
    const auto& args = ctx.args;
    std::string path;
    std::optional<int> type, band;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--type" || a == "--band") {
            if (i + 1 >= args.size()) return UsageError(ctx, "band", a + " needs an index");
            const auto n = ParseIndex(args[++i]);
            if (!n) {
                return UsageError(ctx, "band", a + " takes a 0-based index, not '" + args[i] + "'");
            }
            (a == "--type" ? type : band) = n;
        } else if (path.empty() && !a.starts_with("--")) {
            path = a;
        } else {
            return UsageError(ctx, "band", "unexpected argument '" + a + "'");
        }
    }
    if (path.empty() || !type || !band) {
        return UsageError(ctx, "band",
                          "band needs FILE, --type N and --band N (0-based: --type 0 is Type1)");
    }

    CIniFile ini;
    if (!LoadConfig(ctx, ini)) return kExitUsage;
    const std::vector<std::string> types = RadioTypes(ini);
    if (types.empty()) {
        return UsageError(ctx, "band",
                          ctx.configPath + ": no radio types configured ([Setup] Type1)");
    }
    if (*type >= static_cast<int>(types.size())) {
        return UsageError(ctx, "band",
                          ctx.configPath + ": there is no type " + std::to_string(*type) +
                              "; types: " + Numbered(types));
    }
    const std::vector<std::string> bands = SplitBands(BandList(ini, *type));
    if (*band >= static_cast<int>(bands.size())) {
        return UsageError(ctx, "band",
                          ctx.configPath + ": type " + std::to_string(*type) + " has no band " +
                              std::to_string(*band) + "; bands: " + Numbered(bands));
    }

    RadioImage image;
    OpenedFile file;
    if (const int status = OpenForChange(ctx, path, image, file); status != kExitOk) return status;
    if (!MaySaveOver(ctx, path, file.size, truncate)) return kExitRefused;

    // Apply against a scratch store first: the file is saved before the stored choice changes,
    // so a failed save leaves both as they were.
    MemorySettingsStore scratch;
    const std::string title = ApplyProductInfo(image, *type, *band, types[*type], bands[*band], ini,
                                               DisplayConfig(ctx.lang), scratch);
    if (!SaveImage(ctx, path, image, &file)) return kExitRefused;

    // The user's configuration folder may not exist yet on a fresh account.
    QFileInfo(QString::fromStdString(ctx.settingsPath)).absoluteDir().mkpath(QStringLiteral("."));
    FileSettingsStore store(ctx.settingsPath);
    for (const char* name : {"Type", "Field"}) {
        if (auto v = scratch.GetInt(name)) store.SetInt(name, *v);
        if (!store.lastWrite()) {
            Error(ctx, store.lastWrite().message);
            return kExitRefused;
        }
    }
    ctx.out << ConfigUtf8(title) << '\n';
    return kExitOk;
}

}  // namespace radio::cli
