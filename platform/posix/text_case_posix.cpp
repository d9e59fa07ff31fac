#include "platform/text_case.h"

#include "platform/utf8.h"

#include <algorithm>
#include <cstdint>
#include <locale.h>  // newlocale and locale_t: POSIX, not in <clocale>
#include <wctype.h>  // towupper_l: POSIX, not in <cwctype>

namespace tavlo {
namespace {

void encode(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

locale_t utf8Locale()
{
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return locale;
}

char32_t mapCase(char32_t c, bool upper)
{
    if (c < 0x80) {
        if (upper && c >= 'a' && c <= 'z')
            return c - 'a' + 'A';
        if (!upper && c >= 'A' && c <= 'Z')
            return c - 'A' + 'a';
        return c;
    }
    const locale_t locale = utf8Locale();
    if (locale == nullptr)
        return c;
    const auto wide = static_cast<wint_t>(c);
    return static_cast<char32_t>(upper ? towupper_l(wide, locale) : towlower_l(wide, locale));
}

// Maps every character to upper or lower case; the first `upperCharacters` characters
// go to upper case whatever `upper` says.
std::string mapText(std::string_view text, bool upper, std::size_t upperCharacters)
{
    // Most names are plain ASCII: one byte is one character, cased without decoding.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::string out(text);
        for (std::size_t i = 0; i < out.size(); ++i) {
            char& c = out[i];
            if (i < upperCharacters || upper ? c >= 'a' && c <= 'z' : c >= 'A' && c <= 'Z')
                c = static_cast<char>(c ^ 0x20);  // the one bit between a letter's two cases
        }
        return out;
    }
    std::string out;
    out.reserve(text.size());
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(text, i, c);
        if (length == 0) {  // not valid UTF-8: the byte stays as it is
            out.push_back(text[i++]);
            ++characters;
            continue;
        }
        encode(mapCase(c, characters < upperCharacters ? true : upper), out);
        i += length;
        ++characters;
    }
    return out;
}

} // namespace

std::string upperCase(std::string_view text) { return mapText(text, true, 0); }

std::string lowerCase(std::string_view text) { return mapText(text, false, 0); }

std::string firstUpperRestLower(std::string_view text) { return mapText(text, false, 1); }

} // namespace tavlo

namespace tavlo {

bool codePageIsUtf8() { return true; }

bool spellForPage(std::string_view character, std::string& page)
{
    page.append(character);
    return true;
}

} // namespace tavlo
