#include "core/formats/grid_clipboard.h"

#include <algorithm>

#include "core/codec/edit_rules.h"
#include "core/formats/delimited_text.h"

namespace radio {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

struct Field {
    std::string text;
    bool quoted = false;  // written in quotes: never a heading or a label
};
using Record = std::vector<Field>;

bool EndsField(char c) { return c == '\t' || c == '\r' || c == '\n'; }

// Splits TAB-separated lines into fields. A field opening with a quote is quoted when a quote
// followed by a TAB, a line end or the end of the text closes it, inner quotes doubled;
// otherwise its text is taken as it stands. Linear in the text's length, whatever it holds.
class Splitter {
  public:
    explicit Splitter(std::string_view text) : m_text(text), m_close(text.size()) {
        // For each quote read inside a quoted field: where that field closes, if it does.
        // Worked out from the end once, so that a paste of many lone quotes stays linear.
        const std::size_t n = text.size();
        std::size_t after1 = std::string_view::npos, after2 = std::string_view::npos;
        for (std::size_t p = n; p-- > 0;) {
            if (text[p] != '"') continue;
            if (p + 1 < n && text[p + 1] == '"')
                m_close[p] = after2 == std::string_view::npos ? after2 : m_close[after2];
            else if (p + 1 == n || EndsField(text[p + 1]))
                m_close[p] = p;
            else
                m_close[p] = std::string_view::npos;
            after2 = after1;
            after1 = p;
        }
    }

    std::vector<Record> Records() {
        std::vector<Record> records;
        const std::size_t n = m_text.size();
        if (n == 0) return records;
        Record record;
        std::size_t i = 0;
        for (;;) {
            record.push_back(ReadField(i));
            if (i >= n) {
                records.push_back(std::move(record));
                break;
            }
            if (m_text[i] == '\t') {
                ++i;
                continue;
            }
            i += m_text[i] == '\r' && i + 1 < n && m_text[i + 1] == '\n' ? 2 : 1;
            records.push_back(std::move(record));
            record.clear();
            if (i >= n) break;  // a line end at the very end closes the last line
        }
        return records;
    }

  private:
    // The field starting at `i`; at the very end (after a last TAB) an empty one.
    Field ReadField(std::size_t& i) {
        if (i < m_text.size() && m_text[i] == '"') {
            const std::size_t first = m_text.find('"', i + 1);
            const std::size_t close = first == std::string_view::npos ? first : m_close[first];
            if (close != std::string_view::npos) {
                Field field{{}, true};
                for (std::size_t k = i + 1; k < close; ++k) {
                    field.text += m_text[k];
                    if (m_text[k] == '"') ++k;  // the second of a doubled quote
                }
                i = close + 1;
                return field;
            }
        }
        std::size_t end = i;
        while (end < m_text.size() && !EndsField(m_text[end])) ++end;
        Field field{std::string(m_text.substr(i, end - i)), false};
        i = end;
        return field;
    }

    std::string_view m_text;
    std::vector<std::size_t> m_close;
};

bool IsHeadingOf(std::string_view text, int col) {
    return EqualsNoCase(text, ChannelGrid::Heading(col, Language::English)) ||
           text == ChannelGrid::Heading(col, Language::Chinese);
}

bool IsAnyHeading(std::string_view text) {
    for (int col = 0; col < ChannelGrid::kCols; ++col) {
        if (IsHeadingOf(text, col)) return true;
    }
    return false;
}

// A line of grid headings: nothing quoted, nothing else, and at least two of them (a single
// cell may well hold a name that reads like one).
bool IsHeadingLine(const Record& record) {
    int headings = 0;
    for (const Field& field : record) {
        const std::string_view text = TrimBlanks(field.text);
        if (field.quoted) return false;
        if (text.empty()) continue;
        if (!IsAnyHeading(text)) return false;
        ++headings;
    }
    return headings >= 2;
}

bool IsRowLabel(const Field& field) {
    const std::string_view text = TrimBlanks(field.text);
    if (field.quoted) return false;
    if (EqualsNoCase(text, "Pr")) return true;
    if (text.empty() || text.size() > 3) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value < kChannelCount;
}

bool NeedsQuotes(const std::string& text) {
    if (text.find_first_of("\t\r\n") != std::string::npos) return true;
    if (text.starts_with('"') || text.starts_with(kBom)) return true;
    return IsAnyHeading(TrimBlanks(text));
}

}  // namespace

int ClipboardTable::Width() const {
    std::size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.size());
    return static_cast<int>(width);
}

std::string CopyCellsText(const ChannelGrid& grid, const CellRange& range) {
    const CellRange r = CellRange::Spanning(range.top, range.left, range.bottom, range.right);
    std::string out;
    for (int row = r.top; row <= r.bottom; ++row) {
        for (int col = r.left; col <= r.right; ++col) {
            if (col > r.left) out += '\t';
            const std::string& text = grid.Text(row, col);
            if (!NeedsQuotes(text)) {
                out += text;
                continue;
            }
            out += '"';
            for (char c : text) {
                if (c == '"') out += '"';
                out += c;
            }
            out += '"';
        }
        out += '\n';
    }
    return out;
}

ClipboardTable ParseClipboardText(std::string_view text) {
    if (text.starts_with(kBom)) text.remove_prefix(kBom.size());
    std::vector<Record> records = Splitter(text).Records();

    ClipboardTable table;
    bool labels = false;
    if (!records.empty() && IsHeadingLine(records.front())) {
        table.headingSkipped = true;
        labels = !records.front().front().quoted &&
                 IsHeadingOf(TrimBlanks(records.front().front().text), 0);
        records.erase(records.begin());
    } else if (!records.empty()) {
        // dump's lines without their heading: a label and the nine cells.
        labels = std::ranges::all_of(records, [](const Record& r) {
            return r.size() == static_cast<std::size_t>(ChannelGrid::kCols) && IsRowLabel(r[0]);
        });
    }
    table.labelsSkipped = labels;

    table.rows.reserve(records.size());
    for (Record& record : records) {
        std::vector<std::string> cells;
        for (std::size_t i = labels ? 1 : 0; i < record.size(); ++i)
            cells.push_back(std::move(record[i].text));
        table.rows.push_back(std::move(cells));
    }
    return table;
}

PastePlacement PlacePaste(const ClipboardTable& table, const CellRange& selection) {
    PastePlacement placement;
    const CellRange sel =
        CellRange::Spanning(selection.top, selection.left, selection.bottom, selection.right);
    if (table.rows.empty()) {
        placement.range = CellRange::Cell(sel.top, sel.left);
        return placement;
    }
    const bool single = table.rows.size() == 1 && table.rows[0].size() == 1;
    if (single && !sel.IsCell()) {
        for (int row = sel.top; row <= sel.bottom; ++row) {
            for (int col = sel.left; col <= sel.right; ++col)
                placement.cells.push_back({row, col, table.rows[0][0]});
        }
        placement.range = sel;
        return placement;
    }

    const int height = static_cast<int>(table.rows.size());
    const int width = std::max(1, table.Width());
    const int fitRows = std::min(height, kChannelCount - sel.top + 1);
    const int fitCols = std::min(width, kChannelColumns - sel.left + 1);
    placement.rowsCut = height - fitRows;
    placement.colsCut = width - fitCols;
    placement.range = {sel.top, sel.left, sel.top + fitRows - 1, sel.left + fitCols - 1};
    for (int r = 0; r < fitRows; ++r) {
        const auto& cells = table.rows[static_cast<std::size_t>(r)];
        const int n = std::min(static_cast<int>(cells.size()), fitCols);
        for (int c = 0; c < n; ++c)
            placement.cells.push_back(
                {sel.top + r, sel.left + c, cells[static_cast<std::size_t>(c)]});
    }
    return placement;
}

}  // namespace radio
