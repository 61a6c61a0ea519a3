#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "core/image/status.h"

namespace radio {

// What a file was when it was read: enough to tell, before a save replaces it, whether
// another program changed or replaced it since.
struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t mtimeNs = 0;
    std::uint64_t hash = 0;  // of the whole content, so a change within one clock tick shows too
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Stamps `path`, links followed; a missing file gives a stamp with `exists` false.
Status StampFile(const std::string& path, FileStamp& stamp);

// A 64-bit hash of bytes (FNV-1a): changes whenever a byte does, for the stamp above.
std::uint64_t HashBytes(const void* data, std::size_t size, std::uint64_t seed = 0);

// How long a second writer waits for the first before it gives up.
inline constexpr std::chrono::milliseconds kLockWait{3000};

// An exclusive advisory lock on the file a save to `path` replaces, held by one writer from
// its read of the file to the rename that replaces it. The lock lives on a small file beside
// it, ".NAME.lock", and never on the file itself: every save puts a new file under the name,
// so a lock on the old one would be a lock on nothing, and a file not yet written could not
// be locked at all. The lock file stays; removing it would race with a writer opening it.
// Programs that do not take the lock are caught by the stamp check before the rename.
class FileLock {
  public:
    FileLock() = default;
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock, waiting up to `wait` while another writer holds it; then fails with
    // "FILE is being changed by another program (process N)".
    static Status Acquire(const std::string& path, FileLock& lock,
                          std::chrono::milliseconds wait = kLockWait);
    bool held() const;
    void Release();

    // The lock file of `path`: ".NAME.lock" beside the file its links lead to.
    static std::string LockPathFor(const std::string& path);

  private:
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};

}  // namespace radio
