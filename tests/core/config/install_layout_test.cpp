#include "core/config/install_layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/support/temp_dir.h"

namespace radio {
namespace {

namespace fs = std::filesystem;

std::string P(const std::string& path) { return fs::path(path).lexically_normal().string(); }

// Answers from two lists: the files that exist, and the paths the program could save.
class TableProbe : public FileProbe {
  public:
    TableProbe(std::set<std::string> files, std::set<std::string> saveable)
        : m_files(Normal(files)), m_saveable(Normal(saveable)) {}
    bool IsFile(const std::string& path) const override { return m_files.count(P(path)) > 0; }
    bool CanSave(const std::string& path) const override { return m_saveable.count(P(path)) > 0; }

  private:
    static std::set<std::string> Normal(const std::set<std::string>& in) {
        std::set<std::string> out;
        for (const std::string& p : in) out.insert(P(p));
        return out;
    }
    std::set<std::string> m_files, m_saveable;
};

const std::string kBuild = "/home/ann/radio/build/default/bin/Program.ini";
const std::string kUsrBin = "/usr/bin/Program.ini";
const std::string kShared = "/usr/share/radio-programmer/Program.ini";
const std::string kUser = "/home/ann/.config/radio-programmer/Program.ini";

struct ConfigCase {
    const char* name;
    std::string binDir;
    std::set<std::string> files;
    std::set<std::string> saveable;
    std::string read;
    std::string save;
};

class LocateConfigTest : public testing::TestWithParam<ConfigCase> {};

TEST_P(LocateConfigTest, ReadsAndSavesWhereTheUserExpects) {
    const ConfigCase& c = GetParam();
    const ConfigLocation at =
        LocateConfig(c.binDir, "/home/ann/.config", TableProbe(c.files, c.saveable));
    EXPECT_EQ(at.readPath, P(c.read));
    EXPECT_EQ(at.savePath, P(c.save));
}

const std::string kBuildBin = "/home/ann/radio/build/default/bin";

INSTANTIATE_TEST_SUITE_P(
    Layouts, LocateConfigTest,
    testing::Values(
        // The build folder and a portable folder: beside the executable, in place, even when a
        // user copy from an installed version exists.
        ConfigCase{"BuildFolder", kBuildBin, {kBuild, kUser}, {kBuild, kUser}, kBuild, kBuild},
        ConfigCase{"BuildFolderWithoutFileCreatesIt", kBuildBin, {}, {kBuild}, kBuild, kBuild},
        // Installed: the package's copy until the user changes something, then the user's.
        ConfigCase{"InstalledFirstRun", "/usr/bin", {kShared}, {kUser}, kShared, kUser},
        ConfigCase{"InstalledWithUserCopy", "/usr/bin", {kShared, kUser}, {kUser}, kUser, kUser},
        // An administrator could write /usr/share, but the package's file is still not his.
        ConfigCase{
            "InstalledRunByRoot", "/usr/bin", {kShared}, {kShared, kUsrBin, kUser}, kShared, kUser},
        // A copy beside the executable in a folder the user cannot write (Program Files).
        ConfigCase{
            "ReadOnlyProgramFolder", "/usr/bin", {kUsrBin, kShared}, {kUser}, kUsrBin, kUser},
        ConfigCase{"ReadOnlyProgramFolderWithUserCopy",
                   "/usr/bin",
                   {kUsrBin, kUser},
                   {kUser},
                   kUser,
                   kUser},
        // Nothing shipped at all: the user's copy is created, never a file in /usr/bin.
        ConfigCase{"NothingShipped", "/usr/bin", {}, {kUser}, kUser, kUser},
        ConfigCase{"BinDirWithTrailingSlash", "/usr/bin/", {kShared}, {kUser}, kShared, kUser}),
    [](const testing::TestParamInfo<ConfigCase>& info) { return std::string(info.param.name); });

struct SharedCase {
    const char* name;
    std::set<std::string> files;
    std::string found;  // empty: none
};

TEST(SharedFiles, BesideTheExecutableFirstThenTheSharedFolder) {
    const std::string help = "/opt/rp/bin/enHelp.html";
    const std::string sharedHelp = "/opt/rp/share/radio-programmer/enHelp.html";
    const SharedCase cases[] = {
        {"both", {help, sharedHelp}, help},
        {"shared only", {sharedHelp}, sharedHelp},
        {"none", {}, ""},
        {"another program's folder is not searched",
         {"/opt/share/radio-programmer/enHelp.html"},
         ""},
    };
    for (const SharedCase& c : cases) {
        EXPECT_EQ(FindSharedFile("/opt/rp/bin", "enHelp.html", TableProbe(c.files, {})),
                  c.found.empty() ? "" : P(c.found))
            << c.name;
    }
}

TEST(RealFileProbe, SavesOnlyWhereAFileCanBeCreatedAndLeavesNothingBehind) {
    TempDir dir;
    const FileProbe& probe = RealFileProbe();
    WriteBytes(dir.File("Program.ini"), "[Setup]\n");
    EXPECT_TRUE(probe.IsFile(dir.File("Program.ini")));
    EXPECT_FALSE(probe.IsFile(dir.path()));
    EXPECT_TRUE(probe.CanSave(dir.File("Program.ini")));
    EXPECT_TRUE(probe.CanSave(dir.File("new.ini")));
    EXPECT_FALSE(probe.CanSave(dir.File("missing/Program.ini")));
    EXPECT_FALSE(probe.CanSave(dir.path())) << "a folder is not a file to save";
    EXPECT_EQ(DirEntries(dir.path()), 1u) << "the probe left a file behind";
    EXPECT_EQ(ReadBytes(dir.File("Program.ini")), "[Setup]\n");
}

}  // namespace
}  // namespace radio
