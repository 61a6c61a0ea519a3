#include "core/config/ini_file.h"

#include <cstdio>
#include <filesystem>
#include <limits>
#include <system_error>
#include <utility>

#include "core/image/atomic_file.h"

namespace radio {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

#ifdef _WIN32
constexpr std::string_view kLineEnd = "\r\n";
#else
constexpr std::string_view kLineEnd = "\n";
#endif

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t len = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0) lo = 0xA0;  // no overlong forms
            if (c == 0xED) hi = 0x9F;  // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (i + len > s.size()) return false;
        const auto second = static_cast<unsigned char>(s[i + 1]);
        if (second < lo || second > hi) return false;
        for (std::size_t k = 2; k < len; ++k) {
            const auto b = static_cast<unsigned char>(s[i + k]);
            if (b < 0x80 || b > 0xBF) return false;
        }
        i += len;
    }
    return true;
}

// Length of the character starting at s[i]. UTF-8 never reuses ASCII bytes inside a
// multibyte sequence, so only GBK needs pairing: its trail byte may look like '\', ']' or a
// letter and must stay glued to its lead byte.
std::size_t CharLen(std::string_view s, std::size_t i, bool gbk) {
    if (!gbk) return 1;
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x81 || lead > 0xFE || i + 1 >= s.size()) return 1;
    const auto trail = static_cast<unsigned char>(s[i + 1]);
    return (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) ? 2 : 1;
}

// Position of the first occurrence of `needle` (ASCII only) that starts on a character
// boundary, or npos.
std::size_t FindAscii(std::string_view s, std::string_view needle, bool gbk) {
    for (std::size_t i = 0; i < s.size(); i += CharLen(s, i, gbk)) {
        if (s.substr(i, needle.size()) == needle) return i;
    }
    return std::string_view::npos;
}

// True when the last character of a non-empty text is the single byte `c`.
bool EndsWithChar(std::string_view s, char c, bool gbk) {
    std::size_t i = 0;
    std::size_t last = 0;
    while (i < s.size()) {
        last = i;
        i += CharLen(s, i, gbk);
    }
    return !s.empty() && last == s.size() - 1 && s[last] == c;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// White space bytes never occur as GBK trail bytes, so trimming bytes is safe for both.
std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

// ASCII letters folded to lower case; bytes of double-byte characters left alone.
std::string Fold(std::string_view s, bool gbk) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = CharLen(s, i, gbk);
        if (n == 1 && s[i] >= 'A' && s[i] <= 'Z') {
            out += static_cast<char>(s[i] - 'A' + 'a');
        } else {
            out.append(s.substr(i, n));
        }
        i += n;
    }
    return out;
}

}  // namespace

CIniFile::~CIniFile() {
    // A destructor cannot report: callers that must know whether the file was written call
    // Save themselves first (the language change does).
    if (m_saveOnClose) static_cast<void>(Save());
    Clear();
}

bool CIniFile::Open(const std::string& path, bool saveOnClose, bool caseInsensitive) {
    Clear();
    m_saveOnClose = saveOnClose;
    m_caseInsensitive = caseInsensitive;

    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        // Create it empty; append mode never truncates a file another process made meanwhile.
        std::FILE* f = std::fopen(path.c_str(), "ab");
        if (f == nullptr) return false;
        std::fclose(f);
    }
    // A FIFO or device is never waited on: only a regular file is a configuration.
    std::string text;
    std::uintmax_t size = 0;
    if (!ReadRegularFilePrefix(path, std::numeric_limits<std::size_t>::max(), text, size))
        return false;
    m_path = path;
    Parse(text);
    return true;
}

void CIniFile::LoadFromText(std::string_view text, bool caseInsensitive) {
    Clear();
    m_caseInsensitive = caseInsensitive;
    Parse(text);
}

void CIniFile::Parse(std::string_view text) {
    m_lines.clear();
    m_sections.clear();
    m_sections.push_back(Section{});  // the nameless section before the first header
    m_loaded = true;

    // Notepad's UTF-8 files start with a byte order mark; left in place it would hide the
    // first section header.
    m_bom = text.substr(0, kUtf8Bom.size()) == kUtf8Bom;
    if (m_bom) text.remove_prefix(kUtf8Bom.size());
    m_gbk = !IsValidUtf8(text);

    while (!text.empty()) {
        // A line ends at "\n", "\r\n" or a lone "\r": files from old Macs end lines that way.
        const std::size_t eol = text.find_first_of("\r\n");
        const std::string_view raw = text.substr(0, eol);
        std::size_t endLength = 0;
        if (eol != std::string_view::npos)
            endLength = text[eol] == '\r' && eol + 1 < text.size() && text[eol + 1] == '\n' ? 2 : 1;
        m_lines.push_back(Line{std::string(raw), std::string(text.substr(raw.size(), endLength))});
        text.remove_prefix(raw.size() + endLength);
        const std::size_t index = m_lines.size() - 1;

        const std::string_view line = Trim(raw);
        if (line.size() >= 2 && line.front() == '[' && EndsWithChar(line, ']', m_gbk)) {
            Section s;
            s.name = std::string(line.substr(1, line.size() - 2));
            s.header = index;
            m_sections.push_back(std::move(s));
            continue;
        }
        std::string_view key = line;
        std::string_view value;
        const std::size_t eq = FindAscii(line, "=", m_gbk);
        if (eq != std::string_view::npos) {
            key = Trim(line.substr(0, eq));
            value = Trim(line.substr(eq + 1));
        }
        if (key.empty()) continue;
        const char first = key.front();
        if (first == ';' || first == '/' || first == '\\' || first == '*') continue;
        Section& current = m_sections.back();
        current.keys.emplace_back(key);
        current.values.emplace_back(value);
        current.lines.push_back(index);
    }
}

bool CIniFile::Equal(std::string_view a, std::string_view b) const {
    if (!m_caseInsensitive) return a == b;
    return a.size() == b.size() && Fold(a, m_gbk) == Fold(b, m_gbk);
}

const CIniFile::Section* CIniFile::FindSection(std::string_view name) const {
    for (const Section& s : m_sections) {
        if (Equal(s.name, name)) return &s;  // a repeated section is never searched
    }
    return nullptr;
}

CIniFile::Section* CIniFile::FindSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

std::string CIniFile::GetValue(std::string_view section, std::string_view key,
                               std::string_view def) const {
    const Section* s = FindSection(section);
    if (s == nullptr) return std::string(def);
    for (std::size_t i = s->keys.size(); i-- > 0;) {
        if (!Equal(s->keys[i], key)) continue;
        std::string_view value = s->values[i];
        for (std::string_view marker : {"//", "\t;", "/*"}) {
            const std::size_t at = FindAscii(value, marker, m_gbk);
            if (at != std::string_view::npos) value = value.substr(0, at);
        }
        return std::string(value);
    }
    return std::string(def);
}

std::optional<std::string> CIniFile::GetRawValue(std::string_view section,
                                                 std::string_view key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) return std::nullopt;
    for (std::size_t i = s->keys.size(); i-- > 0;) {
        if (Equal(s->keys[i], key)) return s->values[i];
    }
    return std::nullopt;
}

std::string CIniFile::LineEnd() const {
    // New lines follow the file's own line ends; an empty file gets the platform's.
    for (const Line& line : m_lines) {
        if (!line.end.empty()) return line.end;
    }
    return std::string(kLineEnd);
}

void CIniFile::InsertLine(std::size_t at, std::string text) {
    const std::string end = LineEnd();
    if (at == m_lines.size() && at > 0 && m_lines.back().end.empty()) {
        // The last line had no line end; it needs one before anything can follow.
        m_lines.back().end = end;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), end});
    for (Section& s : m_sections) {
        if (s.header != kNoLine && s.header >= at) ++s.header;
        for (std::size_t& line : s.lines) {
            if (line >= at) ++line;
        }
    }
}

bool CIniFile::ReadsBackTheSame() const {
    CIniFile reread;
    reread.LoadFromText(Serialize(), m_caseInsensitive);
    for (const auto& [section, key] : Entries()) {
        if (reread.GetValue(section, key, "\n") != GetValue(section, key, "\n")) return false;
    }
    return true;
}

bool CIniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    if (!m_loaded) return false;
    // Applied to a copy first: a change that would read back differently is not made at all.
    const std::vector<Line> savedLines = m_lines;
    const std::vector<Section> savedSections = m_sections;
    bool changed = false;

    Section* s = FindSection(section);
    if (s == nullptr) {
        InsertLine(m_lines.size(), "[" + std::string(section) + "]");
        m_sections.push_back(Section{std::string(section), m_lines.size() - 1, {}, {}, {}});
        s = &m_sections.back();
        changed = true;
    }
    std::size_t found = kNoLine;
    for (std::size_t i = s->keys.size(); i-- > 0;) {
        if (Equal(s->keys[i], key)) {
            found = i;
            break;
        }
    }
    if (found != kNoLine) {
        if (!Equal(s->values[found], value)) changed = true;
        s->values[found] = std::string(value);
        // The line keeps what comes before its value ("Language = "), so only the value moves.
        std::string& text = m_lines[s->lines[found]].text;
        const std::size_t eq = FindAscii(text, "=", m_gbk);
        std::string head;
        if (eq == std::string::npos) {
            head = std::string(Trim(text)) + "=";
        } else {
            std::size_t start = eq + 1;
            while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
            head = text.substr(0, start);
        }
        text = head + std::string(value);
    } else {
        // After the section's last key, so blank lines and comments below it stay below.
        const std::size_t at = !s->lines.empty()      ? s->lines.back() + 1
                               : s->header != kNoLine ? s->header + 1
                                                      : 0;
        std::string line(key);
        if (!key.empty()) line += '=';
        line += value;
        InsertLine(at, std::move(line));
        s->keys.emplace_back(key);
        s->values.emplace_back(value);
        s->lines.push_back(at);
        changed = true;
    }

    if (!ReadsBackTheSame()) {
        m_lines = savedLines;
        m_sections = savedSections;
        return false;
    }
    if (changed) m_dirty = true;
    return true;
}

std::string CIniFile::Serialize() const {
    std::string out;
    if (m_bom) out += kUtf8Bom;
    for (const Line& line : m_lines) {
        out += line.text;
        out += line.end;
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> CIniFile::Entries() const {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const Section& s : m_sections) {
        for (const std::string& key : s.keys) entries.emplace_back(s.name, key);
    }
    return entries;
}

Status CIniFile::Save() {
    if (!m_dirty || m_path.empty()) return Status::Ok();
    if (m_makeFolder) {
        // A folder that cannot be made shows up as the write's own error just below.
        std::error_code ec;
        const std::filesystem::path folder = std::filesystem::path(m_path).parent_path();
        if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    }
    // Written whole through a temporary file, so a shorter text leaves no old tail behind
    // and a failed write leaves the previous file as it was.
    Status st = WriteFileAtomically(m_path, Serialize());
    if (st) m_dirty = false;
    return st;
}

void CIniFile::SaveTo(std::string path) {
    m_path = std::move(path);
    m_makeFolder = true;
}

void CIniFile::Clear() {
    m_path.clear();
    m_makeFolder = false;
    m_lines.clear();
    m_sections.clear();
    m_dirty = false;
    m_gbk = false;
    m_loaded = false;
    m_bom = false;
}

}  // namespace radio
