#include "core/config/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/temp_dir.h"

namespace radio {
namespace {

struct LookupCase {
    const char* name;
    const char* text;
    bool caseInsensitive;
    const char* section;
    const char* key;
    const char* expected;  // "<default>" when the lookup must fall back
};

class IniLookup : public testing::TestWithParam<LookupCase> {};

TEST_P(IniLookup, FindsTheValueARealFileWouldGive) {
    const LookupCase& c = GetParam();
    CIniFile ini;
    ini.LoadFromText(c.text, c.caseInsensitive);
    EXPECT_EQ(ini.GetValue(c.section, c.key, "<default>"), c.expected);
}

const LookupCase kLookups[] = {
    {"SpacesAroundEquals", "[Setup]\nLanguage = Chinese\n", true, "Setup", "Language", "Chinese"},
    {"NoSpaces", "[Setup]\nLanguage=Chinese\n", true, "Setup", "Language", "Chinese"},
    {"AllWhiteSpaceKindsTrimmed", "[Setup]\n\v\t Language \f=\t Chinese \r\n", true, "Setup",
     "Language", "Chinese"},
    {"CaseInsensitiveNames", "[setup]\nlanguage=Chinese\n", true, "Setup", "Language", "Chinese"},
    {"CaseSensitiveNames", "[setup]\nlanguage=Chinese\n", false, "Setup", "Language", "<default>"},
    {"SlashSlashCutKeepsSpace", "[S]\nk=English // note\n", true, "S", "k", "English "},
    {"TabSemicolonCut", "[S]\nk=Chinese\t;note\n", true, "S", "k", "Chinese"},
    {"SpaceSemicolonKept", "[S]\nk=Chinese ;note\n", true, "S", "k", "Chinese ;note"},
    {"SlashSlashInsideAddress", "[S]\nk=http://example.org\n", true, "S", "k", "http:"},
    {"SlashStarCut", "[S]\nk=abc/*x*/\n", true, "S", "k", "abc"},
    {"EqualsInsideValue", "[S]\nk=a=b\n", true, "S", "k", "a=b"},
    {"LineWithoutEqualsIsKey", "[S]\nflag\n", true, "S", "flag", ""},
    {"RepeatedKeyLastWins", "[S]\nk=1\nk=2\n", true, "S", "K", "2"},
    {"RepeatedSectionFirstWins", "[S]\nk=1\n[S]\nk=2\n", true, "S", "k", "1"},
    {"RepeatedSectionOnlyFirstSearched", "[S]\na=1\n[S]\nb=2\n", true, "S", "b", "<default>"},
    {"KeysBeforeHeaderInNamelessSection", "k=top\n[S]\nk=in\n", true, "", "k", "top"},
    {"EmptyHeaderShadowedByNameless", "k=1\n[]\nk=2\n", true, "", "k", "1"},
    {"HeaderSpacesKept", "[ Setup ]\nk=1\n", true, " Setup ", "k", "1"},
    {"HeaderSpacesNotIgnored", "[ Setup ]\nk=1\n", true, "Setup", "k", "<default>"},
    {"HeaderWithCommentIsAKey", "[A]\nk=1\n[B] ;c\nk=2\n", true, "A", "k", "2"},
    {"HeaderWithCommentKeyKept", "[A]\n[B] ;c\n", true, "A", "[B] ;c", ""},
    {"SemicolonCommentIgnored", "[S]\n;k=1\n", true, "S", ";k", "<default>"},
    {"SlashCommentIgnored", "[S]\n/k=1\n", true, "S", "/k", "<default>"},
    {"BackslashCommentIgnored", "[S]\n\\k=1\n", true, "S", "\\k", "<default>"},
    {"StarCommentIgnored", "[S]\n*k=1\n", true, "S", "*k", "<default>"},
    {"EmptyKeyIgnored", "[S]\n=v\n", true, "S", "", "<default>"},
    {"LastLineWithoutNewline", "[S]\nk=v", true, "S", "k", "v"},
    {"MissingSection", "[S]\nk=v\n", true, "T", "k", "<default>"},
    {"Utf8BomDoesNotHideHeader", "\xEF\xBB\xBF[Setup]\nk=v\n", true, "Setup", "k", "v"},
    {"Utf8ValueUnchanged", "[English]\nName=对讲机\n", true, "english", "name", "对讲机"},
};

INSTANTIATE_TEST_SUITE_P(Cases, IniLookup, testing::ValuesIn(kLookups),
                         [](const auto& info) { return std::string(info.param.name); });

struct SetCase {
    const char* name;
    bool caseInsensitive;
    const char* section;
    const char* key;
    const char* value;
    bool dirty;
    const char* written;  // the whole text Save would write afterwards
};

class IniSet : public testing::TestWithParam<SetCase> {};

constexpr const char* kSetBase = "; comment\ntop=0\n\n[S]\nk=Old\nk=Second\n[S]\nk=Third\n";

TEST_P(IniSet, ChangesOnlyWhatItMustAndMarksDirtyOnlyOnRealChange) {
    const SetCase& c = GetParam();
    CIniFile ini;
    ini.LoadFromText(kSetBase, c.caseInsensitive);
    ini.SetValue(c.section, c.key, c.value);
    EXPECT_EQ(ini.dirty(), c.dirty);
    EXPECT_EQ(ini.Serialize(), NativeLines(c.written));
}

const SetCase kSets[] = {
    {"SameValue", true, "S", "k", "Second", false, "top=0\n[S]\nk=Old\nk=Second\n[S]\nk=Third\n"},
    {"OnlyCaseDiffersInsensitive", true, "s", "K", "SECOND", false,
     "top=0\n[S]\nk=Old\nk=SECOND\n[S]\nk=Third\n"},
    {"OnlyCaseDiffersSensitive", false, "S", "k", "SECOND", true,
     "top=0\n[S]\nk=Old\nk=SECOND\n[S]\nk=Third\n"},
    {"ReplacesLastOfRepeatedKeysInFirstSection", true, "S", "k", "New", true,
     "top=0\n[S]\nk=Old\nk=New\n[S]\nk=Third\n"},
    {"NewKeyIsLastOfItsSection", true, "S", "n", "1", true,
     "top=0\n[S]\nk=Old\nk=Second\nn=1\n[S]\nk=Third\n"},
    {"NewSectionAppended", true, "T", "a", "b", true,
     "top=0\n[S]\nk=Old\nk=Second\n[S]\nk=Third\n[T]\na=b\n"},
    {"NamelessSection", true, "", "top", "1", true, "top=1\n[S]\nk=Old\nk=Second\n[S]\nk=Third\n"},
    {"EmptyKeyWrittenWithoutEquals", true, "T", "", "v", true,
     "top=0\n[S]\nk=Old\nk=Second\n[S]\nk=Third\n[T]\nv\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, IniSet, testing::ValuesIn(kSets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IniFile, SetValueWithoutLoadedFileDoesNothing) {
    CIniFile ini;
    ini.SetValue("S", "k", "v");
    EXPECT_FALSE(ini.dirty());
    EXPECT_EQ(ini.GetValue("S", "k", "d"), "d");
    EXPECT_EQ(ini.Serialize(), "");
}

TEST(IniFile, TextWithoutFileSavesNothingAndSucceeds) {
    CIniFile ini;
    ini.LoadFromText("[S]\nk=v\n", true);
    ini.SetValue("S", "k", "w");
    EXPECT_TRUE(ini.Save().ok);
    EXPECT_EQ(ini.GetValue("S", "k"), "w");
}

TEST(IniFile, BomIsKeptOnSave) {
    CIniFile ini;
    ini.LoadFromText("\xEF\xBB\xBF[S]\nk=v\n", true);
    EXPECT_EQ(ini.Serialize(), NativeLines("\xEF\xBB\xBF[S]\nk=v\n"));
}

class IniFileOnDisk : public testing::Test {
  protected:
    TempDir dir;
    std::string path = dir.File("Program.ini");
};

TEST_F(IniFileOnDisk, MissingFileIsCreatedEmpty) {
    CIniFile ini;
    ASSERT_TRUE(ini.Open(path, false, true));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    EXPECT_EQ(ini.GetValue("Setup", "Language", "none"), "none");
}

TEST_F(IniFileOnDisk, UnreadablePathFailsAndIgnoresChanges) {
    CIniFile ini;
    EXPECT_FALSE(ini.Open(dir.path(), true, true));  // a folder, not a file
    ini.SetValue("S", "k", "v");
    EXPECT_FALSE(ini.dirty());
}

TEST_F(IniFileOnDisk, UnchangedFileIsNeverRewritten) {
    WriteBytes(path, "; keep me\n[S]\nk=v\n");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Open(path, true, true));
        ini.SetValue("S", "K", "V");  // differs only in case
        EXPECT_TRUE(ini.Save().ok);
    }
    EXPECT_EQ(ReadBytes(path), "; keep me\n[S]\nk=v\n");
}

TEST_F(IniFileOnDisk, DestructorSavesWholeFileWithoutOldTail) {
    // Far longer than the result, so an in-place rewrite would leave old text behind.
    std::string original = "[Setup]\nLanguage=English\n";
    for (int i = 0; i < 50; ++i) original += "; a long comment line that is not written back\n";
    WriteBytes(path, original);
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Open(path, true, true));
        ini.SetValue("setup", "language", "Chinese");
    }
    EXPECT_EQ(ReadBytes(path), NativeLines("[Setup]\nLanguage=Chinese\n"));
    EXPECT_EQ(DirEntries(dir.path()), 1u) << "temporary file left behind";
}

TEST_F(IniFileOnDisk, NoSaveOnCloseKeepsFile) {
    WriteBytes(path, "[S]\nk=v\n");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Open(path, false, true));
        ini.SetValue("S", "k", "changed");
    }
    EXPECT_EQ(ReadBytes(path), "[S]\nk=v\n");
}

TEST_F(IniFileOnDisk, FailedSaveIsReportedAndStaysDirty) {
    WriteBytes(path, "[S]\nk=v\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Open(path, false, true));
    ini.SetValue("S", "k", "w");
    // The folder is replaced by a plain file, so nothing can be written under it.
    std::filesystem::remove_all(dir.path());
    WriteBytes(dir.path(), "not a folder");
    const Status st = ini.Save();
    EXPECT_FALSE(st.ok);
    EXPECT_FALSE(st.message.empty());
    EXPECT_TRUE(ini.dirty());
    std::filesystem::remove(dir.path());
}

TEST_F(IniFileOnDisk, ReopenReadsWhatWasSaved) {
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Open(path, true, true));
        ini.SetValue("Setup", "Language", "Chinese");
        ini.SetValue("Chinese", "AppName", "对讲机");
    }
    CIniFile again;
    ASSERT_TRUE(again.Open(path, false, true));
    EXPECT_EQ(again.GetValue("SETUP", "language"), "Chinese");
    EXPECT_EQ(again.GetValue("Chinese", "AppName"), "对讲机");
}

TEST_F(IniFileOnDisk, SaveToWritesTheUserCopyAndLeavesTheOriginal) {
    WriteBytes(path, "[Setup]\nLanguage=English\n[English]\nCompany=Shipped\n");
    const std::string copy = dir.File("user/radio-programmer/Program.ini");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Open(path, true, true));
        ini.SaveTo(copy);
        EXPECT_TRUE(ini.Save().ok) << "nothing changed: nothing to write";
        EXPECT_FALSE(std::filesystem::exists(copy));
        ini.SetValue("Setup", "Language", "Chinese");
        ASSERT_TRUE(ini.Save().ok);  // creates the missing folders
    }
    EXPECT_EQ(ReadBytes(path), "[Setup]\nLanguage=English\n[English]\nCompany=Shipped\n");
    EXPECT_EQ(ReadBytes(copy),
              NativeLines("[Setup]\nLanguage=Chinese\n[English]\nCompany=Shipped\n"));
}

}  // namespace
}  // namespace radio
