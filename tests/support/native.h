#pragma once
// The shared tests write paths with "/" and names in UTF-8: these spell them the platform's way.
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
std::string onPage(std::string_view utf8);  // a UTF-8 text as a page spells it (windows-1252 on Windows)

} // namespace tavlo::test
