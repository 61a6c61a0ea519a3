#include "core/config/settings_store.h"

#include <filesystem>
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

// One value per line, so line breaks and the backslash itself are escaped; '=' too in names,
// where the first bare '=' ends the name.
std::string Escape(std::string_view s, bool isName) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '=':
                out += isName ? "\\=" : "=";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Splits one line at its first unescaped '=' and undoes the escapes. False when there is none.
bool ParseLine(std::string_view line, std::string& name, std::string& value) {
    std::string* target = &name;
    bool sawEquals = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            const char e = line[++i];
            *target += e == 'n' ? '\n' : e == 'r' ? '\r' : e;
        } else if (c == '=' && !sawEquals) {
            sawEquals = true;
            target = &value;
        } else {
            *target += c;
        }
    }
    return sawEquals;
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
    if (!std::filesystem::exists(m_path, ec)) return;
    std::string text;
    if (!ReadWholeFile(m_path, text)) return;  // unreadable: start empty, as missing values
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t eol = rest.find('\n');
        std::string_view line = rest.substr(0, eol);
        rest.remove_prefix(eol == std::string_view::npos ? rest.size() : eol + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string name, value;
        if (ParseLine(line, name, value)) m_values.insert_or_assign(std::move(name), value);
    }
}

std::optional<std::uint32_t> FileSettingsStore::GetInt(std::string_view name) const {
    const auto it = m_values.find(name);
    if (it == m_values.end()) return std::nullopt;
    return ParseUint32(it->second);
}

void FileSettingsStore::SetInt(std::string_view name, std::uint32_t value) {
    m_values.insert_or_assign(std::string(name), std::to_string(value));
    Flush();
}

std::optional<std::string> FileSettingsStore::GetText(std::string_view name) const {
    const auto it = m_values.find(name);
    if (it == m_values.end()) return std::nullopt;
    return it->second;
}

void FileSettingsStore::SetText(std::string_view name, std::string_view value) {
    m_values.insert_or_assign(std::string(name), std::string(value));
    Flush();
}

void FileSettingsStore::Flush() {
    std::string text;
    for (const auto& [name, value] : m_values) {
        text += Escape(name, true);
        text += '=';
        text += Escape(value, false);
        text += '\n';
    }
    m_lastWrite = WriteFileAtomically(m_path, text);
}

std::string SettingsKeyName(std::string_view appName) {
    // An empty name would address "Software\" itself, shared by every program.
    std::string key = "Software\\";
    key += appName.empty() ? kDefaultAppName : appName;
    return key;
}

}  // namespace radio
