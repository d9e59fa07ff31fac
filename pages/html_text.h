#pragma once
// Names go into pages as they are, except for characters that would break the
// page or the link: entities in text, percent-encoding in link targets.

#include <string>
#include <string_view>

namespace tavlo {

/// A name shown as text: " < > & become entities; control characters and bytes
/// that are not text in the code page become the replacement character.
std::string htmlText(std::string_view text);
/// A name used as a link target or image source: " < > & # % ? (and "\" where it is
/// not the separator), control characters, bytes that are not text and the spaces at
/// either end are percent-encoded. A link that a browser would read as a URL scheme, a
/// drive or a place from the root ("mailto:x.jpg", "c|/x.jpg", "/x.jpg") is led by
/// "./", so that it stays a path to its file relative to the page; a file URL is not.
std::string linkTarget(std::string_view path, char separator, bool isFileUrl = false);

} // namespace tavlo
