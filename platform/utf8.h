#pragma once
// Reading UTF-8, shared by the platforms' casing and the page writer's escaping.

#include <cstddef>
#include <string_view>

namespace tavlo {

/// Decodes the character at text[i]; returns its length in bytes, 0 when the bytes
/// there are not one valid UTF-8 character (overlong forms and surrogates included).
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& out);

} // namespace tavlo
