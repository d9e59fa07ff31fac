// Upper- and lower-casing on Windows by the system's own tables, on the wide
// characters of a UTF-8 text; and pages in windows-1252, the code page the
// Windows program's header declares.
#include "platform/text_case.h"

#include "platform/utf8.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

#include <algorithm>

namespace tavlo {
namespace {

// Pages keep the code page their header declares on every system, whatever its own.
constexpr UINT kPageCodePage = 1252;

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string mapCase(std::string_view text, bool upper)
{
    // Most names are plain ASCII: cased without a trip through wide characters.
    if (isAscii(text)) {
        std::string out(text);
        for (char& c : out)
            if (upper ? c >= 'a' && c <= 'z' : c >= 'A' && c <= 'Z')
                c = static_cast<char>(c ^ 0x20);  // the one bit between a letter's two cases
        return out;
    }
    // Bytes that are not UTF-8 stay as they are: the valid runs between them are cased.
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i;
        while (end < text.size() && utf8CharacterLength(text, end) > 0)
            end += utf8CharacterLength(text, end);
        if (end == i) {
            out.push_back(text[i++]);
            continue;
        }
        std::wstring wide = wideText(text.substr(i, end - i));
        if (upper)
            CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
        else
            CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
        out += utf8Text(wide);
        i = end;
    }
    return out;
}

} // namespace

std::string upperCase(std::string_view text) { return mapCase(text, true); }

std::string lowerCase(std::string_view text) { return mapCase(text, false); }

std::string firstUpperRestLower(std::string_view text)
{
    if (text.empty())
        return {};
    const std::size_t first = std::max<std::size_t>(utf8CharacterLength(text, 0), 1);
    return upperCase(text.substr(0, first)) + lowerCase(text.substr(first));
}

bool codePageIsUtf8() { return false; }

bool spellForPage(std::string_view character, std::string& page)
{
    if (character.size() == 1 && static_cast<unsigned char>(character[0]) < 0x80) {
        page.append(character);
        return true;
    }
    const std::wstring wide = wideText(character);
    char spelt[8];
    BOOL unmapped = FALSE;
    const int length = WideCharToMultiByte(kPageCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                           static_cast<int>(wide.size()), spelt, sizeof spelt, nullptr, &unmapped);
    if (length <= 0 || unmapped)
        return false;
    page.append(spelt, static_cast<std::size_t>(length));
    return true;
}

} // namespace tavlo
