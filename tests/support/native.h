#pragma once
// The tests shared by the Linux and Windows builds write paths with "/" between names
// and accented names in UTF-8; these spell them as the platform does.

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

/// A path written with "/" between names, with the platform's separator instead.
inline std::string native(std::string_view path)
{
    std::string spelt(path);
    std::replace(spelt.begin(), spelt.end(), '/', kSep);
    return spelt;
}

/// A full path written from the root "/": on Windows from the root of drive C:.
inline std::string fromRoot(std::string_view path) { return (kWindows ? "C:" : "") + native(path); }

/// A text written in UTF-8, in the platform's code page (on Linux UTF-8 itself).
std::string inCodePage(std::string_view utf8);

} // namespace tavlo::test
