#pragma once
// Names go into pages as the page's code page spells them, except for characters that
// would break the page or the link, or that the code page cannot spell: entities and
// character references in text, percent-encoding in link targets.

#include <string>
#include <string_view>

namespace tavlo {

/// A name (UTF-8) shown as text: " < > & become entities, a character the page's code
/// page cannot spell a numeric character reference; control characters and bytes that
/// are not UTF-8 become the replacement character.
std::string htmlText(std::string_view text);
/// A name (UTF-8) used as a link target or image source: " < > & # % ? (and "\" where
/// it is not the separator), control characters, bytes that are not UTF-8 and the spaces
/// at either end are percent-encoded, and so is, as its UTF-8, a character the page's
/// code page cannot spell. A link that a browser would read as a URL scheme, a
/// drive or a place from the root ("mailto:x.jpg", "c|/x.jpg", "/x.jpg") is led by
/// "./", so that it stays a path to its file relative to the page; a file URL is not.
std::string linkTarget(std::string_view path, char separator, bool isFileUrl = false);

} // namespace tavlo
