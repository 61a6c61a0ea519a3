// radioprog and what it saves to: targets that are no file, links, files longer than an
// image, and PDFs to standard output.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/file_bytes.h"
#include "tests/support/radioprog_run.h"

namespace {

namespace fs = std::filesystem;

using radio::test::ReadFile;
using radio::test::Result;
using radio::test::WriteFile;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class SaveSafety : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        WriteFile(Path("Program.ini"), "[Setup]\nType1=Model-A\nField1=136-174MHz|400-470MHz\n");
        WriteFile(Path("demo.dat"), ReadFile(RADIO_RESOURCES "/demo.dat"));
    }

    std::string Path(const std::string& name) const {
        return m_dir.filePath(QString::fromStdString(name)).toStdString();
    }

    // A FIFO or device opened without care would block here until the timeout: a failure.
    Result Run(const std::vector<std::string>& args) {
        std::vector<std::string> all{"--config", Path("Program.ini"), "--settings",
                                     Path("settings.ini")};
        all.insert(all.end(), args.begin(), args.end());
        return radio::test::RunRadioprog(all, {}, QProcessEnvironment::systemEnvironment(), 20000);
    }

    QTemporaryDir m_dir;
};

struct Node {
    const char* name;
    fs::file_type type;
    const char* kind;
};

// Every command that writes a file, against every kind of path that is no file: refused with
// the kind named, and the node is still what it was. Commands that read the file first refuse
// it at once when opening it (exit 2), the others when saving (exit 1).
TEST_F(SaveSafety, NoCommandReplacesADeviceAFifoOrAFolder) {
    const std::vector<Node> nodes = {
        {"node", fs::file_type::character, "a character device"},
        {"pipe", fs::file_type::fifo, "a named pipe (FIFO)"},
        {"folder", fs::file_type::directory, "a directory"},
    };
    const std::vector<std::pair<std::vector<std::string>, int>> commands = {
        {{"new", "T"}, 1},
        {{"print", "DEMO", "-o", "T"}, 1},
        {{"set", "T", "2", "1", "146.52"}, 2},
        {{"option", "T", "LED=On"}, 2},
        {{"band", "T", "--type", "0", "--band", "0"}, 2},
        {{"dump", "T"}, 2},
        {{"simulate", "--image", "T"}, 2},
    };
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    fs::create_directory(Path("folder"));
    const bool haveNode = ::mknod(Path("node").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    if (!haveNode) std::cout << "[ SKIPPED  ] character device rows: mknod needs root\n";
    for (const Node& node : nodes) {
        if (node.type == fs::file_type::character && !haveNode) continue;
        const std::string target = Path(node.name);
        for (auto [args, exit] : commands) {
            for (auto& a : args) {
                if (a == "T") a = target;
                if (a == "DEMO") a = Path("demo.dat");
            }
            SCOPED_TRACE(testing::PrintToString(args));
            const Result r = Run(args);
            EXPECT_EQ(r.exit, exit) << r.err;
            // A folder opened for reading fails with the system's own words.
            const std::string named = exit == 2 && node.type == fs::file_type::directory
                                          ? "Is a directory"
                                          : "'" + target + "' is " + node.kind + ", not a file";
            EXPECT_TRUE(Contains(r.err, named)) << r.err;
            EXPECT_EQ(fs::symlink_status(target).type(), node.type);
        }
    }
}

TEST_F(SaveSafety, PrintToAScratchDevNullExitsOneAndLeavesTheDevice) {
    const std::string node = Path("null");
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "mknod needs root";
    const Result r = Run({"print", Path("demo.dat"), "-o", node});
    EXPECT_EQ(r.exit, 1);
    // Qt may note its runtime folder first; the last line is ours.
    EXPECT_TRUE(r.err.ends_with("radioprog: '" + node +
                                "' is a character device, not a file; save to a file instead.\n"))
        << r.err;
    EXPECT_EQ(fs::symlink_status(node).type(), fs::file_type::character);
}

TEST_F(SaveSafety, PrintDashWritesThePdfToStandardOutput) {
    const Result r = Run({"print", Path("demo.dat"), "-o", "-"});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("%PDF-")) << r.out.substr(0, 20);
    EXPECT_TRUE(Contains(r.out.substr(r.out.size() - 16), "%%EOF")) << "the whole PDF";
    EXPECT_FALSE(fs::exists(Path("-")));
}

TEST_F(SaveSafety, LinksAreWrittenThroughDanglingOrNot) {
    fs::create_directory(Path("sub"));
    fs::create_symlink("sub/new.dat", Path("dangling.dat"));
    WriteFile(Path("sub/old.dat"), std::string(8192, '\x00'));
    fs::create_symlink("sub/old.dat", Path("link.dat"));
    ASSERT_EQ(Run({"new", Path("blank.dat")}).exit, 0);
    const std::string blank = ReadFile(Path("blank.dat"));
    ASSERT_EQ(blank.size(), 8192u);
    for (const char* link : {"dangling.dat", "link.dat"}) {
        SCOPED_TRACE(link);
        ASSERT_EQ(Run({"new", "--force", Path(link)}).exit, 0);
        EXPECT_TRUE(fs::is_symlink(Path(link)));
    }
    EXPECT_EQ(ReadFile(Path("sub/new.dat")), blank);
    EXPECT_EQ(ReadFile(Path("sub/old.dat")), blank);
}

// A file longer than an image: every command notes it; commands that save it back refuse
// without --truncate (the file untouched) and cut it to 8192 bytes with it.
TEST_F(SaveSafety, LongerFilesAreNotedAndCutOnlyWithTruncate) {
    const std::string demo = ReadFile(Path("demo.dat"));
    const std::string tail(808, 'T');
    WriteFile(Path("list.csv"), "Location,Frequency\r\n1,146.52\r\n");
    const std::vector<std::vector<std::string>> saving = {
        {"set", "F", "2", "9", "A"},
        {"option", "F", "LED=On"},
        {"band", "F", "--type", "0", "--band", "0"},
        {"import", "F", Path("list.csv")},
    };
    const std::string note = "radioprog: note: '" + Path("long.dat") +
                             "' holds 9000 bytes; only its first 8192 are the channel image, "
                             "and saving it cuts off the 808 bytes after them.\n";
    for (const auto& command : saving) {
        SCOPED_TRACE(command[0]);
        WriteFile(Path("long.dat"), demo + tail);
        std::vector<std::string> args = command;
        for (auto& a : args) {
            if (a == "F") a = Path("long.dat");
        }
        Result r = Run(args);
        EXPECT_EQ(r.exit, 1);
        EXPECT_TRUE(r.err.starts_with(note)) << r.err;
        EXPECT_TRUE(Contains(r.err, "add --truncate to save it anyway")) << r.err;
        EXPECT_EQ(ReadFile(Path("long.dat")), demo + tail);

        args.insert(args.begin() + 1, "--truncate");
        r = Run(args);
        EXPECT_EQ(r.exit, 0) << r.err;
        EXPECT_EQ(ReadFile(Path("long.dat")).size(), 8192u);
    }
    WriteFile(Path("long.dat"), demo + tail);
    const Result dump = Run({"dump", Path("long.dat")});
    EXPECT_EQ(dump.exit, 0);
    EXPECT_EQ(dump.err, "radioprog: note: '" + Path("long.dat") +
                            "' holds 9000 bytes; only its first 8192 are the channel image, and "
                            "the 808 bytes after them are left out here.\n");
    EXPECT_EQ(dump.out, Run({"dump", Path("demo.dat")}).out);
}

// One rule for what a command may write over, and clear results where it cannot: each case
// names what it must say and the files that must stay byte for byte.
TEST_F(SaveSafety, OutputsOverInputsAndOtherSmallOnes) {
    const std::string demo = ReadFile(Path("demo.dat"));
    WriteFile(Path("settings.ini"), "; chosen by the installer\n[radio]\nType=0\nField=0\n");
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    WriteFile(Path("tail.dat"), demo + "extra");
    const struct {
        const char* name;
        std::vector<std::string> args;  // DEMO: demo.dat; CFG: Program.ini
        int exit;
        std::string said;  // in stderr (or stdout for doctor)
        std::vector<std::string> kept;
    } cases[] = {
        {"new over an existing file",
         {"new", "DEMO"},
         1,
         "already exists; new would replace it with a blank image",
         {"demo.dat"}},
        {"export over its own image",
         {"export", "DEMO", "DEMO"},
         1,
         "is also the input",
         {"demo.dat"}},
        {"print over its own image",
         {"print", "DEMO", "-o", "DEMO"},
         1,
         "is also the input",
         {"demo.dat"}},
        {"import of the image into itself",
         {"import", "DEMO", "DEMO"},
         1,
         "is also the input",
         {"demo.dat"}},
        {"set of a cell in an empty row",
         {"set", "DEMO", "180", "5", "High"},
         1,
         "row 180 has no Rx Frequency, so column 5 cannot be set",
         {"demo.dat"}},
        {"settings file that is the configuration",
         {"--settings", "CFG", "band", "DEMO", "--type", "0", "--band", "0"},
         2,
         "--settings names the configuration file",
         {"Program.ini", "demo.dat"}},
        {"FIFO as configuration",
         {"--config", Path("fifo"), "dump", "DEMO"},
         2,
         "is a named pipe (FIFO), not a file; --config needs a file of text",
         {}},
        {"FIFO as settings",
         {"--settings", Path("fifo"), "dump", "DEMO"},
         2,
         "is a named pipe (FIFO), not a file; --settings needs a file of text",
         {}},
        {"diff of files that differ only after the image",
         {"diff", "DEMO", Path("tail.dat")},
         0,
         "the images are the same, but the files differ after byte 8192",
         {}},
        {"doctor on a file",
         {"doctor", "--port", "DEMO"},
         1,
         "is a regular file, not a serial port",
         {"demo.dat"}},
        {"band keeps the settings file's comments",
         {"band", "DEMO", "--type", "0", "--band", "0"},
         0,
         "",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = c.args;
        for (auto& a : args) {
            if (a == "DEMO") a = Path("demo.dat");
            if (a == "CFG") a = Path("Program.ini");
        }
        std::vector<std::string> before;
        for (const std::string& f : c.kept) before.push_back(ReadFile(Path(f)));
        const auto start = std::chrono::steady_clock::now();
        const Result r = Run(args);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << "at once";
        EXPECT_EQ(r.exit, c.exit) << r.err;
        EXPECT_TRUE(Contains(r.err + r.out, c.said)) << r.err << r.out;
        for (std::size_t i = 0; i < c.kept.size(); ++i)
            EXPECT_EQ(ReadFile(Path(c.kept[i])), before[i]) << c.kept[i];
    }
    EXPECT_EQ(ReadFile(Path("settings.ini")),
              "; chosen by the installer\n[radio]\nType=0\nField=0\n")
        << "band changed nothing, so nothing was rewritten";
    ASSERT_EQ(Run({"band", Path("demo.dat"), "--type", "0", "--band", "1"}).exit, 0);
    EXPECT_EQ(ReadFile(Path("settings.ini")),
              "; chosen by the installer\n[radio]\nType=0\nField=1\n");
}

TEST_F(SaveSafety, ExportToTsvWritesDumpsListing) {
    ASSERT_EQ(Run({"--lang", "zh", "export", Path("demo.dat"), Path("x.tsv")}).exit, 0);
    EXPECT_EQ(ReadFile(Path("x.tsv")), Run({"--lang", "zh", "dump", Path("demo.dat")}).out);
}

}  // namespace
