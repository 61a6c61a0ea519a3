#include "core/image/file_lock.h"

#include <filesystem>
#include <limits>
#include <system_error>
#include <thread>

#include "core/image/atomic_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace radio {

namespace fs = std::filesystem;

namespace {

constexpr std::chrono::milliseconds kLockPoll{20};

std::string Busy(const std::string& path, long pid) {
    std::string text = path + " is being changed by another program";
    if (pid > 0) text += " (process " + std::to_string(pid) + ")";
    return text + "; try again when it is done.";
}

long ParsePid(std::string_view text) {
    long pid = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        if (pid > 100000000) return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

}  // namespace

std::uint64_t HashBytes(const void* data, std::size_t size, std::uint64_t seed) {
    std::uint64_t h = 14695981039346656037ull ^ seed;
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        h ^= p[i];
        h *= 1099511628211ull;
    }
    return h;
}

Status StampFile(const std::string& path, FileStamp& stamp) {
    stamp = FileStamp{};
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (st.type() == fs::file_type::not_found) return Status::Ok();
    stamp.exists = true;
    // A device, FIFO or folder is never read (it could block); the save refuses it by name.
    if (st.type() != fs::file_type::regular) return Status::Ok();
    std::string bytes;
    std::uintmax_t size = 0;
    if (Status read =
            ReadRegularFilePrefix(path, std::numeric_limits<std::size_t>::max(), bytes, size);
        !read)
        return read;
    const auto time = fs::last_write_time(path, ec);
    stamp.size = bytes.size();
    stamp.mtimeNs = ec ? 0 : static_cast<std::int64_t>(time.time_since_epoch().count());
    stamp.hash = HashBytes(bytes.data(), bytes.size());
    return Status::Ok();
}

std::string FileLock::LockPathFor(const std::string& path) {
    std::string target;
    if (!ResolveSaveTarget(path, target)) target = path;
    const fs::path t(target);
    return (t.parent_path() / ("." + t.filename().string() + ".lock")).string();
}

FileLock::~FileLock() { Release(); }

FileLock::FileLock(FileLock&& other) noexcept { *this = std::move(other); }

#ifdef _WIN32

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_handle = other.m_handle;
        other.m_handle = nullptr;
    }
    return *this;
}

bool FileLock::held() const { return m_handle != nullptr; }

void FileLock::Release() {
    if (m_handle == nullptr) return;
    OVERLAPPED ov{};
    UnlockFileEx(m_handle, 0, 1, 0, &ov);
    CloseHandle(m_handle);
    m_handle = nullptr;
}

Status FileLock::Acquire(const std::string& path, FileLock& lock, std::chrono::milliseconds wait) {
    lock.Release();
    const std::string lockPath = LockPathFor(path);
    HANDLE h = CreateFileA(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    // A folder the user may not write holds no lock file; the save there fails on its own.
    if (h == INVALID_HANDLE_VALUE) return Status::Ok();
    const auto deadline = std::chrono::steady_clock::now() + wait;
    // Byte 0 is the lock; the holder's process id is text from byte 16, readable meanwhile.
    for (;;) {
        OVERLAPPED ov{};
        if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &ov)) {
            const std::string pid = std::to_string(GetCurrentProcessId()) + "\r\n        ";
            OVERLAPPED at{};
            at.Offset = 16;
            DWORD written = 0;
            WriteFile(h, pid.data(), static_cast<DWORD>(pid.size()), &written, &at);
            lock.m_handle = h;
            return Status::Ok();
        }
        if (std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(kLockPoll);
    }
    char text[16] = {};
    OVERLAPPED at{};
    at.Offset = 16;
    DWORD got = 0;
    ReadFile(h, text, sizeof text - 1, &got, &at);
    CloseHandle(h);
    return Status::Error(Busy(path, ParsePid(std::string_view(text, got))));
}

#else

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

bool FileLock::held() const { return m_fd >= 0; }

void FileLock::Release() {
    if (m_fd < 0) return;
    ::close(m_fd);  // ends the flock with the last descriptor of this open
    m_fd = -1;
}

Status FileLock::Acquire(const std::string& path, FileLock& lock, std::chrono::milliseconds wait) {
    lock.Release();
    const std::string lockPath = LockPathFor(path);
    // flock, not fcntl: an fcntl lock ends when the process closes any descriptor of the
    // file, and it would not keep two threads of one process apart. O_NOFOLLOW: a link planted
    // under the lock file's name must not make us write elsewhere.
    bool created = false;
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        created = fd >= 0;
        if (fd < 0 && errno == EEXIST)
            fd = ::open(lockPath.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    }
    // Someone else's lock file that we may not write still locks: flock needs no write access.
    if (fd < 0 && errno == EACCES) fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        if (errno == ELOOP)
            return Status::Error("Cannot lock '" + path + "': '" + lockPath +
                                 "' is a symbolic link; remove it.");
        // A folder the user may not write holds no lock file; the save there fails on its own.
        return Status::Ok();
    }
    if (created) {
        // Made by root for a user's file: the lock file is the user's too, or later runs of
        // that user could not write their process id into it.
        std::string target;
        struct stat owner {};
        if (ResolveSaveTarget(path, target) && ::stat(target.c_str(), &owner) == 0)
            (void)::fchown(fd, owner.st_uid, owner.st_gid);
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            const std::string pid = std::to_string(static_cast<long>(::getpid())) + "\n";
            if (::ftruncate(fd, 0) == 0) (void)!::pwrite(fd, pid.data(), pid.size(), 0);
            lock.m_fd = fd;
            return Status::Ok();
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const int err = errno;
            ::close(fd);
            return Status::Error("Cannot lock '" + path +
                                 "': " + std::generic_category().message(err) + ".");
        }
        if (std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(kLockPoll);
    }
    char text[24] = {};
    const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
    ::close(fd);
    long pid = got > 0 ? ParsePid(std::string_view(text, static_cast<std::size_t>(got))) : 0;
    // A holder that could not write the file (another user's) leaves an older writer's id:
    // name only a process that lives.
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) pid = 0;
    return Status::Error(Busy(path, pid));
}

#endif

}  // namespace radio
