#pragma once
// Paths in the tests shared by the Linux and Windows builds are written with "/" and
// names in UTF-8; these spell them as the platform does.

#include <algorithm>
#include <string>
#include <string_view>

namespace tavlo::test {

#ifdef _WIN32
inline constexpr bool kWindows = true;
inline constexpr char kSep = '\\';
#else
inline constexpr bool kWindows = false;
inline constexpr char kSep = '/';
#endif

inline std::string native(std::string_view path)
{
    std::string spelt(path);
    std::replace(spelt.begin(), spelt.end(), '/', kSep);
    return spelt;
}

/// A full path from the root "/": on Windows from the root of drive C:.
inline std::string fromRoot(std::string_view path) { return (kWindows ? "C:" : "") + native(path); }

/// A UTF-8 text in the platform's code page.
std::string inCodePage(std::string_view utf8);

} // namespace tavlo::test
