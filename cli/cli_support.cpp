#include "cli/cli_support.h"

#include <QFileInfo>
#include <charconv>
#include <filesystem>
#include <limits>
#include <ostream>
#include <system_error>

#include "core/codec/channel_codec.h"
#include "core/image/atomic_file.h"
#include "core/image/channel_file.h"
#include "qt/config_text.h"

namespace radio::cli {

void Error(Context& ctx, std::string_view text) { ctx.err << "radioprog: " << text << "\n"; }

int UsageError(Context& ctx, std::string_view command, std::string_view problem) {
    Error(ctx, problem);
    for (const Command& c : Commands()) {
        if (command == c.name) ctx.err << "usage: radioprog " << c.name << " " << c.usage << "\n";
    }
    return kExitUsage;
}

int FinishOutput(Context& ctx) {
    ctx.out.flush();
    if (ctx.out) return kExitOk;
    Error(ctx, "cannot write the output");
    return kExitRefused;
}

bool LoadImage(Context& ctx, const std::string& path, RadioImage& image, std::uintmax_t* fileSize) {
    std::uintmax_t size = 0;
    const Status status = LoadChannelFile(path, image, &size);
    if (!status) {
        Error(ctx, status.message);
        return false;
    }
    // Only a caller that asks for the size saves the file; for the others nothing is cut.
    if (size > kImageSize) Error(ctx, "note: " + LongerFileNote(path, size, fileSize != nullptr));
    if (fileSize) *fileSize = size;
    return true;
}

int OpenForChange(Context& ctx, const std::string& path, RadioImage& image, OpenedFile& file) {
    file.path = path;
    if (const Status st = FileLock::Acquire(path, file.lock); !st) {
        Error(ctx, st.message);
        return kExitRefused;
    }
    // Stamped before it is read: whatever changes it after this point shows at the save.
    if (const Status st = StampFile(path, file.stamp); !st) {
        Error(ctx, st.message);
        return kExitUsage;
    }
    return LoadImage(ctx, path, image, &file.size) ? kExitOk : kExitUsage;
}

int LockForReplace(Context& ctx, const std::string& path, OpenedFile& file) {
    file.path = path;
    Status st = FileLock::Acquire(path, file.lock);
    if (st) st = StampFile(path, file.stamp);
    if (!st) {
        Error(ctx, st.message);
        return kExitRefused;
    }
    file.size = file.stamp.size;
    return kExitOk;
}

bool SameFile(const std::string& a, const std::string& b) {
    if (a == "-" || b == "-") return false;
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

bool RefuseOutputOverInput(Context& ctx, const std::string& output, const std::string& input) {
    if (!SameFile(output, input)) return false;
    Error(ctx, output + " is also the input " + input +
                   "; writing it would destroy what is read. Nothing was written; choose "
                   "another output file");
    return true;
}

bool TakeFlag(Context& ctx, std::string_view flag) {
    const auto before = ctx.args.size();
    std::erase(ctx.args, std::string(flag));
    return ctx.args.size() != before;
}

bool MaySaveOver(Context& ctx, const std::string& path, std::uintmax_t fileSize, bool truncate) {
    if (fileSize <= kImageSize || truncate) return true;
    Error(ctx, "'" + path + "' was not saved: that would cut it to " + std::to_string(kImageSize) +
                   " bytes; add --truncate to save it anyway");
    return false;
}

bool SaveImage(Context& ctx, const std::string& path, const RadioImage& image,
               const OpenedFile* file) {
    const Status status = SaveChannelFile(path, image, file ? &file->stamp : nullptr);
    if (!status) Error(ctx, status.message);
    return status.ok;
}

int SaveGrid(Context& ctx, const OpenedFile& file, const ChannelGrid& grid, RadioImage& image,
             bool truncate) {
    const std::string& path = file.path;
    if (!MaySaveOver(ctx, path, file.size, truncate)) return kExitRefused;
    if (const int refused = EncodeGridToImage(grid, image); refused != 0) {
        Error(ctx, path + ": " + std::to_string(refused) +
                       " cells could not be stored; the file is unchanged");
        return kExitRefused;
    }
    return SaveImage(ctx, path, image, &file) ? kExitOk : kExitRefused;
}

bool LoadConfig(Context& ctx, CIniFile& ini) {
    // Never CIniFile::Open: it creates a missing file, and reading must not write.
    if (!QFileInfo::exists(QString::fromStdString(ctx.configPath))) {
        ini.LoadFromText({}, true);
        return true;
    }
    std::string text;
    std::uintmax_t size = 0;
    const Status status =
        ReadRegularFilePrefix(ctx.configPath, std::numeric_limits<std::size_t>::max(), text, size);
    if (!status) {
        Error(ctx, status.message);
        return false;
    }
    ini.LoadFromText(text, true);
    return true;
}

AppConfig DisplayConfig(Language lang) {
    AppConfig cfg;
    cfg.language = lang;
    cfg.languageName = lang == Language::Chinese ? "Chinese" : "English";
    cfg.helpFile = lang == Language::Chinese ? "chHelp" : "enHelp";
    return cfg;
}

std::string DefaultSettingsPath(Context& ctx) {
    // Only AppName is wanted here; an unreadable configuration is reported by the commands
    // that need it, so it is read quietly.
    std::string appName;
    std::string text;
    std::uintmax_t size = 0;
    if (QFileInfo::exists(QString::fromStdString(ctx.configPath)) &&
        ReadRegularFilePrefix(ctx.configPath, std::numeric_limits<std::size_t>::max(), text,
                              size)) {
        CIniFile ini;
        ini.LoadFromText(text, true);
        appName = ini.GetValue("Setup", "AppName");
    }
    return SettingsFilePath(appName).toStdString();
}

std::string ConfigUtf8(const std::string& bytes) { return ConfigText(bytes).toStdString(); }

std::optional<int> ParseIndex(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    if (text[0] == '+' || text[0] == '-') return std::nullopt;
    return value;
}

std::string Join(const std::vector<std::string>& items, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out += separator;
        out += items[i];
    }
    return out;
}

}  // namespace radio::cli
