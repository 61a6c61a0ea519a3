#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/image/status.h"

namespace radio {

// A configuration file of [sections] and key=value lines, kept in memory and written back
// whole when it changed. Texts are bytes (UTF-8 or GBK); comparisons never split a
// double-byte character, and case folding applies to ASCII letters only.
//
// The file is the user's text: every line is kept as it was (comments, blank lines, `[]`
// headers, line ends, a BOM only where there was one) and a change rewrites only the line of
// its key, or adds lines. So writing and reading back gives the same lookups as before.
class CIniFile {
  public:
    CIniFile() = default;
    ~CIniFile();  // saves when save-on-close is set and something changed
    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    // Loads `path` (a missing file is created empty). Returns false when it cannot be read.
    [[nodiscard]] bool Open(const std::string& path, bool saveOnClose, bool caseInsensitive);
    // Loads from text without a file (tests, defaults). SetValue works; Save does nothing.
    void LoadFromText(std::string_view text, bool caseInsensitive);

    // Value with comments cut off ("//", "\t;", "/*"), or `def` when the key is missing.
    std::string GetValue(std::string_view section, std::string_view key,
                         std::string_view def = {}) const;
    // The value as the file has it, nothing cut off (a folder name may hold "//"); nullopt
    // when the key is missing.
    std::optional<std::string> GetRawValue(std::string_view section, std::string_view key) const;
    // Sets a value: rewrites the key's line, or adds the key after the last of its section,
    // or adds the section at the end. A change that would not read back the same (a key with
    // '=' or a line break, a value with leading blanks, ...) is refused: false, nothing changed.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);

    // Writes the whole file atomically when dirty.
    Status Save();
    // Later saves go to `path` instead of the file that was read (the user's own copy of a
    // configuration kept in a system folder); Save creates that file's folder when missing.
    void SaveTo(std::string path);
    void Clear();

    bool dirty() const { return m_dirty; }
    // Forces the next Save to write: for a value whose letter case must reach the file even
    // though lookups ignore case (the start-up language is compared exactly).
    void MarkDirty() { m_dirty = m_loaded; }
    const std::string& path() const { return m_path; }
    // True when the loaded text was not valid UTF-8 and is handled as GBK: values then come
    // back as GBK bytes, which a display layer must decode as such.
    bool isGbk() const { return m_gbk; }
    // The file's text as Save writes it.
    std::string Serialize() const;
    // Every section name and key as (section, key), in file order; repeated ones included.
    std::vector<std::pair<std::string, std::string>> Entries() const;

  private:
    struct Line {
        std::string text;  // the line without its line end
        std::string end;   // "\n", "\r\n", "\r" (old Mac files) or "" (a last line without one)
    };
    static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);
    struct Section {
        std::string name;
        std::size_t header = kNoLine;  // line of "[name]"; none for the part before the first
        std::vector<std::string> keys;
        std::vector<std::string> values;
        std::vector<std::size_t> lines;  // line of each key
    };
    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);
    bool Equal(std::string_view a, std::string_view b) const;
    void Parse(std::string_view text);
    void InsertLine(std::size_t at, std::string text);
    std::string LineEnd() const;
    bool ReadsBackTheSame() const;

    std::string m_path;
    std::vector<Line> m_lines;
    std::vector<Section> m_sections;
    bool m_caseInsensitive = true;
    bool m_saveOnClose = false;
    bool m_dirty = false;
    bool m_gbk = false;         // the loaded text was not valid UTF-8: treat it as GBK
    bool m_loaded = false;      // Open or LoadFromText succeeded: SetValue may change things
    bool m_bom = false;         // the file began with a UTF-8 byte order mark; kept on save
    bool m_makeFolder = false;  // SaveTo chose a file whose folder may not exist yet
};

}  // namespace radio
