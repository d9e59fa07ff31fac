// The language runtime's text rules: the numeric value of a text, and text lines.
#include "platform/text_rules.h"

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

} // namespace
} // namespace tavlo
