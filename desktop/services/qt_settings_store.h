#pragma once

#include <memory>
#include <string>

#include <QString>

#include "core/config/settings_store.h"

class QSettings;

// The user's lasting choices ("Type", "Field", "com"). On Windows they live in the registry at
// HKEY_CURRENT_USER\Software\<AppName> as 32-bit integers; elsewhere in "<AppName>.ini" in the
// user's configuration folder, the same file the command-line tool uses.
class QtSettingsStore : public radio::SettingsStore {
  public:
    // `appNameBytes` is [Setup] AppName as read from Program.ini.
    explicit QtSettingsStore(const std::string& appNameBytes);
    // A settings file at an explicit path (--settings), on every platform.
    static std::unique_ptr<QtSettingsStore> AtFile(const QString& path);
    ~QtSettingsStore() override;

    std::optional<std::uint32_t> GetInt(std::string_view name) const override;
    void SetInt(std::string_view name, std::uint32_t value) override;
    std::optional<std::string> GetText(std::string_view name) const override;
    void SetText(std::string_view name, std::string_view value) override;

    // The registry key or the file the values go to.
    QString location() const { return m_location; }

  private:
    QtSettingsStore() = default;
    std::unique_ptr<QSettings> m_registry;             // Windows
    std::unique_ptr<radio::FileSettingsStore> m_file;  // elsewhere, or --settings
    QString m_location;
};
