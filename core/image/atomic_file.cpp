#include "core/image/atomic_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace radio {

namespace fs = std::filesystem;

namespace {

std::string Reason(int err) { return std::generic_category().message(err); }

Status SaveError(const std::string& path, const std::string& reason) {
    return Status::Error("Cannot save '" + path + "': " + reason + ".");
}

Status ReadError(const std::string& path, const std::string& reason) {
    return Status::Error("Cannot read '" + path + "': " + reason + ".");
}

// Saving through a symbolic link must replace the file it points to, not the link itself.
std::string ResolveTarget(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        const fs::path target = fs::weakly_canonical(path, ec);
        if (!ec) return target.string();
    }
    return path;
}

// Temporary names are unique per process and call, so concurrent saves never share one.
std::string TempName(const fs::path& target, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    fs::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
#ifdef _WIN32
    const long pid = 0;
#else
    const long pid = static_cast<long>(::getpid());
#endif
    const std::string name = "." + target.filename().string() + ".tmp" + std::to_string(pid) + "-" +
                             std::to_string(counter++) + "-" + std::to_string(attempt);
    return (dir / name).string();
}

}  // namespace

#ifdef _WIN32

Status WriteFileAtomically(const std::string& path, std::string_view data) {
    if (path.empty()) return Status::Error("Cannot save: no file name was given.");
    const std::string target = ResolveTarget(path);
    const std::string temp = TempName(fs::path(target), 0);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return SaveError(path, Reason(errno));
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        out.flush();
        if (!out) {
            const int err = errno;
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            return SaveError(path, Reason(err));
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);  // MoveFileEx with replace-existing
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return SaveError(path, ec.message());
    }
    return Status::Ok();
}

#else

Status WriteFileAtomically(const std::string& path, std::string_view data) {
    if (path.empty()) return Status::Error("Cannot save: no file name was given.");
    const std::string target = ResolveTarget(path);

    int fd = -1;
    std::string temp;
    for (unsigned attempt = 0; fd < 0; ++attempt) {
        temp = TempName(fs::path(target), attempt);
        // 0666 lets the umask decide, as for any newly created file.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt >= 100)) return SaveError(path, Reason(errno));
    }

    auto fail = [&](int err) {
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        return SaveError(path, Reason(err));
    };

    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        (void)::fchmod(fd, old.st_mode & 07777);

    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // The data must be on disk before the rename makes it the file; otherwise a crash could
    // leave an empty file under the old name.
    if (::fsync(fd) != 0) return fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return fail(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0) return fail(errno);

    fs::path dir = fs::path(target).parent_path();
    if (dir.empty()) dir = ".";
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)::fsync(dirFd);  // makes the rename itself durable; best effort
        ::close(dirFd);
    }
    return Status::Ok();
}

#endif

Status ReadFilePrefix(const std::string& path, std::size_t maxBytes, std::string& out) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return ReadError(path, Reason(errno));
    std::string data;
    char buffer[8192];
    while (data.size() < maxBytes) {
        const std::size_t want = std::min(sizeof buffer, maxBytes - data.size());
        const std::size_t got = std::fread(buffer, 1, want, file);
        data.append(buffer, got);
        if (got < want) {
            if (std::ferror(file)) {
                const int err = errno;
                std::fclose(file);
                return ReadError(path, Reason(err));
            }
            break;  // end of file
        }
    }
    std::fclose(file);
    out = std::move(data);
    return Status::Ok();
}

Status ReadWholeFile(const std::string& path, std::string& out) {
    return ReadFilePrefix(path, std::numeric_limits<std::size_t>::max(), out);
}

}  // namespace radio
