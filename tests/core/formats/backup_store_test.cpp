// The backup folder: names, listing, pruning by age and count on an injected clock.
#include "core/formats/backup_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <thread>

#include "core/codec/channel_codec.h"
#include "core/image/channel_file.h"
#include "tests/support/temp_dir.h"

namespace radio {
namespace {

using namespace std::chrono;
namespace fs = std::filesystem;

local_seconds At(int y, unsigned mo, unsigned d, int h = 12, int mi = 0, int s = 0) {
    return local_days{year{y} / month{mo} / day{d}} + hours{h} + minutes{mi} + seconds{s};
}

TEST(BackupNames, OnlyBackupNamesParse) {
    EXPECT_EQ(BackupFileName(At(2024, 5, 1, 14, 3, 22)), "2024-05-01_140322.dat");
    EXPECT_EQ(FormatBackupTime(At(2024, 5, 1, 14, 3, 22)), "2024-05-01 14:03:22");
    const struct {
        const char* name;
        std::optional<local_seconds> time;
    } cases[] = {
        {"2024-05-01_140322.dat", At(2024, 5, 1, 14, 3, 22)},
        {"2024-05-01_140322_2.dat", At(2024, 5, 1, 14, 3, 22)},
        {"1999-12-31_235959.dat", At(1999, 12, 31, 23, 59, 59)},
        {"2024-05-01_140322_1.dat", std::nullopt},  // suffixes start at 2
        {"2024-05-01_140322_x.dat", std::nullopt},
        {"2024-02-30_120000.dat", std::nullopt},  // no such day
        {"2024-05-01_246000.dat", std::nullopt},
        {"2024-05-01_140322.DAT", std::nullopt},
        {"2024-05-01 140322.dat", std::nullopt},
        {"my-radio.dat", std::nullopt},
        {"2024-05-01_140322.dat.tmp", std::nullopt},
        // Tagged with the port the image came from.
        {"ttyUSB1_2024-05-01_140322.dat", At(2024, 5, 1, 14, 3, 22)},
        {"pts-3_2024-05-01_140322_2.dat", At(2024, 5, 1, 14, 3, 22)},
        {"pts-3_2024-05-01_140322_1.dat", std::nullopt},
        {"3com_2024-05-01_140322.dat", std::nullopt},
        {"tty USB_2024-05-01_140322.dat", std::nullopt},
        {"a_b_2024-05-01_140322.dat", std::nullopt},
        {"radio_my-radio.dat", std::nullopt},
        {"ttyUSB1.dat", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseBackupFileName(c.name), c.time) << c.name;
    EXPECT_EQ(BackupFileName(At(2024, 5, 1, 14, 3, 22), "ttyUSB1"),
              "ttyUSB1_2024-05-01_140322.dat");
}

TEST(BackupNames, PortsBecomeTags) {
    const struct {
        const char* port;
        const char* tag;
    } cases[] = {
        {"/dev/ttyUSB1", "ttyUSB1"},
        {"/dev/pts/3", "pts-3"},
        {"COM3", "COM3"},
        {"virtual:2", "virtual-2"},
        {"/dev/serial/by-id/usb-FTDI_FT232R-if00", "serial-by-id-usb-FTDI-FT232R-if00"},
        {"3", "port-3"},
    };
    for (const auto& c : cases) EXPECT_EQ(BackupTag(c.port), c.tag) << c.port;
}

struct Rig {
    TempDir dir;
    local_seconds now = At(2024, 6, 1);
    BackupStore store{dir.File("backups"), [this] { return now; }};

    std::string Make(local_seconds time) {
        const std::string path = dir.File("backups/" + BackupFileName(time));
        fs::create_directories(dir.File("backups"));
        EXPECT_TRUE(SaveChannelFile(path, RadioImage::Blank()).ok);
        return path;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const BackupEntry& e : store.List())
            names.push_back(fs::path(e.path).filename().string());
        return names;
    }
};

TEST(BackupStore, SavesUnderTheClockAndNeverOverAnEarlierBackup) {
    Rig rig;
    RadioImage image = RadioImage::Blank();
    image[0x100] = 0x42;
    std::string first, second;
    ASSERT_TRUE(rig.store.Save(image, &first).ok);
    image[0x100] = 0x43;
    ASSERT_TRUE(rig.store.Save(image, &second).ok);  // the same second
    EXPECT_EQ(fs::path(first).filename(), "2024-06-01_120000.dat");
    EXPECT_EQ(fs::path(second).filename(), "2024-06-01_120000_2.dat");
    RadioImage loaded;
    ASSERT_TRUE(LoadChannelFile(first, loaded).ok);
    EXPECT_EQ(loaded[0x100], 0x42);
    rig.now += seconds{1};
    ASSERT_TRUE(rig.store.Save(image).ok);
    // Newest first, the later of one second before the earlier; nothing but the backups.
    EXPECT_EQ(rig.Names(),
              (std::vector<std::string>{"2024-06-01_120001.dat", "2024-06-01_120000_2.dat",
                                        "2024-06-01_120000.dat"}));
    EXPECT_EQ(DirEntries(rig.dir.File("backups")), 3u);
}

// Reads in parallel into one folder, all within one second, with links planted under the
// names they would take: each backup gets a name of its own and holds its own image, no link
// is written through, and no link is listed as a backup.
TEST(BackupStore, ParallelSavesEachKeepTheirOwnImage) {
    Rig rig;
    fs::create_directories(rig.dir.File("backups"));
    // Systems without symbolic links (Windows without the privilege) plant none.
    std::error_code noLinks;
    for (const char* name : {"2024-06-01_120000.dat", "2024-06-01_120000_3.dat"})
        fs::create_symlink(rig.dir.File("outside.dat"),
                           rig.dir.File(std::string("backups/") + name), noLinks);
    const std::size_t planted = noLinks ? 0 : 2;
    constexpr int kThreads = 4, kEach = 25;
    std::vector<std::string> paths(kThreads * kEach);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            BackupStore store{rig.dir.File("backups"), [&] { return rig.now; }};
            for (int i = 0; i < kEach; ++i) {
                RadioImage image = RadioImage::Blank();
                image[0x100] = static_cast<std::uint8_t>(t);
                image[0x101] = static_cast<std::uint8_t>(i);
                EXPECT_TRUE(store.Save(image, &paths[static_cast<std::size_t>(t * kEach + i)]));
            }
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(std::set<std::string>(paths.begin(), paths.end()).size(), paths.size());
    for (int k = 0; k < kThreads * kEach; ++k) {
        RadioImage loaded;
        ASSERT_TRUE(LoadChannelFile(paths[static_cast<std::size_t>(k)], loaded));
        EXPECT_EQ(loaded[0x100], k / kEach);
        EXPECT_EQ(loaded[0x101], k % kEach);
    }
    EXPECT_FALSE(fs::exists(rig.dir.File("outside.dat")));
    EXPECT_EQ(rig.Names().size(), paths.size());
    EXPECT_EQ(DirEntries(rig.dir.File("backups")), paths.size() + planted);
}

TEST(BackupStore, PrunesByAgeButKeepsTheNewestTwenty) {
    const struct {
        const char* name;
        int recent;  // backups within the last year
        int old;     // backups from more than a year ago
        std::size_t kept;
    } cases[] = {
        {"young ones are all kept", 30, 0, 30},
        {"old ones go when twenty newer remain", 20, 5, 20},
        {"old ones fill up the twenty", 3, 30, 20},
        {"only old ones: the newest twenty stay", 0, 25, 20},
        {"few backups are never pruned", 2, 3, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        std::vector<std::string> recent, old;
        for (int i = 0; i < c.recent; ++i)
            recent.push_back(rig.Make(rig.now - days{i * 10} - hours{1}));
        for (int i = 0; i < c.old; ++i) old.push_back(rig.Make(rig.now - days{366 + i}));
        fs::create_directories(rig.dir.File("backups/keep-me"));
        WriteBytes(rig.dir.File("backups/2020-01-01_120000.txt"), "not a backup");

        rig.store.Prune();
        EXPECT_EQ(rig.store.List().size(), c.kept);
        for (const std::string& path : recent) EXPECT_TRUE(fs::exists(path)) << path;
        // Old backups survive only as part of the newest twenty, newest first.
        for (std::size_t i = 0; i < old.size(); ++i) {
            const bool inNewest = recent.size() + i < kBackupKeepNewest;
            EXPECT_EQ(fs::exists(old[i]), inNewest) << old[i];
        }
        EXPECT_TRUE(fs::exists(rig.dir.File("backups/2020-01-01_120000.txt")));
        EXPECT_TRUE(fs::exists(rig.dir.File("backups/keep-me")));
    }
}

TEST(BackupStore, ExactlyAYearOldIsKept) {
    Rig rig;
    for (int i = 0; i < 25; ++i) rig.Make(rig.now - days{300} - minutes{i});
    const std::string edge = rig.Make(rig.now - days{365});
    const std::string past = rig.Make(rig.now - days{365} - seconds{1});
    EXPECT_EQ(rig.store.Prune(), 1u);
    EXPECT_TRUE(fs::exists(edge));
    EXPECT_FALSE(fs::exists(past));
}

TEST(BackupStore, AFolderThatCannotBeMadeFailsWithItsName) {
    TempDir dir;
    WriteBytes(dir.File("file"), "a file where the folder would be");
    BackupStore store(dir.File("file/backups"), [] { return At(2024, 1, 1); });
    const Status st = store.Save(RadioImage::Blank());
    EXPECT_FALSE(st.ok);
    EXPECT_NE(st.message.find(dir.File("file/backups")), std::string::npos) << st.message;
    EXPECT_TRUE(store.List().empty());
}

TEST(BackupSummary, CountsChannelsAndNamesTheFirst) {
    TempDir dir;
    RadioImage image = RadioImage::Blank();
    image[offset::kRadioType] = 2;
    const char* names[] = {"", "A1", "B2", "", "C3", "D4", "E5"};
    for (int record = 0; record < 7; ++record) {
        EncodeChannelRow(
            {"146.52000", "", "None", "None", "High", "Lock", "Yes", "Wide", names[record]}, image,
            record * 3);
    }
    ASSERT_TRUE(SaveChannelFile(dir.File("b.dat"), image).ok);
    const BackupSummary summary = SummarizeBackup(dir.File("b.dat"), 3);
    EXPECT_TRUE(summary.readable);
    EXPECT_EQ(summary.channelCount, 7);
    EXPECT_EQ(summary.firstNames, (std::vector<std::string>{"A1", "B2", "C3"}));
    EXPECT_EQ(summary.radioType, 2);

    WriteBytes(dir.File("short.dat"), "abc");
    const BackupSummary bad = SummarizeBackup(dir.File("short.dat"));
    EXPECT_FALSE(bad.readable);
    EXPECT_NE(bad.problem.find("holds 3 bytes"), std::string::npos) << bad.problem;
}

}  // namespace
}  // namespace radio
