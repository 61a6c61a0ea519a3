#include "core/link/posix_port_facts.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/support/temp_dir.h"

namespace radio {
namespace {

namespace fs = std::filesystem;

// A folder laid out like the parts of a Linux system the doctor reads: a CH340 cable on
// /dev/ttyUSB0 in sysfs, the group file, and processes in /proc.
class FakeRoot {
  public:
    FakeRoot() {
        Put("/dev/ttyUSB0", "");
        struct stat st {};
        ::stat(Path("/dev/ttyUSB0").c_str(), &st);
        deviceGid = st.st_gid;
        Put("/sys/devices/usb1/1-1/idVendor", "1a86\n");
        Put("/sys/devices/usb1/1-1/idProduct", "7523\n");
        fs::create_directories(Path("/sys/devices/usb1/1-1/1-1:1.0/ttyUSB0"));
        fs::create_directories(Path("/sys/bus/usb-serial/drivers/ch341-uart"));
        fs::create_directory_symlink("../../../../../bus/usb-serial/drivers/ch341-uart",
                                     Path("/sys/devices/usb1/1-1/1-1:1.0/ttyUSB0/driver"));
        fs::create_directories(Path("/sys/class/tty/ttyUSB0"));
        fs::create_directory_symlink("../../../devices/usb1/1-1/1-1:1.0/ttyUSB0",
                                     Path("/sys/class/tty/ttyUSB0/device"));
        Put("/etc/group", "root:x:99999:\ndialout:x:" + std::to_string(deviceGid) + ":ann,bob\n");
        fs::create_directories(Path("/proc/sys"));  // not a process
    }
    std::string Path(const std::string& inside) const {
        return (fs::path(dir.path()) / fs::path(inside).relative_path()).string();
    }
    void Put(const std::string& inside, const std::string& text) const {
        fs::create_directories(fs::path(Path(inside)).parent_path());
        WriteBytes(Path(inside), text);
    }
    void Process(long pid, const std::string& name, const std::string& openFile = {}) const {
        Put("/proc/" + std::to_string(pid) + "/comm", name + "\n");
        fs::create_directories(Path("/proc/" + std::to_string(pid) + "/fd"));
        if (!openFile.empty())
            fs::create_symlink(openFile, Path("/proc/" + std::to_string(pid) + "/fd/3"));
    }
    PortFacts Inspect(const PosixIdentity& who) const {
        return InspectPosixPort("/dev/ttyUSB0", dir.path(), who);
    }

    TempDir dir;
    unsigned deviceGid = 0;
};

TEST(PosixPortFacts, ReadsChipAndDriverFromSysfs) {
    FakeRoot root;
    const PortFacts facts = root.Inspect({"ann", 1000, {1000}, 10});
    EXPECT_TRUE(facts.exists);
    ASSERT_TRUE(facts.usb.has_value());
    EXPECT_EQ(FormatUsbId(*facts.usb), "1a86:7523");
    EXPECT_EQ(facts.driver, "ch341-uart");
    EXPECT_EQ(facts.group, "dialout");

    const PortFacts missing = InspectPosixPort("/dev/ttyUSB9", root.dir.path(), {});
    EXPECT_FALSE(missing.exists);
    EXPECT_FALSE(missing.usb.has_value());
}

TEST(PosixPortFacts, GroupMembershipInTheDatabaseAndInThisLogin) {
    FakeRoot root;
    struct Case {
        const char* name;
        PosixIdentity who;
        bool listed, inProcess;
    };
    const Case cases[] = {
        {"added, login older", {"ann", 1000, {1000, 24}, 10}, true, false},
        {"in the group now", {"ann", 1000, {1000, root.deviceGid}, 10}, true, true},
        {"primary group", {"carl", root.deviceGid, {}, 10}, true, true},
        {"not a member", {"dave", 1000, {1000}, 10}, false, false},
        {"member name is not a prefix match", {"bo", 1000, {1000}, 10}, false, false},
    };
    for (const Case& c : cases) {
        const PortFacts facts = root.Inspect(c.who);
        EXPECT_EQ(facts.groupListed, c.listed) << c.name;
        EXPECT_EQ(facts.groupInProcess, c.inProcess) << c.name;
    }
}

TEST(PosixPortFacts, HoldersFromTheLockFileAndProc) {
    const long self = 10, other = 4321, stale = 777;
    struct Case {
        const char* name;
        std::string lockPid;  // empty: no lock file
        bool processes;       // the other process and this one have the device open
        long lockedBy;        // 0: none
        std::size_t openBy;
    };
    const Case cases[] = {
        {"no one", "", false, 0, 0},
        {"lock of a live process", std::to_string(other), true, other, 1},
        {"stale lock", std::to_string(stale), false, 0, 0},
        {"our own lock", std::to_string(self), false, 0, 0},
        {"unreadable lock", "garbage", true, 0, 1},
    };
    for (const Case& c : cases) {
        FakeRoot root;
        root.Process(self, "radioprog", "/dev/ttyUSB0");
        if (c.processes) root.Process(other, "minicom", "/dev/ttyUSB0");
        root.Process(55, "bash", "/dev/pts/1");
        if (!c.lockPid.empty()) root.Put("/run/lock/LCK..ttyUSB0", c.lockPid + "\nminicom\nhost\n");
        const PortFacts facts = root.Inspect({"ann", 1000, {}, self});
        EXPECT_EQ(facts.lockedBy ? facts.lockedBy->pid : 0, c.lockedBy) << c.name;
        if (facts.lockedBy) {
            EXPECT_EQ(facts.lockedBy->name, "minicom") << c.name;
        }
        ASSERT_EQ(facts.openBy.size(), c.openBy) << c.name;
        if (c.openBy) {
            EXPECT_EQ(facts.openBy[0].name, "minicom") << c.name;
        }
    }
}

TEST(PosixPortFacts, FindsTheUdevRuleInEveryRuleFolder) {
    for (const char* folder : {"", "/etc/udev/rules.d", "/usr/lib/udev/rules.d",
                               "/lib/udev/rules.d", "/usr/local/lib/udev/rules.d"}) {
        FakeRoot root;
        if (*folder) root.Put(std::string(folder) + "/" + kUdevRuleName, "# rule\n");
        EXPECT_EQ(root.Inspect({}).uaccessRule, *folder != '\0') << folder;
    }
}

}  // namespace
}  // namespace radio
