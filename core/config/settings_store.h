#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

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

// A small key=value file, written atomically on every change (command-line tool).
class FileSettingsStore : public SettingsStore {
  public:
    explicit FileSettingsStore(std::string path);
    std::optional<std::uint32_t> GetInt(std::string_view name) const override;
    void SetInt(std::string_view name, std::uint32_t value) override;
    std::optional<std::string> GetText(std::string_view name) const override;
    void SetText(std::string_view name, std::string_view value) override;
    // The outcome of the last write (a read-only folder, a full disk).
    const Status& lastWrite() const { return m_lastWrite; }

  private:
    void Flush();
    std::string m_path;
    std::map<std::string, std::string, std::less<>> m_values;
    Status m_lastWrite;
};

// Name of the settings key: "Software\<AppName>", never "Software\" alone.
inline constexpr std::string_view kDefaultAppName = "RadioProgrammer";
std::string SettingsKeyName(std::string_view appName);

}  // namespace radio
