#include "platform/text_rules.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tavlo {

std::string trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

namespace {

bool ignoredInNumber(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Not std::isdigit: the C library's locale must not decide what a digit is.
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a prefixed integer (&H hex, &O octal) from the characters left after blanks were dropped.
double prefixedValue(std::string_view digits, int base)
{
    double value = 0;
    for (char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0 || d >= base)
            break;
        value = value * base + d;
    }
    return value;
}

} // namespace

double numericValue(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (!ignoredInNumber(c))
            s.push_back(c);

    if (s.size() >= 2 && s[0] == '&') {
        const char kind = s[1];
        if (kind == 'H' || kind == 'h')
            return prefixedValue(std::string_view(s).substr(2), 16);
        if (kind == 'O' || kind == 'o')
            return prefixedValue(std::string_view(s).substr(2), 8);
        return 0;
    }

    // Accept: [sign] digits [. digits] [(E|D) [sign] digits]
    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number.push_back(s[i++]);
    bool anyDigit = false;
    while (i < s.size() && isDigit(s[i])) {
        number.push_back(s[i++]);
        anyDigit = true;
    }
    if (i < s.size() && s[i] == '.') {
        number.push_back(s[i++]);
        while (i < s.size() && isDigit(s[i])) {
            number.push_back(s[i++]);
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent.push_back(s[j++]);
        const std::size_t digitsStart = j;
        while (j < s.size() && isDigit(s[j]))
            exponent.push_back(s[j++]);
        if (j > digitsStart)
            number += exponent;
    }
    // from_chars reads "." as the decimal separator under every locale, where strtod
    // follows the C library's (which a desktop in Italian sets to ",").
    double value = 0;
    const auto [end, error] = std::from_chars(number.data() + (number.front() == '+'), number.data() + number.size(), value);
    return error == std::errc() && std::isfinite(value) ? value : 0;
}

std::string numberForMessage(long long value)
{
    if (value < 0)
        return std::to_string(value);
    // Appended rather than " " + text: GCC 12 at -O3 warns falsely on that form (its bug 105651).
    std::string text = " ";
    text += std::to_string(value);
    return text;
}

std::string numberForPage(long long value) { return numberForMessage(value) + " "; }

PathParts Dividi_Percorso(std::string_view path, char separator)
{
    const auto last = path.rfind(separator);
    if (last == std::string_view::npos)
        return {{}, std::string(path)};
    return {std::string(path.substr(0, last + 1)), std::string(path.substr(last + 1))};
}

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

std::vector<std::string> textLines(std::string_view content)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] != '\r') {
            line.push_back(content[i]);
            continue;
        }
        lines.push_back(std::move(line));
        line.clear();
        if (i + 1 < content.size() && content[i + 1] == '\n')
            ++i;
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

} // namespace tavlo
