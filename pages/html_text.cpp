#include "pages/html_text.h"

#include "platform/text_case.h"
#include "platform/utf8.h"

#include <algorithm>

namespace tavlo {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// A character that the page's code page cannot spell, as a numeric character reference.
void appendReference(std::string_view character, std::string& out)
{
    char32_t c = 0;
    decodeUtf8(character, 0, c);
    std::string digits;
    for (; c != 0; c >>= 4)
        digits.insert(digits.begin(), kHex[c & 0xF]);
    out.append("&#x").append(digits).push_back(';');
}

void appendPercentEncoded(std::string_view bytes, std::string& out)
{
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        out.push_back('%');
        out.push_back(kHex[c >> 4]);
        out.push_back(kHex[c & 0xF]);
    }
}

// What a link needs in front so that a browser reads it as a path to its file: one
// whose first piece holds ":" starts a URL scheme ("javascript:", "mailto:"), and a
// letter followed by "|" is taken for a drive: those get "./".
std::string_view leadFor(std::string_view link, char separator)
{
    const auto isSeparator = [separator](char c) { return c == '/' || c == separator; };
    const std::string_view first = link.substr(0, std::ranges::find_if(link, isSeparator) - link.begin());
    const bool driveLike = first.size() == 2 && first[1] == '|' &&
                           ((first[0] >= 'A' && first[0] <= 'Z') || (first[0] >= 'a' && first[0] <= 'z'));
    return driveLike || first.find(':') != std::string_view::npos ? "./" : "";
}

// Whether every byte of a link is plain ASCII that a link carries as it is: most names
// are, and are then kept in one step instead of character by character.
bool keepsItsBytes(std::string_view path, char separator)
{
    if (!path.empty() && (path.front() == ' ' || path.back() == ' '))
        return false;
    return std::ranges::all_of(path, [separator](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c >= 0x20 && c < 0x7F && c != '"' && c != '<' && c != '>' && c != '&' && c != '#' && c != '%' &&
               c != '?' && (c != '\\' || separator == '\\');
    });
}

} // namespace

std::string htmlText(std::string_view text)
{
    const bool plain = std::ranges::all_of(text, [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c >= 0x20 && c < 0x7F && c != '"' && c != '<' && c != '>' && c != '&';
    });
    if (plain)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8CharacterLength(text, i);
        if (length == 0 || isControl(c)) {
            out += "&#xFFFD;";
            ++i;
            continue;
        }
        switch (c) {
        case '"': out += "&quot;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        default:
            if (!spellForPage(text.substr(i, length), out))
                appendReference(text.substr(i, length), out);
            break;
        }
        i += length;
    }
    return out;
}

std::string linkTarget(std::string_view path, char separator, bool isFileUrl)
{
    if (keepsItsBytes(path, separator))
        return isFileUrl ? std::string(path) : std::string(leadFor(path, separator)).append(path);
    // A browser drops the spaces at either end of a link target, so there they are encoded.
    const std::size_t firstKept = path.find_first_not_of(' ');
    const std::size_t lastKept = path.find_last_not_of(' ');
    std::string out;
    out.reserve(path.size() + 2);
    for (std::size_t i = 0; i < path.size();) {
        const auto c = static_cast<unsigned char>(path[i]);
        const std::size_t length = utf8CharacterLength(path, i);
        const bool special = c == '"' || c == '<' || c == '>' || c == '&' || c == '#' || c == '%' ||
                             c == '?' || (c == '\\' && separator != '\\') || isControl(c) ||
                             (c == ' ' && (i < firstKept || i > lastKept));
        if (length == 0 || special) {
            appendPercentEncoded(path.substr(i, 1), out);
            ++i;
            continue;
        }
        if (!spellForPage(path.substr(i, length), out))
            appendPercentEncoded(path.substr(i, length), out);  // its UTF-8, as a browser would send it
        i += length;
    }
    // Every other link keeps its bytes.
    return isFileUrl ? out : std::string(leadFor(out, separator)) + out;
}

} // namespace tavlo
