#include "core/config/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "tests/support/temp_dir.h"

namespace radio {
namespace {

// Both stores must behave alike: the band settings and the port choice use either.
struct StoreKind {
    const char* name;
    std::function<std::unique_ptr<SettingsStore>(const std::string& path)> make;
};

class AnyStore : public testing::TestWithParam<StoreKind> {
  protected:
    TempDir dir;
    std::unique_ptr<SettingsStore> store = GetParam().make(dir.File("settings"));
};

TEST_P(AnyStore, MissingValuesAreAbsent) {
    EXPECT_FALSE(store->GetInt("Type").has_value());
    EXPECT_FALSE(store->GetText("com").has_value());
}

TEST_P(AnyStore, IntegersKeepAllThirtyTwoBits) {
    for (std::uint32_t v : {0u, 1u, 255u, 0x12345678u, 0xFFFFFFFFu}) {
        store->SetInt("Field", v);
        EXPECT_EQ(store->GetInt("Field"), v);
        EXPECT_EQ(store->GetText("Field"), std::to_string(v));
    }
}

TEST_P(AnyStore, TextThatIsNoNumberHasNoIntValue) {
    for (const char* text : {"", "abc", "12a", "-1", " 7", "4294967296", "99999999999"}) {
        store->SetText("com", text);
        EXPECT_FALSE(store->GetInt("com").has_value()) << text;
        EXPECT_EQ(store->GetText("com"), text);
    }
    store->SetText("com", "3");
    EXPECT_EQ(store->GetInt("com"), 3u);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, AnyStore,
    testing::Values(StoreKind{"Memory",
                              [](const std::string&) -> std::unique_ptr<SettingsStore> {
                                  return std::make_unique<MemorySettingsStore>();
                              }},
                    StoreKind{"File",
                              [](const std::string& p) -> std::unique_ptr<SettingsStore> {
                                  return std::make_unique<FileSettingsStore>(p);
                              }}),
    [](const auto& info) { return std::string(info.param.name); });

class FileStore : public testing::Test {
  protected:
    TempDir dir;
    std::string path = dir.File("settings");
};

TEST_F(FileStore, ValuesOutliveTheObject) {
    {
        FileSettingsStore store(path);
        EXPECT_FALSE(std::filesystem::exists(path)) << "nothing written before a change";
        store.SetInt("Type", 1);
        store.SetInt("Field", 2);
        store.SetText("port", "/dev/ttyUSB0");
        EXPECT_TRUE(store.lastWrite().ok);
    }
    EXPECT_EQ(ReadBytes(path), NativeLines("Type=1\nField=2\nport=/dev/ttyUSB0\n"));
    FileSettingsStore again(path);
    EXPECT_EQ(again.GetInt("Type"), 1u);
    EXPECT_EQ(again.GetInt("Field"), 2u);
    EXPECT_EQ(again.GetText("port"), "/dev/ttyUSB0");
}

TEST_F(FileStore, AwkwardTextsSurviveTheFile) {
    const std::string name = "com";
    const std::string value = " line1\nline2\r=\\n\t//; ";
    {
        FileSettingsStore store(path);
        store.SetText(name, value);
        store.SetInt("Type", 4);
    }
    FileSettingsStore again(path);
    EXPECT_EQ(again.GetText(name), value);
    EXPECT_EQ(again.GetInt("Type"), 4u);
}

TEST_F(FileStore, ReadsHandWrittenFile) {
    WriteBytes(path, "Type=7\r\nField=x\r\nnot a value line\ncom=2");
    FileSettingsStore store(path);
    EXPECT_EQ(store.GetInt("Type"), 7u);
    EXPECT_FALSE(store.GetInt("Field").has_value());
    EXPECT_EQ(store.GetInt("com"), 2u);
}

// The settings file is the user's text too: a change rewrites only its key's line, wherever
// that stands, and a new key goes on top, before any section.
TEST_F(FileStore, KeepsCommentsSectionsAndLineEnds) {
    const struct {
        const char* name;
        const char* before;
        const char* after;
    } cases[] = {
        {"key in a section", "; mine\r\n[radio]\r\nType=0\r\n\r\n; end\r\n",
         "; mine\r\n[radio]\r\nType=3\r\n\r\n; end\r\n"},
        {"new key", "; notes\n[other]\nx=1\n", "Type=3\n; notes\n[other]\nx=1\n"},
        {"old Mac line ends", "; a\rType=1\r", "; a\rType=3\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, c.before);
        FileSettingsStore store(path);
        store.SetInt("Type", 3);
        EXPECT_TRUE(store.lastWrite().ok) << store.lastWrite().message;
        EXPECT_EQ(ReadBytes(path), c.after);
    }
}

TEST_F(FileStore, FailedWriteIsReported) {
    WriteBytes(dir.File("plainfile"), "x");
    FileSettingsStore store(dir.File("plainfile") + "/settings");
    store.SetInt("Type", 1);
    EXPECT_FALSE(store.lastWrite().ok);
    EXPECT_EQ(store.GetInt("Type"), 1u);  // still known for this run
}

TEST(SettingsKeyName, NeverTheBareSoftwareKey) {
    EXPECT_EQ(SettingsKeyName("Radio Programmer"), "Software\\Radio Programmer");
    EXPECT_EQ(SettingsKeyName(""), std::string("Software\\") + std::string(kDefaultAppName));
}

}  // namespace
}  // namespace radio
