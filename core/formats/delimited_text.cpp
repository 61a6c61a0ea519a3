#include "core/formats/delimited_text.h"

namespace radio {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

SplitText SplitDelimited(std::string_view text, char delimiter) {
    SplitText out;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

    TextRecord record;
    std::string field;
    bool quoted = false;     // inside a quoted field
    bool wasQuoted = false;  // the current field had quotes (so an empty line is not empty)
    bool fieldStart = true;  // only blanks so far in this field
    int line = 1, quoteLine = 0;
    record.line = 1;

    const auto endField = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
        fieldStart = true;
    };
    const auto endRecord = [&](int nextLine) {
        const bool empty = record.fields.empty() && field.empty() && !wasQuoted;
        if (!empty) {
            endField();
            out.records.push_back(std::move(record));
        }
        record = TextRecord{nextLine, {}};
        field.clear();
        fieldStart = true;
        wasQuoted = false;
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
                continue;
            }
            if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
            field += c;
            continue;
        }
        if (c == '"' && fieldStart) {
            // Blanks before the opening quote are layout, not content.
            field.clear();
            quoted = wasQuoted = true;
            fieldStart = false;
            quoteLine = line;
            continue;
        }
        if (c == delimiter) {
            endField();
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            endRecord(line);
            continue;
        }
        if (!IsBlank(c)) fieldStart = false;
        field += c;
    }
    if (quoted) out.unclosedQuoteLine = quoteLine;
    endRecord(line);
    return out;
}

std::string JoinDelimited(const std::vector<std::string>& fields, char delimiter) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += delimiter;
        const std::string& f = fields[i];
        const char special[] = {delimiter, '"', '\r', '\n', '\0'};
        if (f.find_first_of(special) == std::string::npos) {
            out += f;
            continue;
        }
        out += '"';
        for (char c : f) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

}  // namespace radio
