#include "core/formats/delimited_text.h"

#include <gtest/gtest.h>

namespace radio {
namespace {

using Records = std::vector<std::pair<int, std::vector<std::string>>>;  // line, fields

Records Split(std::string_view text, char delimiter) {
    Records out;
    for (const TextRecord& r : SplitDelimited(text, delimiter).records)
        out.emplace_back(r.line, r.fields);
    return out;
}

TEST(DelimitedText, SplitsAsSpreadsheetsWrite) {
    const struct {
        const char* name;
        std::string text;
        char delimiter;
        Records records;
        int unclosedQuoteLine;
    } cases[] = {
        {"plain LF", "a,b\nc,d\n", ',', {{1, {"a", "b"}}, {2, {"c", "d"}}}, 0},
        {"CRLF, no last line end", "a,b\r\nc,d", ',', {{1, {"a", "b"}}, {2, {"c", "d"}}}, 0},
        {"lone CR", "a\rb\r", ',', {{1, {"a"}}, {2, {"b"}}}, 0},
        {"byte order mark",
         "\xEF\xBB\xBF"
         "a,b\n",
         ',',
         {{1, {"a", "b"}}},
         0},
        {"empty lines dropped, lines still counted",
         "\n\r\na\n\n\nb\n",
         ',',
         {{3, {"a"}}, {6, {"b"}}},
         0},
        {"empty fields kept", ",,\n", ',', {{1, {"", "", ""}}}, 0},
        {"quoted delimiter, quote and line ends",
         "\"a,b\",\"say \"\"hi\"\"\",\"x\r\ny\"\nz\n",
         ',',
         {{1, {"a,b", "say \"hi\"", "x\r\ny"}}, {3, {"z"}}},
         0},
        {"blanks before a quote are layout", "  \"a,b\"  ,c\n", ',', {{1, {"a,b  ", "c"}}}, 0},
        {"a quote inside a field is text", "a\"b,c\n", ',', {{1, {"a\"b", "c"}}}, 0},
        {"an empty quoted field is a record", "\"\"\n", ',', {{1, {""}}}, 0},
        {"unclosed quote takes the rest", "a\n\"b,c\nd\n", ',', {{1, {"a"}}, {2, {"b,c\nd\n"}}}, 2},
        {"TAB-separated",
         "CH\tRx\nPr\t146.52000\n",
         '\t',
         {{1, {"CH", "Rx"}}, {2, {"Pr", "146.52000"}}},
         0},
        {"commas are text in TSV", "a,b\tc\n", '\t', {{1, {"a,b", "c"}}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Split(c.text, c.delimiter), c.records);
        EXPECT_EQ(SplitDelimited(c.text, c.delimiter).unclosedQuoteLine, c.unclosedQuoteLine);
    }
}

TEST(DelimitedText, JoinQuotesOnlyWhatNeedsIt) {
    const struct {
        std::vector<std::string> fields;
        char delimiter;
        const char* line;
    } cases[] = {
        {{"a", "b c", ""}, ',', "a,b c,"},           {{"a,b", "x"}, ',', "\"a,b\",x"},
        {{"say \"hi\""}, ',', "\"say \"\"hi\"\"\""}, {{"two\r\nlines"}, ',', "\"two\r\nlines\""},
        {{"a,b", "c\td"}, '\t', "a,b\t\"c\td\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JoinDelimited(c.fields, c.delimiter), c.line);
        // What is written reads back as it was.
        const SplitText back = SplitDelimited(std::string(c.line) + "\n", c.delimiter);
        ASSERT_EQ(back.records.size(), 1u) << c.line;
        EXPECT_EQ(back.records[0].fields, c.fields);
    }
}

}  // namespace
}  // namespace radio
