#include "core/image/atomic_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <system_error>

#include "core/image/file_lock.h"

#ifdef _WIN32
#include <windows.h>

#include <fstream>
#else
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace radio {

namespace fs = std::filesystem;

namespace {

// Links are followed at most this many times, as the kernel does (ELOOP past it).
constexpr int kMaxLinkHops = 40;

std::string Reason(int err) { return std::generic_category().message(err); }

Status SaveError(const std::string& path, const std::string& reason) {
    return Status::Error("Cannot save '" + path + "': " + reason + ".");
}

Status ReadError(const std::string& path, const std::string& reason) {
    return Status::Error("Cannot read '" + path + "': " + reason + ".");
}

// What a non-regular file is, in the words a message uses ("a character device").
std::string KindText(fs::file_type type) {
    switch (type) {
        case fs::file_type::directory:
            return "a directory";
        case fs::file_type::character:
            return "a character device";
        case fs::file_type::block:
            return "a block device";
        case fs::file_type::fifo:
            return "a named pipe (FIFO)";
        case fs::file_type::socket:
            return "a socket";
        default:
            return "a special file";
    }
}

// "'/dev/null' is a character device, not a file", naming the link too when there was one.
std::string NotAFile(const std::string& path, const std::string& target, fs::file_type type) {
    if (path == target) return "'" + path + "' is " + KindText(type) + ", not a file";
    return "'" + path + "' leads to '" + target + "', which is " + KindText(type) + ", not a file";
}

std::string TempPrefix(const fs::path& target) { return "." + target.filename().string() + ".tmp"; }

#ifdef _WIN32
long ProcessId() { return 0; }  // names stay unique through the counter; no stale-file check
#else
long ProcessId() { return static_cast<long>(::getpid()); }
#endif

// Temporary names are unique per process and call, so concurrent saves never share one.
std::string TempName(const fs::path& target, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    fs::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    const std::string name = TempPrefix(target) + std::to_string(ProcessId()) + "-" +
                             std::to_string(counter++) + "-" + std::to_string(attempt);
    return (dir / name).string();
}

// The process id of a temporary name "PID-N-M" (after the prefix), or 0 when it is not one.
// Windows names carry no process id, so only the POSIX stale-file sweep reads it.
[[maybe_unused]] long TempNamePid(std::string_view rest) {
    long pid = 0;
    int field = 0;
    bool digits = false;
    for (char c : rest) {
        if (c >= '0' && c <= '9') {
            if (field == 0) {
                if (pid > 100000000) return 0;
                pid = pid * 10 + (c - '0');
            }
            digits = true;
        } else if (c == '-' && digits && field < 2) {
            ++field;
            digits = false;
        } else {
            return 0;
        }
    }
    return field == 2 && digits ? pid : 0;
}

// Refuses a target a rename would destroy: anything that exists and is no regular file.
Status CheckSaveTarget(const std::string& path, const std::string& target) {
    std::error_code ec;
    const fs::file_status st = fs::status(target, ec);
    if (st.type() == fs::file_type::not_found || st.type() == fs::file_type::regular)
        return Status::Ok();
    if (ec) return SaveError(path, ec.message());
    return Status::Error(NotAFile(path, target, st.type()) + "; save to a file instead.");
}

// The last check before a rename: the target must still be the file that was read.
Status CheckUnchanged(const std::string& path, const std::string& target,
                      const SaveChecks& checks) {
    if (checks.unchangedSince == nullptr) return Status::Ok();
    FileStamp now;
    if (Status st = StampFile(target, now); !st) return st;
    if (now == *checks.unchangedSince) return Status::Ok();
    return Status::Error("'" + path +
                         "' was changed by another program after it was read; nothing was "
                         "saved. Open it again and repeat the change.");
}

}  // namespace

Status CheckConfigFile(const std::string& path, std::string_view option) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (st.type() == fs::file_type::not_found || st.type() == fs::file_type::regular || ec)
        return Status::Ok();
    return Status::Error(NotAFile(path, path, st.type()) + "; " + std::string(option) +
                         " needs a file of text.");
}

Status ResolveSaveTarget(const std::string& path, std::string& target) {
    fs::path p(path);
    for (int hops = 0;; ++hops) {
        std::error_code ec;
        const fs::file_status st = fs::symlink_status(p, ec);
        if (st.type() != fs::file_type::symlink) break;
        if (hops >= kMaxLinkHops) return SaveError(path, Reason(ELOOP));
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) return SaveError(path, ec.message());
        // A relative link is relative to the folder holding the link, not to ours.
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    target = p.string();
    return Status::Ok();
}

#ifdef _WIN32

int RemoveStaleTempFiles(const std::string&) { return 0; }

namespace {

// Writes a temporary file beside `target`; its name goes to `temp`.
Status WriteTemp(const std::string& path, const std::string& target, std::string_view data,
                 std::string& temp) {
    temp = TempName(fs::path(target), 0);
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
    return Status::Ok();
}

}  // namespace

Status WriteFileAtomically(const std::string& path, std::string_view data,
                           const SaveChecks& checks) {
    if (path.empty()) return Status::Error("Cannot save: no file name was given.");
    std::string target;
    if (Status st = ResolveSaveTarget(path, target); !st) return st;
    if (Status st = CheckSaveTarget(path, target); !st) return st;
    std::string temp;
    if (Status st = WriteTemp(path, target, data, temp); !st) return st;
    if (Status st = CheckUnchanged(path, target, checks); !st) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return st;
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

Status WriteNewFile(const std::string& path, std::string_view data, bool& taken) {
    taken = false;
    std::string temp;
    if (Status st = WriteTemp(path, path, data, temp); !st) return st;
    // Without MOVEFILE_REPLACE_EXISTING the move fails on any existing name.
    if (MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) return Status::Ok();
    const DWORD err = GetLastError();
    std::error_code ignored;
    fs::remove(temp, ignored);
    if (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS) {
        taken = true;
        return Status::Ok();
    }
    return SaveError(path, std::system_category().message(static_cast<int>(err)));
}

#else

int RemoveStaleTempFiles(const std::string& target) {
    const fs::path t(target);
    std::string dir = t.parent_path().string();
    if (dir.empty()) dir = ".";
    const std::string prefix = TempPrefix(t);
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) return 0;
    const long self = ProcessId();
    int removed = 0;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name = e->d_name;
        if (!name.starts_with(prefix)) continue;
        const long pid = TempNamePid(name.substr(prefix.size()));
        if (pid <= 0 || pid == self) continue;
        // kill(pid, 0) fails with ESRCH only when no such process exists; EPERM means it
        // lives under another user, and its save may be under way.
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        const std::string full = dir + "/" + std::string(name);
        struct stat st {};
        if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(full.c_str()) == 0)
            ++removed;
    }
    ::closedir(d);
    return removed;
}

namespace {

// Writes `data` into a new temporary file beside `target` and makes it durable; on success
// `fd` stays open (the caller sets owner and mode, then closes it) and `temp` names it.
Status WriteTemp(const std::string& path, const std::string& target, std::string_view data, int& fd,
                 std::string& temp) {
    fd = -1;
    for (unsigned attempt = 0; fd < 0; ++attempt) {
        temp = TempName(fs::path(target), attempt);
        // 0666 lets the umask decide, as for any newly created file. O_EXCL never follows a
        // link planted under the temporary name.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt >= 100)) return SaveError(path, Reason(errno));
    }
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            return SaveError(path, Reason(err));
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // The data must be on disk before the name points at it; otherwise a crash could leave
    // an empty file under the name.
    if (::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return SaveError(path, Reason(err));
    }
    return Status::Ok();
}

// Makes a rename or link of a file in the folder of `target` durable; best effort.
void SyncFolder(const std::string& target) {
    fs::path dir = fs::path(target).parent_path();
    if (dir.empty()) dir = ".";
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)::fsync(dirFd);
        ::close(dirFd);
    }
}

std::string Names(nlink_t n) { return std::to_string(static_cast<unsigned long>(n)) + " names"; }

}  // namespace

Status WriteFileAtomically(const std::string& path, std::string_view data,
                           const SaveChecks& checks) {
    if (path.empty()) return Status::Error("Cannot save: no file name was given.");
    std::string target;
    if (Status st = ResolveSaveTarget(path, target); !st) return st;
    if (Status st = CheckSaveTarget(path, target); !st) return st;
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (replacing && old.st_nlink > 1) {
        return Status::Error("'" + path + "' has " + Names(old.st_nlink) +
                             " (hard links): a save would give only this one the new data "
                             "and leave the others on the old. Nothing was saved; save to "
                             "another file, or remove the other links first.");
    }
    (void)RemoveStaleTempFiles(target);  // tidying only; the save does not depend on it

    int fd = -1;
    std::string temp;
    if (Status st = WriteTemp(path, target, data, fd, temp); !st) return st;
    auto fail = [&](int err) {
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        return SaveError(path, Reason(err));
    };
    if (replacing) {
        // The new file is the old one's: a save by root must not take a user's file away.
        // Owner first, since a change of owner clears the set-id bits of the mode.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)::fchown(fd, old.st_uid, old.st_gid);
        (void)::fchmod(fd, old.st_mode & 07777);
    }
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return fail(errno);
    // The check above and the rename are two steps; a FIFO made in between would be replaced.
    // Checking again narrows that window to the rename itself.
    if (Status st = CheckSaveTarget(path, target); !st) {
        ::unlink(temp.c_str());
        return st;
    }
    if (Status st = CheckUnchanged(path, target, checks); !st) {
        ::unlink(temp.c_str());
        return st;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) return fail(errno);
    SyncFolder(target);
    return Status::Ok();
}

Status WriteNewFile(const std::string& path, std::string_view data, bool& taken) {
    taken = false;
    int fd = -1;
    std::string temp;
    if (Status st = WriteTemp(path, path, data, fd, temp); !st) return st;
    ::close(fd);
    // link() fails with EEXIST on any existing name, a dangling link included, and never
    // writes through one: the backup can only appear as a new file.
    int linked = ::link(temp.c_str(), path.c_str());
    int err = errno;
#ifdef RENAME_NOREPLACE
    // Folders without hard links (FAT on a memory stick) still know a rename that never
    // replaces.
    if (linked != 0 && (err == EPERM || err == ENOTSUP || err == EOPNOTSUPP)) {
        linked = ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
        err = errno;
    }
#endif
    ::unlink(temp.c_str());
    if (linked == 0) {
        SyncFolder(path);
        return Status::Ok();
    }
    if (err == EEXIST) {
        taken = true;
        return Status::Ok();
    }
    return SaveError(path, Reason(err));
}

#endif

namespace {

// Reads up to `maxBytes` from an open stream; closes it.
Status ReadStream(std::FILE* file, const std::string& path, std::size_t maxBytes,
                  std::string& out) {
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

}  // namespace

Status ReadFilePrefix(const std::string& path, std::size_t maxBytes, std::string& out) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return ReadError(path, Reason(errno));
    return ReadStream(file, path, maxBytes, out);
}

Status ReadWholeFile(const std::string& path, std::string& out) {
    return ReadFilePrefix(path, std::numeric_limits<std::size_t>::max(), out);
}

#ifdef _WIN32

Status ReadRegularFilePrefix(const std::string& path, std::size_t maxBytes, std::string& out,
                             std::uintmax_t& fileSize) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (st.type() != fs::file_type::regular && st.type() != fs::file_type::not_found && !ec)
        return Status::Error(NotAFile(path, path, st.type()) + "; open a channel file instead.");
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return ReadError(path, Reason(errno));
    fileSize = fs::file_size(path, ec);
    if (ec) fileSize = 0;
    return ReadStream(file, path, maxBytes, out);
}

#else

Status ReadRegularFilePrefix(const std::string& path, std::size_t maxBytes, std::string& out,
                             std::uintmax_t& fileSize) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer, possibly forever; a regular file
    // ignores the flag. The kind is then taken from the open descriptor, so nothing can be
    // swapped in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return ReadError(path, Reason(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return ReadError(path, Reason(err));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        if (S_ISDIR(st.st_mode)) return ReadError(path, Reason(EISDIR));
        const fs::file_type type = S_ISCHR(st.st_mode)    ? fs::file_type::character
                                   : S_ISBLK(st.st_mode)  ? fs::file_type::block
                                   : S_ISFIFO(st.st_mode) ? fs::file_type::fifo
                                   : S_ISSOCK(st.st_mode) ? fs::file_type::socket
                                                          : fs::file_type::unknown;
        return Status::Error(NotAFile(path, path, type) + "; open a channel file instead.");
    }
    fileSize = static_cast<std::uintmax_t>(st.st_size);
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        const int err = errno;
        ::close(fd);
        return ReadError(path, Reason(err));
    }
    return ReadStream(file, path, maxBytes, out);
}

#endif

}  // namespace radio
