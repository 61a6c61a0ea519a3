// Where a save may go: every kind of target, what the save answers and what is there after.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "core/image/atomic_file.h"
#include "core/image/channel_file.h"
#include "core/image/file_lock.h"
#include "tests/support/temp_dir.h"

namespace radio {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "old contents";
const std::string kNew(kImageSize, '\x5A');

// A tmpfs mounted on a folder of the test (root only); unmounted at the end.
class ScratchMount {
  public:
    ScratchMount(const std::string& dir, const char* options, unsigned long flags = 0)
        : m_dir(dir) {
        fs::create_directories(dir);
        m_mounted = ::mount("tmpfs", dir.c_str(), "tmpfs", flags, options) == 0;
    }
    ~ScratchMount() {
        if (m_mounted) ::umount2(m_dir.c_str(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }

  private:
    std::string m_dir;
    bool m_mounted = false;
};

struct Target {
    explicit Target(std::string p) : path(std::move(p)) {}
    std::string path;  // what the save is given
    std::string skip;  // non-empty: this machine cannot set the case up, and why
    std::shared_ptr<ScratchMount> mount;
    std::optional<FileStamp> readAs;  // the save checks the file is still this
};

// A file as a save to it read it; then another program writes `now` over it (or not).
Target ReadThenChanged(TempDir& d, const std::optional<std::string>& now) {
    Target t{d.File("a.dat")};
    WriteBytes(t.path, kOld);
    t.readAs.emplace();
    EXPECT_TRUE(StampFile(t.path, *t.readAs));
    if (now) WriteBytes(t.path, *now);
    return t;
}

constexpr uid_t kNobody = 65534;

struct SaveCase {
    const char* name;
    std::function<Target(TempDir&)> setUp;
    bool saved;
    std::string message;  // with DIR for the test's folder
    std::function<void(TempDir&)> after;
};

fs::file_type TypeOf(const std::string& path) { return fs::symlink_status(path).type(); }

void ExpectFile(const std::string& path, const std::string& bytes) {
    EXPECT_EQ(TypeOf(path), fs::file_type::regular) << path;
    EXPECT_EQ(ReadBytes(path), bytes) << path;
}

void ExpectLink(const std::string& path, const std::string& to) {
    ASSERT_EQ(TypeOf(path), fs::file_type::symlink) << path;
    EXPECT_EQ(fs::read_symlink(path).string(), to);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
        text.replace(at, from.size(), to);
    return text;
}

const std::vector<SaveCase>& Cases() {
    static const std::vector<SaveCase> cases = {
        {"regular file",
         [](TempDir& d) {
             WriteBytes(d.File("a.dat"), kOld);
             return Target{d.File("a.dat")};
         },
         true, "", [](TempDir& d) { ExpectFile(d.File("a.dat"), kNew); }},
        {"new file", [](TempDir& d) { return Target{d.File("new.dat")}; }, true, "",
         [](TempDir& d) { ExpectFile(d.File("new.dat"), kNew); }},
        {"link to a file",
         [](TempDir& d) {
             WriteBytes(d.File("real.dat"), kOld);
             fs::create_symlink("real.dat", d.File("link.dat"));
             return Target{d.File("link.dat")};
         },
         true, "",
         [](TempDir& d) {
             ExpectLink(d.File("link.dat"), "real.dat");
             ExpectFile(d.File("real.dat"), kNew);
         }},
        {"dangling link",
         [](TempDir& d) {
             fs::create_directories(d.File("sub"));
             fs::create_symlink("sub/later.dat", d.File("link.dat"));
             return Target{d.File("link.dat")};
         },
         true, "",
         [](TempDir& d) {
             ExpectLink(d.File("link.dat"), "sub/later.dat");
             ExpectFile(d.File("sub/later.dat"), kNew);
         }},
        {"dangling chain of links, relative to each link's folder",
         [](TempDir& d) {
             fs::create_directories(d.File("sub"));
             fs::create_symlink("sub/second", d.File("first"));
             fs::create_symlink("end.dat", d.File("sub/second"));
             return Target{d.File("first")};
         },
         true, "",
         [](TempDir& d) {
             ExpectLink(d.File("first"), "sub/second");
             ExpectFile(d.File("sub/end.dat"), kNew);
         }},
        {"link to a directory",
         [](TempDir& d) {
             fs::create_directories(d.File("folder"));
             fs::create_symlink("folder", d.File("link.dat"));
             return Target{d.File("link.dat")};
         },
         false,
         "'DIR/link.dat' leads to 'DIR/folder', which is a directory, not a file; save to a file "
         "instead.",
         [](TempDir& d) {
             ExpectLink(d.File("link.dat"), "folder");
             EXPECT_TRUE(fs::is_empty(d.File("folder")));
         }},
        {"character device",
         [](TempDir& d) {
             Target t{d.File("null")};
             if (::mknod(t.path.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                 t.skip = "mknod needs root";
             return t;
         },
         false, "'DIR/null' is a character device, not a file; save to a file instead.",
         [](TempDir& d) { EXPECT_EQ(TypeOf(d.File("null")), fs::file_type::character); }},
        {"link to a character device",
         [](TempDir& d) {
             fs::create_symlink("/dev/null", d.File("link.dat"));
             return Target{d.File("link.dat")};
         },
         false,
         "'DIR/link.dat' leads to '/dev/null', which is a character device, not a file; save to a "
         "file instead.",
         [](TempDir&) { EXPECT_EQ(TypeOf("/dev/null"), fs::file_type::character); }},
        {"FIFO",
         [](TempDir& d) {
             EXPECT_EQ(::mkfifo(d.File("pipe").c_str(), 0600), 0);
             return Target{d.File("pipe")};
         },
         false, "'DIR/pipe' is a named pipe (FIFO), not a file; save to a file instead.",
         [](TempDir& d) { EXPECT_EQ(TypeOf(d.File("pipe")), fs::file_type::fifo); }},
        {"directory",
         [](TempDir& d) {
             fs::create_directories(d.File("folder"));
             return Target{d.File("folder")};
         },
         false, "'DIR/folder' is a directory, not a file; save to a file instead.",
         [](TempDir& d) { EXPECT_TRUE(fs::is_empty(d.File("folder"))); }},
        {"another user's file, saved by root: owner, group and mode stay",
         [](TempDir& d) {
             Target t{d.File("a.dat")};
             WriteBytes(t.path, kOld);
             if (::geteuid() != 0 || ::chown(t.path.c_str(), kNobody, kNobody) != 0)
                 t.skip = "giving a file to nobody needs root";
             ::chmod(t.path.c_str(), 0640);
             return t;
         },
         true, "",
         [](TempDir& d) {
             ExpectFile(d.File("a.dat"), kNew);
             struct stat st {};
             ASSERT_EQ(::stat(d.File("a.dat").c_str(), &st), 0);
             EXPECT_EQ(st.st_uid, kNobody);
             EXPECT_EQ(st.st_gid, kNobody);
             EXPECT_EQ(st.st_mode & 07777, 0640u);
         }},
        {"file with a second name (hard link): refused, both names keep it",
         [](TempDir& d) {
             WriteBytes(d.File("a.dat"), kOld);
             fs::create_hard_link(d.File("a.dat"), d.File("b.dat"));
             return Target{d.File("a.dat")};
         },
         false,
         "'DIR/a.dat' has 2 names (hard links): a save would give only this one the new data "
         "and leave the others on the old. Nothing was saved; save to another file, or remove "
         "the other links first.",
         [](TempDir& d) {
             ExpectFile(d.File("a.dat"), kOld);
             EXPECT_EQ(fs::hard_link_count(d.File("b.dat")), 2u);
         }},
        {"file unchanged since it was read", [](TempDir& d) { return ReadThenChanged(d, {}); },
         true, "", [](TempDir& d) { ExpectFile(d.File("a.dat"), kNew); }},
        {"file changed by another program since it was read",
         [](TempDir& d) { return ReadThenChanged(d, "theirs"); }, false,
         "'DIR/a.dat' was changed by another program after it was read; nothing was saved. Open "
         "it again and repeat the change.",
         [](TempDir& d) { ExpectFile(d.File("a.dat"), "theirs"); }},
        {"file removed by another program since it was read",
         [](TempDir& d) {
             Target t = ReadThenChanged(d, {});
             fs::remove(t.path);
             return t;
         },
         false,
         "'DIR/a.dat' was changed by another program after it was read; nothing was saved. Open "
         "it again and repeat the change.",
         [](TempDir& d) { EXPECT_FALSE(fs::exists(d.File("a.dat"))); }},
        {"missing folder", [](TempDir& d) { return Target{d.File("no/such/x.dat")}; }, false,
         "Cannot save 'DIR/no/such/x.dat': No such file or directory.",
         [](TempDir& d) { EXPECT_FALSE(fs::exists(d.File("no"))); }},
        {"loop of links",
         [](TempDir& d) {
             fs::create_symlink("b", d.File("a"));
             fs::create_symlink("a", d.File("b"));
             return Target{d.File("a")};
         },
         false, "Cannot save 'DIR/a': Too many levels of symbolic links.",
         [](TempDir& d) { ExpectLink(d.File("a"), "b"); }},
        {"read-only folder",
         [](TempDir& d) {
             Target t{d.File("ro/a.dat")};
             if (::geteuid() == 0) {
                 // Permissions do not stop root; a read-only mount does.
                 t.mount = std::make_shared<ScratchMount>(d.File("ro"), "size=64k", MS_RDONLY);
                 if (!t.mount->mounted()) t.skip = "cannot mount a read-only tmpfs here";
             } else {
                 fs::create_directories(d.File("ro"));
                 fs::permissions(d.File("ro"), fs::perms::owner_read | fs::perms::owner_exec);
             }
             return t;
         },
         false, "Cannot save 'DIR/ro/a.dat': ",
         [](TempDir& d) {
             EXPECT_FALSE(fs::exists(d.File("ro/a.dat")));
             std::error_code ec;  // a read-only mount refuses this; it goes away anyway
             fs::permissions(d.File("ro"), fs::perms::owner_all, ec);
         }},
        {"full disk",
         [](TempDir& d) {
             Target t{d.File("small/a.dat")};
             t.mount = std::make_shared<ScratchMount>(d.File("small"), "size=12k");
             if (!t.mount->mounted()) {
                 t.skip = "mounting a small tmpfs needs root";
                 return t;
             }
             WriteBytes(t.path, kOld);
             WriteBytes(d.File("small/filler"), std::string(8192, 'f'));
             return t;
         },
         false, "Cannot save 'DIR/small/a.dat': No space left on device.",
         [](TempDir& d) {
             ExpectFile(d.File("small/a.dat"), kOld);
             EXPECT_EQ(DirEntries(d.File("small")), 2u) << "a temporary file was left";
         }},
    };
    return cases;
}

TEST(SaveTarget, EveryKindOfTargetGetsItsAnswer) {
    for (const SaveCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const Target target = c.setUp(dir);
        if (!target.skip.empty()) {
            std::cout << "[ SKIPPED  ] " << c.name << ": " << target.skip << "\n";
            continue;
        }
        const Status status = WriteFileAtomically(
            target.path, kNew, SaveChecks{target.readAs ? &*target.readAs : nullptr});
        EXPECT_EQ(status.ok, c.saved);
        const std::string expected = Replace(c.message, "DIR", dir.path());
        if (c.message.ends_with(": "))
            EXPECT_TRUE(status.message.starts_with(expected)) << status.message;
        else
            EXPECT_EQ(status.message, expected);
        c.after(dir);
        for (const auto& e : fs::recursive_directory_iterator(dir.path()))
            EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
    }
}

// A channel file that is no regular file is refused at once; a FIFO without a writer would
// otherwise block the open forever (the test would hang, not fail).
TEST(SaveTarget, OpeningAFifoOrDeviceIsRefusedWithoutWaiting) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {dir.File("pipe"), "'" + dir.File("pipe") + "' is a named pipe (FIFO), not a file"},
        {"/dev/zero", "'/dev/zero' is a character device, not a file"},
    };
    for (const auto& [path, message] : cases) {
        RadioImage image = RadioImage::Blank();
        const Status status = LoadChannelFile(path, image);
        EXPECT_FALSE(status);
        EXPECT_EQ(status.message, message + "; open a channel file instead.");
        EXPECT_EQ(image, RadioImage::Blank());
    }
}

// Temporary files of saves whose process died go; those of live processes and names that
// only look similar stay.
TEST(SaveTarget, StaleTemporaryFilesOfDeadProcessesAreRemoved) {
    TempDir dir;
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string dead = std::to_string(child);
    const std::string self = std::to_string(::getpid());
    const std::vector<std::pair<std::string, bool>> files = {
        {".a.dat.tmp" + dead + "-0-0", false}, {".a.dat.tmp" + dead + "-17-3", false},
        {".a.dat.tmp" + self + "-0-0", true},  {".a.dat.tmp1-0-0", true},  // init lives
        {".a.dat.tmp" + dead + "-0", true},    {".a.dat.tmp" + dead + "-0-0x", true},
        {".b.dat.tmp" + dead + "-0-0", true},  {"a.dat.tmp" + dead + "-0-0", true},
    };
    for (const auto& [name, kept] : files) WriteBytes(dir.File(name), "partial");
    ASSERT_TRUE(SaveChannelFile(dir.File("a.dat"), RadioImage::Blank()));
    for (const auto& [name, kept] : files) EXPECT_EQ(fs::exists(dir.File(name)), kept) << name;
}

TEST(SaveTarget, LongerFilesAreReportedOnLoad) {
    TempDir dir;
    const std::vector<std::pair<std::size_t, std::uintmax_t>> cases = {
        {kImageSize, kImageSize}, {kImageSize + 1, kImageSize + 1}, {100000, 100000}};
    for (const auto& [size, reported] : cases) {
        WriteBytes(dir.File("x.dat"), std::string(size, '\x01'));
        RadioImage image;
        std::uintmax_t fileSize = 0;
        ASSERT_TRUE(LoadChannelFile(dir.File("x.dat"), image, &fileSize));
        EXPECT_EQ(fileSize, reported);
        EXPECT_EQ(LongerThanImage(dir.File("x.dat")), size > kImageSize ? reported : 0u);
    }
    EXPECT_EQ(LongerFileNote("x.dat", 9000),
              "'x.dat' holds 9000 bytes; only its first 8192 are the channel image, and saving "
              "it cuts off the 808 bytes after them.");
    EXPECT_EQ(LongerFileNote("x.dat", 9000, false),
              "'x.dat' holds 9000 bytes; only its first 8192 are the channel image, and the "
              "808 bytes after them are left out here.");
}

}  // namespace
}  // namespace radio
