#include <gtest/gtest.h>

#include <string>

#include "core/config/ini_file.h"
#include "tests/support/temp_dir.h"

namespace radio {
namespace {

// GBK bytes of the characters used below. Their trail bytes look like ASCII:
// 癩 = B0 5D (']'), 碅 = B4 41 ('A'), 碼 = B4 61 ('a'), 礬 = B5 5C ('\').
#define XINGHAO "\xD0\xCD\xBA\xC5" /* 型号 */
#define LAI "\xB0\x5D"
#define UPPER_A "\xB4\x41"
#define LOWER_A "\xB4\x61"
#define FAN "\xB5\x5C"

// As an older Chinese installation writes it: GBK with CR LF line ends. The third line
// ends in a trail byte that is no closing bracket.
// clang-format off
constexpr const char* kGbkIni =
    "[Setup]\r\n"
    "Language=Chinese\r\n"
    "[" XINGHAO LAI "\r\n"
    "Type1=" XINGHAO "A\r\n"
    "[" XINGHAO LAI "]\r\n"
    UPPER_A "=upper\r\n"
    FAN "=" FAN "\r\n";
// clang-format on

class GbkIni : public testing::Test {
  protected:
    void SetUp() override {
        WriteBytes(path, kGbkIni);
        ASSERT_TRUE(ini.Open(path, false, true));
    }
    TempDir dir;
    std::string path = dir.File("Program.ini");
    CIniFile ini;
};

TEST_F(GbkIni, IsRecognisedAsGbk) { EXPECT_TRUE(ini.isGbk()); }

TEST_F(GbkIni, TrailByteIsNotAClosingBracket) {
    EXPECT_EQ(ini.GetValue("Setup", "Type1"), XINGHAO "A");
    EXPECT_EQ(ini.GetValue("Setup", "[" XINGHAO LAI, "<none>"), "");
}

TEST_F(GbkIni, SectionNamedWithDoubleByteCharacters) {
    EXPECT_EQ(ini.GetValue(XINGHAO LAI, UPPER_A), "upper");
    EXPECT_EQ(ini.GetValue(XINGHAO LAI, FAN), FAN);
}

TEST_F(GbkIni, TrailBytesAreNeverCaseFolded) {
    EXPECT_EQ(ini.GetValue(XINGHAO LAI, LOWER_A, "<none>"), "<none>");
    EXPECT_EQ(ini.GetValue("SETUP", "language"), "Chinese");  // ASCII still folds
}

TEST_F(GbkIni, SavedBytesStayGbk) {
    ini.SetValue(XINGHAO LAI, LOWER_A, "lower");
    ini.SetValue("Setup", "Language", "English");
    ASSERT_TRUE(ini.Save().ok);
    // Only the changed and the new line differ; the file keeps its CR LF line ends.
    // clang-format off
    EXPECT_EQ(ReadBytes(path),
              "[Setup]\r\n"
              "Language=English\r\n"
              "[" XINGHAO LAI "\r\n"
              "Type1=" XINGHAO "A\r\n"
              "[" XINGHAO LAI "]\r\n"
              UPPER_A "=upper\r\n"
              FAN "=" FAN "\r\n"
              LOWER_A "=lower\r\n");
    // clang-format on
}

TEST(IniEncoding, ValidUtf8IsNotGbk) {
    CIniFile ini;
    ini.LoadFromText("[Chinese]\nAppName=对讲机编程软件\n", true);
    EXPECT_FALSE(ini.isGbk());
    EXPECT_EQ(ini.GetValue("chinese", "appname"), "对讲机编程软件");
}

}  // namespace
}  // namespace radio
