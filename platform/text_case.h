#pragma once
// Upper- and lower-casing of the core's texts, which are UTF-8 on every platform:
// casing follows the platform's own rules (Unicode-aware on Linux, the system's
// tables on Windows), never splits a character, and leaves bytes that are not valid
// UTF-8 as they are. And the code page pages are written in.

#include <string>
#include <optional>
#include <string_view>

namespace tavlo {

std::string upperCase(std::string_view text);
std::string lowerCase(std::string_view text);
/// The first character in upper case, all the rest in lower case.
std::string firstUpperRestLower(std::string_view text);

} // namespace tavlo

namespace tavlo {

/// Whether pages are written in UTF-8 (Linux); on Windows they are in windows-1252,
/// as the header the Windows program ships declares.
bool codePageIsUtf8();
/// Appends one UTF-8 character to a page as the page's code page spells it; false,
/// with nothing appended, when that code page has no spelling for it. In a UTF-8 page
/// every character keeps its bytes.
bool spellForPage(std::string_view character, std::string& page);
/// The last n characters of a text (all of it when shorter).
std::string_view lastCharacters(std::string_view text, std::size_t n);
/// The text without its last n characters; nullopt when it has fewer than n.
std::optional<std::string_view> withoutLastCharacters(std::string_view text, std::size_t n);
/// Length in bytes of the valid UTF-8 character at text[i], or 0 when the bytes there are not one.
std::size_t utf8CharacterLength(std::string_view text, std::size_t i);

} // namespace tavlo
