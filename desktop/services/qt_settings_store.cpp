#include "desktop/services/qt_settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "qt/config_text.h"

namespace {

QString Key(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

QtSettingsStore::QtSettingsStore(const std::string& appNameBytes) {
#ifdef Q_OS_WIN
    std::string appName = appNameBytes;
    m_location =
        QStringLiteral("HKEY_CURRENT_USER\\") + radio::ConfigText(radio::SettingsKeyName(appName));
    m_registry = std::make_unique<QSettings>(m_location, QSettings::NativeFormat);
#else
    m_location = radio::SettingsFilePath(appNameBytes);
    QDir().mkpath(QFileInfo(m_location).absolutePath());
    m_file =
        std::make_unique<radio::FileSettingsStore>(QFile::encodeName(m_location).toStdString());
#endif
}

std::unique_ptr<QtSettingsStore> QtSettingsStore::AtFile(const QString& path) {
    std::unique_ptr<QtSettingsStore> store(new QtSettingsStore());
    store->m_location = path;
    store->m_file =
        std::make_unique<radio::FileSettingsStore>(QFile::encodeName(path).toStdString());
    return store;
}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::uint32_t> QtSettingsStore::GetInt(std::string_view name) const {
    if (m_file) return m_file->GetInt(name);
    const QVariant v = m_registry->value(Key(name));
    if (!v.isValid()) return std::nullopt;
    bool ok = false;
    const uint value = v.toUInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

void QtSettingsStore::SetInt(std::string_view name, std::uint32_t value) {
    if (m_file) return m_file->SetInt(name, value);
    // A 32-bit integer variant becomes a REG_DWORD.
    m_registry->setValue(Key(name), QVariant::fromValue<quint32>(value));
    m_registry->sync();
}

std::optional<std::string> QtSettingsStore::GetText(std::string_view name) const {
    if (m_file) return m_file->GetText(name);
    const QVariant v = m_registry->value(Key(name));
    if (!v.isValid()) return std::nullopt;
    return v.toString().toStdString();
}

void QtSettingsStore::SetText(std::string_view name, std::string_view value) {
    if (m_file) return m_file->SetText(name, value);
    m_registry->setValue(Key(name),
                         QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    m_registry->sync();
}
