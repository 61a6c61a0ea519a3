#include "core/config/settings_store.h"

#include <filesystem>
#include <limits>
#include <system_error>

#include "core/image/atomic_file.h"

namespace radio {
namespace {

// A 32-bit value is written as plain decimal digits; anything else is not a number.
std::optional<std::uint32_t> ParseUint32(std::string_view text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (v > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(v);
}

// One value per line, so line breaks and the backslash itself are escaped; so are tabs and
// blanks at either end, which the INI reader would trim.
std::string Escape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c == ' ' && (i == 0 || i + 1 == s.size()))
            out += "\\s";
        else
            out += c;
    }
    return out;
}

std::string Unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char e = s[++i];
            out += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e == 's' ? ' ' : e;
        } else {
            out += s[i];
        }
    }
    return out;
}

}  // namespace

std::optional<std::uint32_t> MemorySettingsStore::GetInt(std::string_view name) const {
    const auto it = m_values.find(name);
    if (it == m_values.end()) return std::nullopt;
    return ParseUint32(it->second);
}

void MemorySettingsStore::SetInt(std::string_view name, std::uint32_t value) {
    m_values.insert_or_assign(std::string(name), std::to_string(value));
}

std::optional<std::string> MemorySettingsStore::GetText(std::string_view name) const {
    const auto it = m_values.find(name);
    if (it == m_values.end()) return std::nullopt;
    return it->second;
}

void MemorySettingsStore::SetText(std::string_view name, std::string_view value) {
    m_values.insert_or_assign(std::string(name), std::string(value));
}

FileSettingsStore::FileSettingsStore(std::string path) : m_path(std::move(path)) {
    std::error_code ec;
    std::string text;
    if (std::filesystem::exists(m_path, ec)) {
        std::uintmax_t size = 0;
        m_loaded =
            ReadRegularFilePrefix(m_path, std::numeric_limits<std::size_t>::max(), text, size);
        if (!m_loaded) text.clear();
    }
    // Names are matched exactly, as they are written.
    m_ini.LoadFromText(text, false);
    m_ini.SaveTo(m_path);
}

std::string FileSettingsStore::SectionOf(std::string_view name) const {
    std::string section;
    for (const auto& [s, key] : m_ini.Entries()) {
        if (key == name) section = s;
    }
    return section;
}

std::optional<std::uint32_t> FileSettingsStore::GetInt(std::string_view name) const {
    const auto text = GetText(name);
    if (!text) return std::nullopt;
    return ParseUint32(*text);
}

void FileSettingsStore::SetInt(std::string_view name, std::uint32_t value) {
    Set(name, std::to_string(value));
}

std::optional<std::string> FileSettingsStore::GetText(std::string_view name) const {
    const auto raw = m_ini.GetRawValue(SectionOf(name), name);
    if (!raw) return std::nullopt;
    return Unescape(*raw);
}

void FileSettingsStore::SetText(std::string_view name, std::string_view value) {
    Set(name, Escape(value));
}

void FileSettingsStore::Set(std::string_view name, std::string_view value) {
    // A file that exists but could not be read is not replaced by one holding a single key.
    if (!m_loaded) {
        m_lastWrite = m_loaded;
        return;
    }
    if (!m_ini.SetValue(SectionOf(name), name, value)) {
        m_lastWrite =
            Status::Error("Cannot save '" + m_path + "': the value of " + std::string(name) +
                          " cannot be written so that it reads "
                          "back the same.");
        return;
    }
    m_lastWrite = m_ini.Save();
}

std::string SettingsKeyName(std::string_view appName) {
    // An empty name would address "Software\" itself, shared by every program.
    std::string key = "Software\\";
    key += appName.empty() ? kDefaultAppName : appName;
    return key;
}

}  // namespace radio
