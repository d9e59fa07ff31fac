#include "gallery/open_page.h"

namespace tavlo {

std::string openCommandLine(const std::string& page)
{
    // The text as the builds word it, page unquoted; no backend hands it to a shell:
    // each opens the document path itself.
    return "START /max /w " + page;
}

void openPage(Platform& p, const std::string& named, const std::string& fullPath)
{
    runSkippingFailures([&] { p.ui.openPage({openCommandLine(named), fullPath}); });
}

} // namespace tavlo
