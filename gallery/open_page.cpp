#include "gallery/open_page.h"

namespace tavlo {

std::string openCommandLine(const std::string& page)
{
    // The empty title keeps START from taking the quoted page for a window title.
    return "START /max /w \"\" \"" + page + "\"";
}

void openPage(Platform& p, const std::string& named, const std::string& fullPath)
{
    runSkippingFailures([&] { p.ui.openPage({openCommandLine(named), fullPath}); });
}

} // namespace tavlo
