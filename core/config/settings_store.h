#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/config/ini_file.h"
#include "core/image/status.h"

namespace radio {

// Where the user's choices outlive the program: "Type", "Field" (band settings) and "com"
// (serial port) as 32-bit integers, plus text values for ports that have no COM number.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::uint32_t> GetInt(std::string_view name) const = 0;
    virtual void SetInt(std::string_view name, std::uint32_t value) = 0;
    virtual std::optional<std::string> GetText(std::string_view name) const = 0;
    virtual void SetText(std::string_view name, std::string_view value) = 0;
};

// In memory, for tests.
class MemorySettingsStore : public SettingsStore {
  public:
    std::optional<std::uint32_t> GetInt(std::string_view name) const override;
    void SetInt(std::string_view name, std::uint32_t value) override;
    std::optional<std::string> GetText(std::string_view name) const override;
    void SetText(std::string_view name, std::string_view value) override;

  private:
    std::map<std::string, std::string, std::less<>> m_values;
};

// A small key=value file, written atomically on every change. It is the user's text too:
// written by the INI writer of Program.ini, so comments, blank lines and section headers stay
// and a change rewrites only its key's line. Keys are read from anywhere in the file (the
// last one wins); new keys go to the top, before any section.
class FileSettingsStore : public SettingsStore {
  public:
    explicit FileSettingsStore(std::string path);
    std::optional<std::uint32_t> GetInt(std::string_view name) const override;
    void SetInt(std::string_view name, std::uint32_t value) override;
    std::optional<std::string> GetText(std::string_view name) const override;
    void SetText(std::string_view name, std::string_view value) override;
    // The outcome of the last write (a read-only folder, a full disk, a value the file cannot
    // hold).
    const Status& lastWrite() const { return m_lastWrite; }
    // Why the file could not be read, when it exists and could not (its values then read as
    // missing, and a write is refused rather than replacing what could not be read).
    const Status& loaded() const { return m_loaded; }

  private:
    // The section holding `name` (its last occurrence), or "" when none does.
    std::string SectionOf(std::string_view name) const;
    void Set(std::string_view name, std::string_view value);
    std::string m_path;
    CIniFile m_ini;
    Status m_loaded;
    Status m_lastWrite;
};

// Name of the settings key: "Software\<AppName>", never "Software\" alone.
inline constexpr std::string_view kDefaultAppName = "RadioProgrammer";
std::string SettingsKeyName(std::string_view appName);

}  // namespace radio
