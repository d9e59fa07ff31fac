#pragma once
// Where names cross the Windows seam: the system speaks UTF-16, the core UTF-8.

#include <string>
#include <string_view>

namespace tavlo {

/// A UTF-8 text as the system's wide characters; bytes that are not UTF-8 become U+FFFD.
std::wstring wideText(std::string_view utf8);
/// The system's wide characters as UTF-8; a lone surrogate becomes U+FFFD.
std::string utf8Text(std::wstring_view wide);
/// A path for the wide file calls: a full path too long for the plain form gets the
/// "\\?\" form, which reaches past MAX_PATH.
std::wstring systemPath(std::string_view utf8);

} // namespace tavlo
