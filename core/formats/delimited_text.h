#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace radio {

// One record of delimited text: its fields as written, quotes removed, blanks kept.
struct TextRecord {
    int line = 0;  // the line the record starts on, from 1
    std::vector<std::string> fields;
};

struct SplitText {
    std::vector<TextRecord> records;
    int unclosedQuoteLine = 0;  // the line of a quote never closed (the rest of the text is its
                                // field), or 0
};

// Splits CSV (',') or TSV ('\t') text into records, as spreadsheets write them: a field that
// starts with a quote (after blanks) may hold the delimiter, line ends and doubled quotes; CRLF,
// LF and a lone CR end lines; a UTF-8 byte order mark at the start is skipped; empty lines are
// dropped. Pure and total: any bytes give some records, so it can be fed anything.
SplitText SplitDelimited(std::string_view text, char delimiter);

// One record, fields quoted only when they hold the delimiter, a quote or a line end; no line
// end is added.
std::string JoinDelimited(const std::vector<std::string>& fields, char delimiter);

// `text` without blanks (spaces and tabs) at either end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace radio
