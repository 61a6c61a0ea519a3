#include "qt/config_text.h"

#include <gtest/gtest.h>

#include <QStandardPaths>
#include <QStringEncoder>

namespace radio {
namespace {

TEST(ConfigText, Utf8WhenValidElseGbk) {
    QStringEncoder gbk("GBK");
    ASSERT_TRUE(gbk.isValid());
    const QString chinese = QStringLiteral("对讲机编程软件");
    const QByteArray gbkBytes = gbk.encode(chinese);
    const QByteArray utf8Bytes = chinese.toUtf8();
    ASSERT_NE(gbkBytes, utf8Bytes);

    const struct {
        std::string bytes;
        QString text;
    } cases[] = {
        {"", QString()},
        {"Radio Programmer", QStringLiteral("Radio Programmer")},
        {utf8Bytes.toStdString(), chinese},
        {gbkBytes.toStdString(), chinese},
        {"Type:" + gbkBytes.toStdString() + " 136-174MHz",
         QStringLiteral("Type:") + chinese + QStringLiteral(" 136-174MHz")},
    };
    for (const auto& c : cases) EXPECT_EQ(ConfigText(c.bytes), c.text);
}

TEST(SettingsFilePath, NamedAfterAppNameInTheUsersFolder) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const struct {
        std::string appName;
        QString file;
    } cases[] = {
        {"Radio Programmer", QStringLiteral("Radio Programmer.ini")},
        {"", QStringLiteral("RadioProgrammer.ini")},
        {"  ", QStringLiteral("RadioProgrammer.ini")},
        {"../evil", QStringLiteral("RadioProgrammer.ini")},
        {"a\\b", QStringLiteral("RadioProgrammer.ini")},
        {"..", QStringLiteral("RadioProgrammer.ini")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SettingsFilePath(c.appName), folder + QLatin1Char('/') + c.file) << c.appName;
    }
}

}  // namespace
}  // namespace radio
