#include "platform/utf8.h"

#include "platform/text_case.h"

namespace tavlo {

std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& out)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (b0 < 0x80) {
        out = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, value = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, value = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, value = b0 & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    out = value;
    return length;
}

std::size_t utf8CharacterLength(std::string_view text, std::size_t i)
{
    char32_t ignored = 0;
    return decodeUtf8(text, i, ignored);
}

namespace {

// Start of the character that ends just before `end`: a trailing run of continuation
// bytes belongs to the lead byte before it only when together they form one valid character.
std::size_t previousCharacterStart(std::string_view text, std::size_t end)
{
    for (std::size_t back = 1; back <= 4 && back <= end; ++back) {
        const std::size_t start = end - back;
        if (utf8CharacterLength(text, start) == back)
            return start;
    }
    return end - 1;
}

} // namespace

std::string_view lastCharacters(std::string_view text, std::size_t n)
{
    std::size_t start = text.size();
    for (std::size_t taken = 0; taken < n && start > 0; ++taken)
        start = previousCharacterStart(text, start);
    return text.substr(start);
}

std::optional<std::string_view> withoutLastCharacters(std::string_view text, std::size_t n)
{
    std::size_t end = text.size();
    for (std::size_t dropped = 0; dropped < n; ++dropped) {
        if (end == 0)
            return std::nullopt;
        end = previousCharacterStart(text, end);
    }
    return text.substr(0, end);
}

} // namespace tavlo
