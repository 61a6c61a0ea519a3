#include "core/config/install_layout.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace radio {

namespace fs = std::filesystem;

namespace {

std::string Join(const fs::path& folder, std::string_view name) {
    return (folder / fs::path(name)).lexically_normal().string();
}

class SystemProbe : public FileProbe {
  public:
    bool IsFile(const std::string& path) const override {
        std::error_code ec;
        return fs::is_regular_file(path, ec);
    }

    bool CanSave(const std::string& path) const override {
        std::error_code ec;
        fs::path folder = fs::path(path).parent_path();
        if (folder.empty()) folder = ".";
        if (!fs::is_directory(folder, ec)) return false;
        if (fs::exists(path, ec)) {
            // A file the user made read-only stays so: "r+" opens without changing it.
            if (!fs::is_regular_file(path, ec)) return false;
            std::FILE* f = std::fopen(path.c_str(), "r+b");
            if (f == nullptr) return false;
            std::fclose(f);
        }
        // The save goes through a new file in the folder; only creating one tells for sure
        // (Windows reports Program Files as writable to a user who cannot write there).
        static std::atomic<unsigned> counter{0};
        const fs::path scratch =
            folder / (".radio-programmer-probe-" + std::to_string(counter++) + ".tmp");
        std::FILE* f = std::fopen(scratch.string().c_str(), "wb");
        if (f == nullptr) return false;
        std::fclose(f);
        fs::remove(scratch, ec);
        return true;
    }
};

}  // namespace

const FileProbe& RealFileProbe() {
    static const SystemProbe probe;
    return probe;
}

std::vector<std::string> SharedDataFolders(const std::string& binDir) {
    const fs::path bin = fs::path(binDir).lexically_normal();
    return {bin.string(),
            (bin / ".." / "share" / fs::path(kDataFolderName)).lexically_normal().string()};
}

std::string FindSharedFile(const std::string& binDir, std::string_view name,
                           const FileProbe& probe) {
    for (const std::string& folder : SharedDataFolders(binDir)) {
        const std::string path = Join(folder, name);
        if (probe.IsFile(path)) return path;
    }
    return {};
}

std::string UserConfigPath(const std::string& userConfigDir) {
    return Join(fs::path(userConfigDir) / fs::path(kDataFolderName), kConfigFileName);
}

ConfigLocation LocateConfig(const std::string& binDir, const std::string& userConfigDir,
                            const FileProbe& probe) {
    const std::vector<std::string> folders = SharedDataFolders(binDir);
    const std::string local = Join(folders[0], kConfigFileName);
    const std::string shared = Join(folders[1], kConfigFileName);
    const std::string user = UserConfigPath(userConfigDir);

    const bool hasLocal = probe.IsFile(local);
    if (hasLocal || !probe.IsFile(shared)) {
        if (probe.CanSave(local)) return {local, local};
        if (!hasLocal) return {user, user};
    }
    // A copy the program cannot write: the user's copy wins once it exists.
    const std::string original = hasLocal ? local : shared;
    return {probe.IsFile(user) ? user : original, user};
}

}  // namespace radio
