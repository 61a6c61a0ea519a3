// radioprog run as a process on temporary files, the way scripts and installers use it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "core/codec/channel_codec.h"
#include "core/codec/channel_grid.h"
#include "core/config/settings_store.h"
#include "core/options/option_values.h"

#include "tests/support/file_bytes.h"
#include "tests/support/radioprog_run.h"

namespace radio {
namespace {

const char* const kConfig =
    "[Setup]\nAppName=TestProg\nType1=Model-A\nField1=136-174MHz|400-470MHz\n"
    "Type2=Model-B\nField2=136-174MHz|400-480MHz|430-440MHz\n"
    "[English]\nAppName=Radio Programmer\nCompany=Radio Co\n"
    "[Chinese]\nAppName=对讲机编程软件\n";

const char* const kStepMessage =
    "Error data Value, please input according the step value(6.25K/5k).";
const char* const kRangeMessage = "Out of range,please input again.";

using radio::test::ReadFile;
using radio::test::Result;
using radio::test::WriteFile;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

RadioImage ImageOf(const std::string& bytes) {
    RadioImage image;
    std::copy_n(bytes.begin(), kImageSize, image.data());
    return image;
}

std::string BytesOf(const RadioImage& image) {
    return std::string(reinterpret_cast<const char*>(image.data()), kImageSize);
}

RadioImage RandomImage(unsigned seed) {
    std::mt19937 rng(seed);
    RadioImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) image[i] = static_cast<std::uint8_t>(rng());
    return image;
}

// What must stay the same when a command promises not to touch a file.
struct Snapshot {
    std::string bytes;
    timespec mtime{};
    ino_t inode = 0;
    bool exists = false;

    static Snapshot Of(const std::string& path) {
        Snapshot s;
        struct stat st {};
        if (stat(path.c_str(), &st) != 0) return s;
        s.exists = true;
        s.bytes = ReadFile(path);
        s.mtime = st.st_mtim;
        s.inode = st.st_ino;
        return s;
    }
    bool operator==(const Snapshot& o) const {
        return exists == o.exists && bytes == o.bytes && mtime.tv_sec == o.mtime.tv_sec &&
               mtime.tv_nsec == o.mtime.tv_nsec && inode == o.inode;
    }
};

class RadioprogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_config = Path("Program.ini");
        m_settings = Path("settings.ini");
        WriteFile(m_config, kConfig);
    }

    std::string Path(const std::string& name) const {
        return m_dir.filePath(QString::fromStdString(name)).toStdString();
    }

    // Runs the built executable with exactly these arguments.
    Result RunRaw(const std::vector<std::string>& args,
                  const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
        return radio::test::RunRadioprog(args, {}, env);
    }

    // Runs with this test's own configuration and settings files.
    Result Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--config", m_config, "--settings", m_settings});
        return RunRaw(args);
    }

    std::string NewFile(const std::string& name) {
        const std::string path = Path(name);
        EXPECT_EQ(Run({"new", path}).exit, 0);
        return path;
    }

    QTemporaryDir m_dir;
    std::string m_config;
    std::string m_settings;
};

TEST_F(RadioprogTest, NewSetDumpInBothLanguages) {
    const std::string file = NewFile("a.dat");
    EXPECT_EQ(ReadFile(file), BytesOf(RadioImage::Blank()));

    Result r = Run({"set", file, "2", "1", "146.525"});
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::string bytes = ReadFile(file);
    ASSERT_EQ(bytes.size(), kImageSize);
    EXPECT_EQ(bytes.substr(16, 4), std::string("\x00\x25\x65\x14", 4));
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[28]), 0xEF);
    // Only record 1 changed; its name bytes stay filler.
    std::string expected = BytesOf(RadioImage::Blank());
    expected.replace(16, 16, bytes.substr(16, 16));
    EXPECT_EQ(bytes, expected);

    const struct {
        const char* lang;
        const char* header;
        const char* row;
    } cases[] = {
        {"en",
         "CH\tRx Frequency\tTx Frequency\tRx Tone\tTx Tone\tPower\tCha Lock\tScan Add\t"
         "Bandwidth\tCha Name",
         "1\t146.52500\t146.52500\tNone\tNone\tHigh\tLock\tYes\tWide\t"},
        {"zh", nullptr, "1\t146.52500\t146.52500\t无\t无\t高\t锁定\t有\t宽\t"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lang);
        r = Run({"--lang", c.lang, "dump", file});
        ASSERT_EQ(r.exit, 0) << r.err;
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 201u);
        if (c.header) {
            EXPECT_EQ(lines[0], c.header);
        }
        EXPECT_TRUE(lines[0].starts_with("CH\t"));
        EXPECT_EQ(lines[1], "Pr\t\t\t\t\t\t\t\t\t");
        EXPECT_EQ(lines[2], c.row);
        EXPECT_TRUE(lines[200].starts_with("199\t"));
    }
}

TEST_F(RadioprogTest, SetTakesListEntriesOfEitherLanguageAndStoresTheDisplayedOne) {
    const std::string file = NewFile("a.dat");
    ASSERT_EQ(Run({"--lang", "zh", "set",  file, "3",  "1",   "439.1", "3",     "3",      "d023n",
                   "3",      "4",  "88.5", "3",  "5",  "low", "3",     "6",     "未锁定", "3",
                   "7",      "NO", "3",    "8",  "窄", "3",   "9",     "rpt-70"})
                  .exit,
              0);
    const auto lines = Lines(Run({"dump", file}).out);
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines[3], "2\t439.10000\t439.10000\tD023N\t88.5\tLow\tUnlock\tNo\tNarrow\tRPT-70");
}

TEST_F(RadioprogTest, RejectedFrequencyPrintsTheMessageAndLeavesTheFile) {
    const struct {
        std::vector<std::string> edits;
        const char* message;
    } cases[] = {
        {{"2", "1", "146.521"}, kStepMessage},
        {{"2", "1", "135.99999"}, kRangeMessage},
        {{"2", "1", "146.525", "2", "2", "600"}, kRangeMessage},  // earlier good edits not saved
        {{"5", "1", "abc"}, kRangeMessage},
    };
    const std::string file = NewFile("a.dat");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edits.back());
        const Snapshot before = Snapshot::Of(file);
        std::vector<std::string> args = {"set", file};
        args.insert(args.end(), c.edits.begin(), c.edits.end());
        const Result r = Run(args);
        EXPECT_EQ(r.exit, 1);
        EXPECT_EQ(Lines(r.err).at(0), c.message);
        EXPECT_EQ(Snapshot::Of(file), before);
    }
}

TEST_F(RadioprogTest, SetSavesWhatTheDesktopSaveWould) {
    // A random image is not what the encoder would write: untouched rows keep their bytes, the
    // edited ones are encoded as Save does, and no byte outside the records and names changes.
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        const RadioImage original = RandomImage(seed);
        const std::string file = Path("r.dat");
        WriteFile(file, BytesOf(original));

        const std::vector<std::array<std::string, 3>> edits = {
            {"2", "1", "146.525"}, {"7", "2", "145.050"}, {"9", "3", "D023N"},
            {"200", "9", "AB-1"},  {"4", "1", ""},
        };
        std::vector<std::string> args = {"set", file};
        ChannelGrid grid;
        RadioImage expected = original;
        DecodeImageToGrid(expected, grid, Language::English);
        for (const auto& e : edits) {
            args.insert(args.end(), e.begin(), e.end());
            const int row = std::stoi(e[0]), col = std::stoi(e[1]);
            grid.SetCurrent(row, col);
            ASSERT_EQ(CommitCellEdit(grid, row, col, e[2], Language::English),
                      CommitResult::Accepted);
        }
        EncodeGridToImage(grid, expected);

        const Result r = Run(args);
        ASSERT_EQ(r.exit, 0) << r.err;
        const RadioImage saved = ImageOf(ReadFile(file));
        EXPECT_EQ(saved, expected);
        for (std::size_t i = 0x0C80; i < 0x0CA0; ++i) ASSERT_EQ(saved[i], original[i]) << i;
        for (std::size_t i = 0x12E0; i < kImageSize; ++i) ASSERT_EQ(saved[i], original[i]) << i;
    }
}

TEST_F(RadioprogTest, SetOnAFileTheToolWroteChangesOnlyTheEditedCells) {
    const std::string file = Path("demo.dat");
    WriteFile(file, ReadFile(RADIO_RESOURCES "/demo.dat"));
    const std::string before = ReadFile(file);
    ASSERT_EQ(before.size(), kImageSize);

    ASSERT_EQ(Run({"set", file, "9", "1", "145.750", "61", "9", "newnm"}).exit, 0);
    const std::string after = ReadFile(file);
    std::set<std::size_t> changed;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        if (before[i] != after[i]) changed.insert(i);
    }
    for (std::size_t i : changed) {
        const bool rxOfRecord8 = i >= 8 * 16 && i < 8 * 16 + 4;
        const bool nameOfRecord60 = i >= 0x0CA0 + 60 * 8 && i < 0x0CA0 + 61 * 8;
        EXPECT_TRUE(rxOfRecord8 || nameOfRecord60) << "byte " << i << " changed";
    }
    EXPECT_EQ(after.substr(8 * 16, 4), std::string("\x00\x50\x57\x14", 4));
    const std::string row = Lines(Run({"dump", file}).out).at(61);
    EXPECT_TRUE(row.starts_with("60\t145.80000\t")) << row;
    EXPECT_TRUE(row.ends_with("\tNEWNM")) << row;
}

TEST_F(RadioprogTest, EditOfAnEmptyChannelIsReportedNotSilentlyDropped) {
    const std::string file = NewFile("a.dat");
    const std::string before = ReadFile(file);
    const Result r = Run({"set", file, "5", "3", "88.5"});
    EXPECT_EQ(r.exit, 1) << "an edit that cannot apply is refused";
    EXPECT_EQ(ReadFile(file), before);
    EXPECT_NE(r.err.find("no Rx Frequency"), std::string::npos) << r.err;
    EXPECT_EQ(Lines(Run({"dump", file}).out).at(5), "4\t\t\t\t\t\t\t\t\t");
}

TEST_F(RadioprogTest, OptionWritesOnlyTheNamedControls) {
    const RadioImage original = RandomImage(7);
    const std::string file = Path("o.dat");
    WriteFile(file, BytesOf(original));

    // The dialog's names, the printed sheet's spelling and the Chinese ones all name a control.
    const Result r = Run({"option", file, "led=On", "STEP=12.5K", "Time Out Timer:=3", "Beep=off",
                          "power-on name=hello", "扫描模式=co"});
    ASSERT_EQ(r.exit, 0) << r.err;

    RadioImage expected = original;
    expected[0x1FE1] = static_cast<std::uint8_t>((original[0x1FE1] & ~0x3C) | 0x08 | 0x10);
    expected[0x1FE0] = 3;
    expected[0x1FC3] = 2;
    expected[0x1FC0] = original[0x1FC0] & 0xFE;
    const std::uint8_t hello[] = {0x11, 0x0E, 0x15, 0x15, 0x18, 0xFF};
    for (std::size_t k = 0; k < 6; ++k) {
        expected[0x12E8 + k] = hello[k];
        expected[0x12E0 + k] = 0xFF;
    }
    const RadioImage saved = ImageOf(ReadFile(file));
    for (std::size_t i = 0; i < kImageSize; ++i) ASSERT_EQ(saved[i], expected[i]) << "byte " << i;
}

TEST_F(RadioprogTest, OptionsPrintsWhatOptionTakes) {
    const std::string file = Path("demo.dat");
    WriteFile(file, ReadFile(RADIO_RESOURCES "/demo.dat"));
    const std::string demo = ReadFile(file);
    const struct {
        const char* lang;
        std::vector<std::string> wanted;
    } cases[] = {
        {"en",
         {"Squelch Level\t3", "LED\tOn", "Step\t12.5k", "Beep\tOn", "Call Tone\t1750",
          "Time-Out Timer\t3", "Power-on Name\tHELLO"}},
        {"zh", {"静噪电平\t3", "LED\t开", "步长\t12.5k", "提示音\t开", "开机名称\tHELLO"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lang);
        const Result r = Run({"--lang", c.lang, "options", file});
        ASSERT_EQ(r.exit, 0) << r.err;
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 17u);
        for (const auto& w : c.wanted) {
            EXPECT_NE(std::find(lines.begin(), lines.end(), w), lines.end()) << w;
        }
        // Every line given back to option names its control and an entry of it; the file
        // stays as it was.
        std::vector<std::string> args = {"option", file};
        for (const std::string& line : lines) {
            const auto tab = line.find('\t');
            if (!line.ends_with('\t'))
                args.push_back(line.substr(0, tab) + "=" + line.substr(tab + 1));
        }
        const Result back = Run(args);
        ASSERT_EQ(back.exit, 0) << back.err;
        EXPECT_TRUE(ReadFile(file) == demo);
    }
}

TEST_F(RadioprogTest, BandWritesFileSettingsAndPrintsTheTitle) {
    const struct {
        const char* lang;
        int type, band;
        std::array<std::uint8_t, 3> limits;
        const char* title;
    } cases[] = {
        {"en", 0, 0, {0x13, 0x17, 0x63}, "Radio Programmer  [ Type:Model-A  Fre:136-174MHz ]"},
        {"en", 0, 1, {0x40, 0x46, 0x09}, "Radio Programmer  [ Type:Model-A  Fre:400-470MHz ]"},
        {"zh", 1, 2, BandLimitBytes(430, 440), "对讲机编程软件  [ Type:Model-B  Fre:430-440MHz ]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const RadioImage original = RandomImage(11);
        const std::string file = Path("b.dat");
        WriteFile(file, BytesOf(original));
        const Result r = Run({"--lang", c.lang, "band", file, "--band", std::to_string(c.band),
                              "--type", std::to_string(c.type)});
        ASSERT_EQ(r.exit, 0) << r.err;
        EXPECT_EQ(r.out, std::string(c.title) + "\n");

        RadioImage expected = original;
        expected[0x1FD6] = static_cast<std::uint8_t>(c.type);
        expected[0x1FD7] = static_cast<std::uint8_t>(c.band);
        std::copy(c.limits.begin(), c.limits.end(), &expected[0x1FF0]);
        EXPECT_EQ(ImageOf(ReadFile(file)), expected);

        FileSettingsStore store(m_settings);
        EXPECT_EQ(store.GetInt("Type"), std::optional<std::uint32_t>(c.type));
        EXPECT_EQ(store.GetInt("Field"), std::optional<std::uint32_t>(c.band));
    }
}

TEST_F(RadioprogTest, UsageErrorsExitTwoAndChangeNothing) {
    const std::string file = NewFile("a.dat");
    ASSERT_EQ(Run({"band", file, "--type", "0", "--band", "0"}).exit, 0);
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{}, "no command"},
        {{"frobnicate"}, "unknown command"},
        {{"--lang", "fr", "dump", "F"}, "en or zh"},
        {{"--bogus", "dump", "F"}, "unknown option"},
        {{"dump"}, "usage: radioprog dump"},
        {{"set", "F", "2", "1"}, "usage: radioprog set"},
        {{"set", "F", "0", "1", "146.52"}, "ROW must be 1-200"},
        {{"set", "F", "201", "1", "146.52"}, "ROW must be 1-200"},
        {{"set", "F", "2", "10", "x"}, "COL must be 1-9"},
        {{"set", "F", "2", "1", "146.52", "2", "5", "Huge"}, "High, Middle, Low"},
        {{"set", "F", "2", "3", "88.4"}, "DxxxN"},
        {{"set", "F", "2", "9", "TOOLONG"}, "at most 6"},
        {{"set", "F", "2", "9", "A.B"}, "cannot show"},
        {{"option", "F", "Volume=3"}, "Battery Saver"},
        {{"option", "F", "LED=Bright"}, "Off, Auto, On"},
        {{"option", "F", "Beep=maybe"}, "on or off"},
        {{"option", "F", "LED"}, "NAME=VALUE"},
        {{"band", "F", "--type", "0"}, "0-based"},
        {{"band", "F", "--type", "3", "--band", "0"}, "1 Model-B"},
        {{"band", "F", "--type", "0", "--band", "2"}, "1 400-470MHz"},
        {{"band", "F", "--type", "x", "--band", "0"}, "0-based"},
        {{"config", "set", "Setup", "AppName"}, "get SECTION KEY"},
    };
    const Snapshot fileBefore = Snapshot::Of(file);
    const Snapshot settingsBefore = Snapshot::Of(m_settings);
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        for (auto& a : args) {
            if (a == "F") a = file;
        }
        SCOPED_TRACE(testing::PrintToString(args));
        const Result r = Run(args);
        EXPECT_EQ(r.exit, 2);
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(Snapshot::Of(file), fileBefore);
    EXPECT_EQ(Snapshot::Of(m_settings), settingsBefore);
}

TEST_F(RadioprogTest, UnreadableChannelFilesAreRefusedUntouched) {
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {{"empty.dat", ""}, {"short.dat", std::string(100, '\xFF')}};
    const std::vector<std::vector<std::string>> commands = {
        {"dump"},
        {"options"},
        {"set", "F", "2", "1", "146.52"},
        {"option", "F", "LED=On"},
        {"band", "F", "--type", "0", "--band", "0"}};
    for (const auto& f : files) {
        const std::string path = Path(f.name);
        WriteFile(path, f.bytes);
        const Snapshot before = Snapshot::Of(path);
        for (auto args : commands) {
            if (args.size() == 1) args.push_back("F");
            for (auto& a : args) {
                if (a == "F") a = path;
            }
            SCOPED_TRACE(testing::PrintToString(args));
            const Result r = Run(args);
            EXPECT_EQ(r.exit, 2);
            EXPECT_NE(r.err.find(f.name), std::string::npos) << r.err;
            EXPECT_EQ(Snapshot::Of(path), before);
        }
    }
    EXPECT_FALSE(Snapshot::Of(m_settings).exists);
    const Result missing = Run({"dump", Path("missing.dat")});
    EXPECT_EQ(missing.exit, 2);
    EXPECT_NE(missing.err.find("missing.dat"), std::string::npos);
}

TEST_F(RadioprogTest, ReadOnlyCommandsTouchNoFileAndNoSetting) {
    const std::string file = Path("demo.dat");
    WriteFile(file, ReadFile(RADIO_RESOURCES "/demo.dat"));
    ASSERT_EQ(Run({"band", file, "--type", "1", "--band", "1"}).exit, 0);
    const Snapshot fileBefore = Snapshot::Of(file);
    const Snapshot configBefore = Snapshot::Of(m_config);
    const Snapshot settingsBefore = Snapshot::Of(m_settings);
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"dump", file},
                                               {"--lang", "zh", "dump", file},
                                               {"options", file},
                                               {"config", "get", "Setup", "Type1"}}) {
        EXPECT_EQ(Run(args).exit, 0);
    }
    EXPECT_EQ(Snapshot::Of(file), fileBefore);
    EXPECT_EQ(Snapshot::Of(m_config), configBefore);
    EXPECT_EQ(Snapshot::Of(m_settings), settingsBefore);

    // A missing configuration means defaults; it is not created by reading it.
    const std::string absent = Path("absent.ini");
    const Result r = RunRaw({"--config", absent, "config", "get", "Setup", "AppName"});
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.out, "\n");
    EXPECT_FALSE(Snapshot::Of(absent).exists);
}

TEST_F(RadioprogTest, ListingThatCannotBeWrittenIsNotASuccess) {
    const std::string file = NewFile("a.dat");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"dump", file}, {"options", file}, {"config", "get", "Setup", "AppName"}}) {
        QProcess p;
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        QStringList list = {QStringLiteral("--config"), QString::fromStdString(m_config)};
        for (const auto& a : args) list << QString::fromStdString(a);
        p.start(QStringLiteral(RADIO_BIN_DIR "/radioprog"), list);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 1) << args[0];
    }
}

TEST_F(RadioprogTest, ConfigGetReadsAsTheProgramDoes) {
    // The Chinese section in GBK, as older installations wrote it.
    QStringEncoder gbk("GBK");
    ASSERT_TRUE(gbk.isValid());
    const QByteArray chinese = gbk.encode(QStringLiteral("对讲机"));
    WriteFile(m_config, "[setup]\nappname = TestProg // note\nShowLang=1\n[Chinese]\nCompany=" +
                            chinese.toStdString() + "\n");
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Setup", "AppName", "TestProg "}, {"SETUP", "showlang", "1"},
        {"Chinese", "Company", "对讲机"},  {"Setup", "Missing", ""},
        {"Nowhere", "AppName", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const Result r = Run({"config", "get", c.section, c.key});
        EXPECT_EQ(r.exit, 0);
        EXPECT_EQ(r.out, std::string(c.value) + "\n");
    }
}

TEST_F(RadioprogTest, DefaultsComeFromBesideTheExecutableAndTheUsersFolder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString xdg = m_dir.filePath(QStringLiteral("xdg"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), xdg);
    const std::string file = Path("a.dat");
    ASSERT_EQ(RunRaw({"new", file}, env).exit, 0);

    Result r = RunRaw({"config", "get", "Setup", "AppName"}, env);
    EXPECT_EQ(r.out, "RadioProgrammer\n");  // the sample Program.ini copied beside radioprog

    r = RunRaw({"band", file, "--type", "0", "--band", "1"}, env);
    ASSERT_EQ(r.exit, 0) << r.err;
    FileSettingsStore store(
        QDir(xdg).filePath(QStringLiteral("RadioProgrammer.ini")).toStdString());
    EXPECT_EQ(store.GetInt("Field"), std::optional<std::uint32_t>(1));
}

TEST_F(RadioprogTest, DiffPrintsExactlyTheEditsMade) {
    const std::string demo = RADIO_RESOURCES "/demo.dat";
    const std::string copy = Path("copy.dat");
    WriteFile(copy, ReadFile(demo));
    // Three edits: channel 8's Tx Tone, channel 1's name, and one option.
    ASSERT_EQ(Run({"set", copy, "9", "4", "None", "2", "9", "HOME"}).exit, 0);
    ASSERT_EQ(Run({"option", copy, "Squelch Level=5"}).exit, 0);

    const struct {
        std::vector<std::string> args;
        int exit;
        std::vector<std::string> lines;
    } cases[] = {
        {{"diff", demo, copy},
         1,
         {"1  Cha Name  SMPLX1 -> HOME", "8  Tx Tone  88.5 -> None",
          "option  Squelch Level  3 -> 5"}},
        {{"diff", copy, demo},
         1,
         {"1  Cha Name  HOME -> SMPLX1", "8  Tx Tone  None -> 88.5",
          "option  Squelch Level  5 -> 3"}},
        {{"--lang", "zh", "diff", demo, copy},
         1,
         {"1  信道名字  SMPLX1 -> HOME", "8  发射信令  88.5 -> 无", "option  静噪电平  3 -> 5"}},
        {{"diff", demo, demo}, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const Result r = Run(c.args);
        EXPECT_EQ(r.exit, c.exit) << r.err;
        EXPECT_EQ(Lines(r.out), c.lines);
    }
    EXPECT_EQ(Run({"diff", demo, Path("missing.dat")}).exit, 2);
    EXPECT_EQ(Run({"diff", demo}).exit, 2);
}

TEST_F(RadioprogTest, CheckPrintsTheFindingsOfAFile) {
    const std::string demoBytes = ReadFile(RADIO_RESOURCES "/demo.dat");
    std::string broken = demoBytes;
    broken[5 * 16] = '\x7A';  // record 5: a frequency byte no frequency has
    WriteFile(Path("broken.dat"), broken);
    const struct {
        std::string file;
        int exit;
        std::vector<std::string> lines;
    } cases[] = {
        {RADIO_RESOURCES "/demo.dat", 0, {}},
        {Path("broken.dat"),
         1,
         {"error: channel 5, Rx Frequency: the bytes 7A 00 48 14 are not a frequency the grid "
          "can show"}},
        {NewFile("blank.dat"),
         1,
         {"warning: option Pri-Scanning Time: 0x1FE8 holds 255 (0xFF), a value the radio's list "
          "(3s, 5s, 8s, 10s) does not hold; Option Features shows \"3s\" but the printed option "
          "sheet \"10s\": the two read the byte differently",
          "warning: the image holds no channels: writing it leaves the radio with none"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Result r = Run({"check", c.file});
        EXPECT_EQ(r.exit, c.exit) << r.err;
        EXPECT_EQ(Lines(r.out), c.lines);
    }
    EXPECT_EQ(Run({"check", Path("missing.dat")}).exit, 2);
    EXPECT_EQ(Run({"check"}).exit, 2);

    // Options outside their lists: one warning each, naming the option.
    std::string options = demoBytes;
    options[0x1FC1] = 12;
    options[0x1FE0] = 9;
    options[0x1FE8] = '\xFF';
    WriteFile(Path("options.dat"), options);
    const Result r = Run({"check", Path("options.dat")});
    EXPECT_EQ(r.exit, 1);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 3u) << r.out;
    EXPECT_TRUE(lines[0].starts_with("warning: option Squelch Level: 0x1FC1 holds 12")) << lines[0];
    EXPECT_TRUE(lines[1].starts_with("warning: option Pri-Scanning Time: 0x1FE8 holds 255"))
        << lines[1];
    EXPECT_TRUE(lines[2].starts_with("warning: option Step: 0x1FE0 holds 9")) << lines[2];
}

TEST(RadioprogInProcess, HelpVersionAndGlobalOptionForms) {
    const struct {
        std::vector<std::string> args;
        int exit;
        const char* out;
    } cases[] = {
        {{"--help"}, 0, "usage: radioprog"},
        {{"--version"}, 0, "radioprog "},
        {{"dump", "--help"}, 0, "usage: radioprog dump FILE"},
        {{"--lang=zh", "--config=/nonexistent/Program.ini", "config", "get", "Setup", "X"},
         0,
         "\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> storage = {"radioprog"};
        storage.insert(storage.end(), c.args.begin(), c.args.end());
        std::vector<char*> argv;
        for (auto& s : storage) argv.push_back(s.data());
        std::ostringstream out, err;
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(cli::RunCli(static_cast<int>(argv.size()), argv.data(), out, err), c.exit);
        EXPECT_TRUE(out.str().starts_with(c.out)) << out.str();
    }
    // Every subcommand is listed in the help.
    std::vector<std::string> storage = {"radioprog", "--help"};
    char* argv[] = {storage[0].data(), storage[1].data()};
    std::ostringstream out, err;
    cli::RunCli(2, argv, out, err);
    for (const auto& c : cli::Commands()) {
        EXPECT_NE(out.str().find(std::string("  ") + c.name + " "), std::string::npos) << c.name;
    }
}

// The manual page and the shell completion offer every subcommand radioprog has.
TEST(RadioprogDocs, ManualPageAndCompletionKnowEveryCommand) {
    const auto slurp = [](const char* path) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    const std::string man = slurp(RADIO_RESOURCES "/linux/radioprog.1");
    const std::string completion = slurp(RADIO_RESOURCES "/linux/radioprog.bash-completion");
    ASSERT_FALSE(man.empty());
    ASSERT_FALSE(completion.empty());
    const auto list = completion.find("local commands=\"");
    ASSERT_NE(list, std::string::npos);
    std::istringstream offered(
        completion.substr(list + 16, completion.find('"', list + 16) - list - 16));
    std::set<std::string> inCompletion{std::istream_iterator<std::string>(offered), {}};
    std::set<std::string> commands;
    for (const cli::Command& c : cli::Commands()) {
        commands.insert(c.name);
        const bool documented = man.find(std::string(".BI ") + c.name) != std::string::npos ||
                                man.find(std::string(".BR ") + c.name) != std::string::npos ||
                                man.find(std::string(".B ") + c.name + "\n") != std::string::npos ||
                                man.find(std::string(".BI \"") + c.name) != std::string::npos;
        EXPECT_TRUE(documented) << c.name << " has no entry in radioprog.1";
    }
    EXPECT_EQ(inCompletion, commands);
}

}  // namespace
}  // namespace radio
