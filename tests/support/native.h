#pragma once
// The tests that the Linux and the Windows builds share write their paths with "/"
// between names and their accented names in UTF-8. These turn them into the
// platform's own spelling: "\" between names and the ANSI code page on Windows.

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
