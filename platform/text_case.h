#pragma once
// Upper- and lower-casing in the platform's code page. On Linux the code page is
// UTF-8: casing is Unicode-aware, never splits a character, and leaves bytes that
// are not valid UTF-8 as they are.

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

/// Whether the platform's code page is UTF-8 (bytes that are not valid UTF-8 are then not text).
bool codePageIsUtf8();
/// The last n characters of a text (all of it when shorter).
std::string_view lastCharacters(std::string_view text, std::size_t n);
/// The text without its last n characters; nullopt when it has fewer than n.
std::optional<std::string_view> withoutLastCharacters(std::string_view text, std::size_t n);
/// Length in bytes of the valid UTF-8 character at text[i], or 0 when the bytes there are not one.
std::size_t utf8CharacterLength(std::string_view text, std::size_t i);

} // namespace tavlo
