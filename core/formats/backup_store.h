#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/image/radio_image.h"
#include "core/image/status.h"

namespace radio {

// Backups are kept a year, and the newest few always, however old they are: a radio read once
// long ago must not lose its only clean copy.
inline constexpr int kBackupKeepDays = 365;
inline constexpr std::size_t kBackupKeepNewest = 20;

// The local wall-clock time now, to the second.
std::chrono::local_seconds LocalNow();

// "2024-05-01_140322.dat", or with a tag naming where the image came from,
// "ttyUSB1_2024-05-01_140322.dat". ParseBackupFileName also takes the "_2", "_3" ... a second
// backup within the same second gets, and refuses every other name.
std::string BackupFileName(std::chrono::local_seconds time, std::string_view tag = {});
std::optional<std::chrono::local_seconds> ParseBackupFileName(std::string_view name);
// The tag of a port for backup names: its device name without the folder, other characters
// than letters, digits, '-' and '.' as '-', starting with a letter ("/dev/pts/3" -> "pts-3",
// "COM3" -> "COM3", "virtual:" -> "virtual").
std::string BackupTag(std::string_view port);
// "2024-05-01 14:03:22"
std::string FormatBackupTime(std::chrono::local_seconds time);

struct BackupEntry {
    std::string path;
    std::chrono::local_seconds time;
};

// What a list of backups shows of one: how many channels are in use and the first names.
struct BackupSummary {
    bool readable = false;
    std::string problem;  // why not, when not readable
    int channelCount = 0;
    std::vector<std::string> firstNames;
    std::uint8_t radioType = 0;  // 0x1FD6 and 0x1FD7: which radio the image came from
    std::uint8_t bandIndex = 0;
};
BackupSummary SummarizeBackup(const std::string& path, std::size_t names = 4);

// The folder of automatic backups of the images read from radios. Only files named like
// backups are ever listed or removed; anything else in the folder is left alone.
class BackupStore {
  public:
    using Clock = std::function<std::chrono::local_seconds()>;

    explicit BackupStore(std::string folder, Clock clock = LocalNow);

    const std::string& folder() const { return m_folder; }

    // Saves `image` atomically under the clock's time and `tag` (creating the folder), then
    // prunes. The path written goes to `savedPath`. A prune that cannot remove a file does not
    // fail it.
    Status Save(const RadioImage& image, std::string* savedPath = nullptr,
                std::string_view tag = {});

    // Newest first; an unreadable or missing folder lists nothing.
    std::vector<BackupEntry> List() const;

    // Removes backups older than kBackupKeepDays, never the kBackupKeepNewest newest; returns
    // how many were removed.
    std::size_t Prune();

  private:
    std::string m_folder;
    Clock m_clock;
};

}  // namespace radio
