// Upper- and lower-casing on Windows: the program speaks the ANSI code page (1252
// in Western Europe), where the system's own casing tables apply and a character
// is one byte (two for a lead byte in the double-byte code pages of East Asia).
#include "platform/text_case.h"

#include <windows.h>

#include <vector>

namespace tavlo {
namespace {

std::string mapCase(std::string_view text, bool upper)
{
    std::string out(text);
    if (!out.empty()) {
        if (upper)
            CharUpperBuffA(out.data(), static_cast<DWORD>(out.size()));
        else
            CharLowerBuffA(out.data(), static_cast<DWORD>(out.size()));
    }
    return out;
}

// Length in bytes of the ANSI character at text[i].
std::size_t characterLength(std::string_view text, std::size_t i)
{
    const bool leadByte = IsDBCSLeadByte(static_cast<BYTE>(text[i])) != 0;
    return leadByte && i + 1 < text.size() ? 2 : 1;
}

// Where each character starts, in order.
std::vector<std::size_t> characterStarts(std::string_view text)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); i += characterLength(text, i))
        starts.push_back(i);
    return starts;
}

} // namespace

std::string upperCase(std::string_view text) { return mapCase(text, true); }

std::string lowerCase(std::string_view text) { return mapCase(text, false); }

std::string firstUpperRestLower(std::string_view text)
{
    if (text.empty())
        return {};
    const std::size_t first = characterLength(text, 0);
    return upperCase(text.substr(0, first)) + lowerCase(text.substr(first));
}

bool codePageIsUtf8() { return false; }

std::string_view lastCharacters(std::string_view text, std::size_t n)
{
    const auto starts = characterStarts(text);
    return n >= starts.size() ? text : text.substr(starts[starts.size() - n]);
}

std::optional<std::string_view> withoutLastCharacters(std::string_view text, std::size_t n)
{
    const auto starts = characterStarts(text);
    if (n > starts.size())
        return std::nullopt;
    return n == 0 ? text : text.substr(0, starts[starts.size() - n]);
}

} // namespace tavlo
