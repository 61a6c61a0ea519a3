#include "core/link/posix_port_facts.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace radio {

namespace fs = std::filesystem;

namespace {

std::string Under(const std::string& root, const std::string& path) {
    return (fs::path(root) / fs::path(path).relative_path()).string();
}

std::string FirstLine(const fs::path& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string ProcessName(const std::string& root, long pid) {
    return FirstLine(Under(root, "/proc/" + std::to_string(pid) + "/comm"));
}

bool Alive(const std::string& root, long pid) {
    std::error_code ec;
    return pid > 0 && fs::is_directory(Under(root, "/proc/" + std::to_string(pid)), ec);
}

// The group's name and members from the group file; the name is empty when it is not there.
void ReadGroup(const std::string& root, unsigned gid, std::string& name,
               std::vector<std::string>& members) {
    std::ifstream in(Under(root, "/etc/group"));
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string f; std::getline(split, f, ':');) fields.push_back(f);
        if (fields.size() < 3 || fields[2] != std::to_string(gid)) continue;
        name = fields[0];
        if (fields.size() > 3) {
            std::stringstream list(fields[3]);
            for (std::string m; std::getline(list, m, ',');) members.push_back(m);
        }
        return;
    }
}

// The lock file QSerialPort (and other serial programs) create: LCK..<name below /dev, with
// '/' as '_'>, its first line the holder's process id.
std::optional<PortHolder> LockHolder(const std::string& device, const std::string& root,
                                     long self) {
    std::string name = device.rfind("/dev/", 0) == 0 ? device.substr(5) : device;
    for (char& c : name)
        if (c == '/') c = '_';
    for (const char* folder : {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                               "/tmp", "/var/tmp", "/var/lock/lockdev", "/run/lock"}) {
        const std::string path = Under(root, std::string(folder) + "/LCK.." + name);
        std::error_code ec;
        if (!fs::is_regular_file(path, ec)) continue;
        const std::string first = FirstLine(path);
        long pid = 0;
        try {
            pid = std::stol(first);
        } catch (...) {
            continue;  // not a lock this program can read
        }
        if (pid == self || !Alive(root, pid)) continue;  // stale: the next open takes it over
        return PortHolder{pid, ProcessName(root, pid)};
    }
    return std::nullopt;
}

// Other processes with `device` open, as far as /proc lets this user see. The links there
// name the node itself, so a device given by one of its aliases (/dev/serial/by-id/...) is
// compared by its target too.
std::vector<PortHolder> OpenBy(const std::string& device, const std::string& root, long self) {
    std::vector<PortHolder> holders;
    std::error_code ec;
    const fs::path canonical = root == "/" ? fs::weakly_canonical(device, ec) : fs::path(device);
    for (const auto& entry : fs::directory_iterator(Under(root, "/proc"), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        const long pid = std::stol(name);
        if (pid == self) continue;
        std::error_code fdError;
        for (const auto& fd : fs::directory_iterator(entry.path() / "fd", fdError)) {
            std::error_code linkError;
            const fs::path target = fs::read_symlink(fd.path(), linkError);
            if (!linkError && (target == fs::path(device) || target == canonical)) {
                holders.push_back({pid, ProcessName(root, pid)});
                break;
            }
        }
    }
    return holders;
}

bool UdevRuleInstalled(const std::string& root) {
    for (const char* folder : {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/lib/udev/rules.d",
                               "/lib/udev/rules.d", "/usr/local/lib/udev/rules.d"}) {
        std::error_code ec;
        if (fs::exists(Under(root, std::string(folder) + "/" + kUdevRuleName), ec)) return true;
    }
    return false;
}

}  // namespace

PosixIdentity CurrentIdentity() {
    PosixIdentity who;
    who.pid = static_cast<long>(::getpid());
    who.gid = ::getgid();
    if (const passwd* pw = ::getpwuid(::geteuid())) who.user = pw->pw_name;
    const int n = ::getgroups(0, nullptr);
    if (n > 0) {
        std::vector<gid_t> groups(static_cast<std::size_t>(n));
        const int got = ::getgroups(n, groups.data());
        for (int i = 0; i < got; ++i) who.groups.push_back(groups[static_cast<std::size_t>(i)]);
    }
    return who;
}

void ReadTtySysfs(const std::string& device, const std::string& root, PortFacts& facts) {
    std::error_code ec;
    const fs::path resolved = fs::weakly_canonical(Under(root, device), ec);
    const std::string tty = (ec ? fs::path(device) : resolved).filename().string();
    const fs::path link = Under(root, "/sys/class/tty/" + tty + "/device");
    if (!fs::exists(link, ec)) return;
    const fs::path driver = fs::read_symlink(link / "driver", ec);
    if (!ec) facts.driver = driver.filename().string();
    // The USB ids sit on the USB device, a level or two above the serial interface.
    fs::path at = fs::canonical(link, ec);
    for (int up = 0; !ec && up < 4 && !at.empty(); ++up, at = at.parent_path()) {
        const auto vendor = ParseUsbIdPart(FirstLine(at / "idVendor"));
        const auto product = ParseUsbIdPart(FirstLine(at / "idProduct"));
        if (vendor && product) {
            facts.usb = UsbId{*vendor, *product};
            return;
        }
        if (at == at.root_path()) break;
    }
}

PortFacts InspectPosixPort(const std::string& device, const std::string& root,
                           const PosixIdentity& who) {
    PortFacts facts;
    facts.device = device;
    const std::string node = Under(root, device);
    struct stat st {};
    if (::stat(node.c_str(), &st) != 0) return facts;
    facts.exists = true;
    ReadTtySysfs(device, root, facts);

    if (::access(node.c_str(), R_OK | W_OK) == 0) {
        facts.access = AccessVerdict::Granted;
    } else if (errno == EACCES || errno == EPERM) {
        facts.access = AccessVerdict::Denied;
    }
    std::vector<std::string> members;
    ReadGroup(root, st.st_gid, facts.group, members);
    for (unsigned g : who.groups) facts.groupInProcess = facts.groupInProcess || g == st.st_gid;
    facts.groupInProcess = facts.groupInProcess || who.gid == st.st_gid;
    for (const std::string& m : members) facts.groupListed = facts.groupListed || m == who.user;
    facts.groupListed = facts.groupListed || facts.groupInProcess;

    facts.uaccessRule = UdevRuleInstalled(root);
    facts.lockedBy = LockHolder(device, root, who.pid);
    facts.openBy = OpenBy(device, root, who.pid);
    return facts;
}

}  // namespace radio
