#include "core/formats/backup_store.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "core/codec/channel_codec.h"
#include "core/image/atomic_file.h"
#include "core/image/channel_file.h"

namespace radio {

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

constexpr std::string_view kSuffix = ".dat";
// A second backup within one second gets "_2" ...; past this many the save gives up.
constexpr int kMaxSameSecond = 999;

bool Digits(std::string_view text, int& value) {
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && text[0] != '-' &&
           text[0] != '+';
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsTagChar(char c) { return IsLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

bool ValidTag(std::string_view tag) {
    if (tag.empty() || !IsLetter(tag[0])) return false;
    for (char c : tag) {
        if (!IsTagChar(c)) return false;
    }
    return true;
}

}  // namespace

local_seconds LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &now);
#else
    localtime_r(&now, &tm);
#endif
    const year_month_day date{year{tm.tm_year + 1900}, month{unsigned(tm.tm_mon + 1)},
                              day{unsigned(tm.tm_mday)}};
    return local_days{date} + hours{tm.tm_hour} + minutes{tm.tm_min} + seconds{tm.tm_sec};
}

std::string BackupFileName(local_seconds time, std::string_view tag) {
    const local_days dayStart = floor<days>(time);
    const year_month_day date{dayStart};
    const hh_mm_ss clock{time - dayStart};
    char name[40];
    std::snprintf(name, sizeof name, "%04d-%02u-%02u_%02d%02d%02d.dat", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(clock.hours().count()),
                  int(clock.minutes().count()), int(clock.seconds().count()));
    return tag.empty() ? std::string(name) : std::string(tag) + "_" + name;
}

std::string BackupTag(std::string_view port) {
    if (port.starts_with("/dev/")) port.remove_prefix(5);
    std::string tag;
    for (char c : port) tag += IsTagChar(c) ? c : '-';
    while (!tag.empty() && tag.back() == '-') tag.pop_back();  // "virtual:"
    if (tag.empty()) return "port";
    if (!IsLetter(tag[0])) tag.insert(0, "port-");
    return tag;
}

std::optional<local_seconds> ParseBackupFileName(std::string_view name) {
    // [TAG_]YYYY-MM-DD_HHMMSS[_N].dat; a tag starts with a letter, the time with a digit.
    if (!name.empty() && IsLetter(name[0])) {
        const auto underscore = name.find('_');
        if (underscore == std::string_view::npos || !ValidTag(name.substr(0, underscore)))
            return std::nullopt;
        name.remove_prefix(underscore + 1);
    }
    if (name.size() < 21 || !name.ends_with(kSuffix)) return std::nullopt;
    name.remove_suffix(kSuffix.size());
    if (name[4] != '-' || name[7] != '-' || name[10] != '_') return std::nullopt;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (!Digits(name.substr(0, 4), y) || !Digits(name.substr(5, 2), mo) ||
        !Digits(name.substr(8, 2), d) || !Digits(name.substr(11, 2), h) ||
        !Digits(name.substr(13, 2), mi) || !Digits(name.substr(15, 2), s))
        return std::nullopt;
    if (name.size() > 17) {
        int n = 0;
        if (name[17] != '_' || !Digits(name.substr(18), n) || n < 2) return std::nullopt;
    }
    const year_month_day date{year{y}, month{unsigned(mo)}, day{unsigned(d)}};
    if (!date.ok() || h > 23 || mi > 59 || s > 59) return std::nullopt;
    return local_days{date} + hours{h} + minutes{mi} + seconds{s};
}

std::string FormatBackupTime(local_seconds time) {
    std::string name = BackupFileName(time);  // "2024-05-01_140322.dat"
    return name.substr(0, 10) + " " + name.substr(11, 2) + ":" + name.substr(13, 2) + ":" +
           name.substr(15, 2);
}

BackupSummary SummarizeBackup(const std::string& path, std::size_t names) {
    BackupSummary summary;
    RadioImage image;
    if (const Status st = LoadChannelFile(path, image); !st) {
        summary.problem = st.message;
        return summary;
    }
    summary.readable = true;
    for (int record = 0; record < kChannelCount; ++record) {
        const ChannelTexts texts = DecodeChannelRow(image, record, Language::English);
        if (texts[kColRxFreq - 1].empty()) continue;
        ++summary.channelCount;
        const std::string& name = texts[kColName - 1];
        if (!name.empty() && summary.firstNames.size() < names) summary.firstNames.push_back(name);
    }
    summary.radioType = image[offset::kRadioType];
    summary.bandIndex = image[offset::kBandIndex];
    return summary;
}

BackupStore::BackupStore(std::string folder, Clock clock)
    : m_folder(std::move(folder)), m_clock(std::move(clock)) {}

Status BackupStore::Save(const RadioImage& image, std::string* savedPath, std::string_view tag) {
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    if (ec) {
        return Status::Error("Cannot create the backup folder '" + m_folder + "': " + ec.message() +
                             ".");
    }
    const std::string base = BackupFileName(m_clock(), tag);
    const std::string stem = base.substr(0, base.size() - kSuffix.size());
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    // Never over an earlier backup, nor through a link planted under the name: the name is
    // taken only if nothing holds it yet, so parallel reads get a name each.
    std::string path = (fs::path(m_folder) / base).string();
    for (int n = 2;; ++n) {
        bool taken = false;
        if (Status st = WriteNewFile(path, bytes, taken); !st) return st;
        if (!taken) break;
        if (n > kMaxSameSecond)
            return Status::Error("Too many backups in one second in '" + m_folder + "'.");
        path =
            (fs::path(m_folder) / (stem + "_" + std::to_string(n) + std::string(kSuffix))).string();
    }
    if (savedPath != nullptr) *savedPath = path;
    Prune();
    return Status::Ok();
}

std::vector<BackupEntry> BackupStore::List() const {
    std::vector<BackupEntry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(m_folder, ec), end; !ec && it != end; it.increment(ec)) {
        // A link named like a backup is no backup: never listed, opened or pruned.
        if (it->symlink_status(ec).type() != fs::file_type::regular) continue;
        const std::string name = it->path().filename().string();
        if (const auto time = ParseBackupFileName(name))
            entries.push_back({it->path().string(), *time});
    }
    // Newest first; within one second the later suffix is the later backup.
    std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
        if (a.time != b.time) return a.time > b.time;
        if (a.path.size() != b.path.size()) return a.path.size() > b.path.size();
        return a.path > b.path;
    });
    return entries;
}

std::size_t BackupStore::Prune() {
    const std::vector<BackupEntry> entries = List();
    const local_seconds cutoff = m_clock() - days{kBackupKeepDays};
    std::size_t removed = 0;
    for (std::size_t i = kBackupKeepNewest; i < entries.size(); ++i) {
        if (entries[i].time >= cutoff) continue;
        std::error_code ec;
        if (fs::remove(entries[i].path, ec)) ++removed;
    }
    return removed;
}

}  // namespace radio
