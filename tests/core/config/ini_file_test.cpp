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
    {"OldMacLineEnds", "[Setup]\rLanguage=Chinese\rShowLang=1\r", true, "Setup", "ShowLang", "1"},
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
    bool stored;  // SetValue's answer
    bool dirty;
    const char* written;  // the whole text Save would write afterwards
};

class IniSet : public testing::TestWithParam<SetCase> {};

constexpr const char* kSetBase = "; comment\ntop=0\n\n[S]\nk=Old\nk=Second\n[S]\nk=Third\n";

TEST_P(IniSet, ChangesOnlyWhatItMustAndMarksDirtyOnlyOnRealChange) {
    const SetCase& c = GetParam();
    CIniFile ini;
    ini.LoadFromText(kSetBase, c.caseInsensitive);
    EXPECT_EQ(ini.SetValue(c.section, c.key, c.value), c.stored);
    EXPECT_EQ(ini.dirty(), c.dirty);
    EXPECT_EQ(ini.Serialize(), c.written);
}

const SetCase kSets[] = {
    {"SameValue", true, "S", "k", "Second", true, false, kSetBase},
    {"OnlyCaseDiffersInsensitive", true, "s", "K", "SECOND", true, false,
     "; comment\ntop=0\n\n[S]\nk=Old\nk=SECOND\n[S]\nk=Third\n"},
    {"OnlyCaseDiffersSensitive", false, "S", "k", "SECOND", true, true,
     "; comment\ntop=0\n\n[S]\nk=Old\nk=SECOND\n[S]\nk=Third\n"},
    {"ReplacesLastOfRepeatedKeysInFirstSection", true, "S", "k", "New", true, true,
     "; comment\ntop=0\n\n[S]\nk=Old\nk=New\n[S]\nk=Third\n"},
    {"NewKeyIsLastOfItsSection", true, "S", "n", "1", true, true,
     "; comment\ntop=0\n\n[S]\nk=Old\nk=Second\nn=1\n[S]\nk=Third\n"},
    {"NewSectionAppended", true, "T", "a", "b", true, true,
     "; comment\ntop=0\n\n[S]\nk=Old\nk=Second\n[S]\nk=Third\n[T]\na=b\n"},
    {"NamelessSection", true, "", "top", "1", true, true,
     "; comment\ntop=1\n\n[S]\nk=Old\nk=Second\n[S]\nk=Third\n"},
    // Changes that would read back as something else are refused and change nothing.
    {"EmptyKeyRefused", true, "T", "", "v", false, false, kSetBase},
    {"KeyWithEqualsRefused", true, "S", "a=b", "v", false, false, kSetBase},
    {"CommentKeyRefused", true, "S", ";k", "v", false, false, kSetBase},
    {"KeyWithBlanksRefused", true, "S", " k2", "v", false, false, kSetBase},
    {"ValueWithLeadingBlankRefused", true, "S", "k", " v", false, false, kSetBase},
    {"ValueWithLineBreakRefused", true, "S", "k", "v\nw=1", false, false, kSetBase},
    {"LineThatReadsAsHeaderRefused", true, "S", "[x", "y]", false, false, kSetBase},
    {"SectionWithLineBreakRefused", true, "T\n[S", "k", "v", false, false, kSetBase},
};

INSTANTIATE_TEST_SUITE_P(Cases, IniSet, testing::ValuesIn(kSets),
                         [](const auto& info) { return std::string(info.param.name); });

struct KeepCase {
    const char* name;
    const char* text;
    const char* section;
    const char* key;
    const char* value;
    const char* written;
};

class IniKeepsText : public testing::TestWithParam<KeepCase> {};

// The user's file comes back as it was but for the one change, and reads back the same.
TEST_P(IniKeepsText, WritesOnlyTheChange) {
    const KeepCase& c = GetParam();
    CIniFile ini;
    ini.LoadFromText(c.text, true);
    ASSERT_TRUE(ini.SetValue(c.section, c.key, c.value));
    EXPECT_EQ(ini.Serialize(), c.written);

    CIniFile reread;
    reread.LoadFromText(ini.Serialize(), true);
    ASSERT_EQ(reread.Entries(), ini.Entries());
    for (const auto& [section, key] : ini.Entries())
        EXPECT_EQ(reread.GetValue(section, key, "<none>"), ini.GetValue(section, key, "<none>"))
            << section << "/" << key;
    EXPECT_EQ(reread.GetValue(c.section, c.key), c.value);
}

const KeepCase kKeeps[] = {
    {"CommentsAndBlankLines", "; head\n\n[Setup]\n; the language\nLanguage=English\n\n; end\n",
     "Setup", "Language", "Chinese",
     "; head\n\n[Setup]\n; the language\nLanguage=Chinese\n\n; end\n"},
    {"SpacingAroundEquals", "[Setup]\n  Language =  English  \n", "Setup", "Language", "Chinese",
     "[Setup]\n  Language =  Chinese\n"},
    {"CrLfLines", "[Setup]\r\nLanguage=English\r\n", "Setup", "ShowLang", "1",
     "[Setup]\r\nLanguage=English\r\nShowLang=1\r\n"},
    {"CrLfValue", "[Setup]\r\nLanguage=English\r\n", "Setup", "Language", "Chinese",
     "[Setup]\r\nLanguage=Chinese\r\n"},
    {"EmptyHeaderStaysAHeader", "k=1\n[A]\na=1\n[]\nb=2\n", "A", "a", "3",
     "k=1\n[A]\na=3\n[]\nb=2\n"},
    {"NewKeyAboveTrailingComments", "[A]\na=1\n\n; about B\n[B]\n", "A", "n", "2",
     "[A]\na=1\nn=2\n\n; about B\n[B]\n"},
    {"NewKeyInEmptySection", "[A]\n; nothing yet\n[B]\nb=1\n", "A", "a", "1",
     "[A]\na=1\n; nothing yet\n[B]\nb=1\n"},
    {"LastLineWithoutNewline", "[A]\na=1", "B", "b", "2", "[A]\na=1\n[B]\nb=2\n"},
    {"BomKeptAtTheStart", "\xEF\xBB\xBF; c\n[A]\na=1\n", "A", "a", "2",
     "\xEF\xBB\xBF; c\n[A]\na=2\n"},
    {"NoBomAdded", "; c\n[A]\na=1\n", "A", "a", "2", "; c\n[A]\na=2\n"},
    {"KeyOnlyLineGetsItsValue", "[A]\nflag\n", "A", "flag", "1", "[A]\nflag=1\n"},
    {"ValueWithInlineComment", "[A]\na=1 // old\n", "A", "a", "2", "[A]\na=2\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, IniKeepsText, testing::ValuesIn(kKeeps),
                         [](const auto& info) { return std::string(info.param.name); });

// Unchanged files are written back byte for byte, whatever odd lines they hold.
TEST(IniFile, UnchangedTextSerializesAsItWas) {
    for (const char* text :
         {"", "\n\n", "no newline", "[]\n[]\n=x\n;c\r\n  \t\n[A]\nk\n", "\xEF\xBB\xBF",
          "\xEF\xBB\xBF[A]\r\na=1", "x\xEF\xBB\xBF=1\n", "[\xB6\xD4]\n\xBD\xB2=\xBB\xFA\n"}) {
        CIniFile ini;
        ini.LoadFromText(text, true);
        EXPECT_EQ(ini.Serialize(), text);
    }
}

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
    // Longer before than after, so an in-place rewrite would leave old text behind.
    std::string comments;
    for (int i = 0; i < 50; ++i) comments += "; a long comment line that is written back\n";
    WriteBytes(path, "[Setup]\nLanguage=English-for-now\n" + comments);
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Open(path, true, true));
        EXPECT_TRUE(ini.SetValue("setup", "language", "Chinese"));
    }
    EXPECT_EQ(ReadBytes(path), "[Setup]\nLanguage=Chinese\n" + comments);
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

}  // namespace
}  // namespace radio
