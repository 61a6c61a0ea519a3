#include "qt/config_text.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringDecoder>

#include "core/config/settings_store.h"

namespace radio {

QString ConfigText(const std::string& bytes) {
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError()) return text;
    QStringDecoder gbk("GBK");
    if (!gbk.isValid()) return text;  // no GBK codec: keep the UTF-8 reading with replacements
    return gbk.decode(view);
}

QString SafeAppName(const std::string& appNameBytes) {
    QString name = ConfigText(appNameBytes).trimmed();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
        name = QString::fromUtf8(kDefaultAppName.data(),
                                 static_cast<qsizetype>(kDefaultAppName.size()));
    }
    return name;
}

QString SettingsFilePath(const std::string& appNameBytes) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(SafeAppName(appNameBytes) + QStringLiteral(".ini"));
}

}  // namespace radio
