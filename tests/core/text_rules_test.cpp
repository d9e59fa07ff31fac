// The language runtime's text rules: the numeric value of a text, text lines, and the
// UTF-8 reader.
#include "platform/text_rules.h"
#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

TEST(TextRules, TheNumericValueIsTheNumberTheLeadingCharactersFormAndLinesEndAtCrOrCrLf)
{
    const std::pair<const char*, double> cases[] = {
        {"12abc", 12}, {" 1 2\t3\n", 123}, {"-2.5", -2.5}, {"+.5x", 0.5}, {"3.", 3}, {"1E3", 1000}, {"2d-1", 0.2},
        {"1e", 1}, {"1e+", 1}, {"7 e 1", 70}, {"1e999", 0}, {"abc", 0}, {"", 0}, {".", 0}, {"-", 0}, {"1,5", 1},
        {"&H9F", 159}, {"&hff", 255}, {" & H 1 0", 16}, {"&HFG", 15}, {"&H", 0}, {"&O17", 15}, {"&o8", 0}, {"&X1", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(numericValue(text), value) << '"' << text << '"';
    EXPECT_EQ(textLines("uno\rdue\r\ntre\nquattro\r\r"), (std::vector<std::string>{"uno", "due", "tre\nquattro", ""}));
}

TEST(TextRules, AUtf8CharacterIsReadWholeOrNotAtAll)
{
    const std::pair<const char*, std::size_t> cases[] = {{"a", 1}, {"\xC3\xA9", 2}, {"\xE2\x82\xAC", 3},
        {"\xF0\x9F\x98\x80", 4}, {"\x80", 0}, {"\xC3", 0}, {"\xC3\x28", 0}, {"\xC0\x80", 0}, {"\xE0\x80\x80", 0},
        {"\xED\xA0\x80", 0}, {"\xF4\x90\x80\x80", 0}, {"\xF8", 0}};
    char32_t c = 0;
    for (const auto& [text, length] : cases)
        EXPECT_EQ(decodeUtf8(text, 0, c), length) << text;
    EXPECT_TRUE(decodeUtf8("x\xE2\x82\xAC", 1, c) == 3 && c == U'\u20AC');
}

} // namespace
} // namespace tavlo
