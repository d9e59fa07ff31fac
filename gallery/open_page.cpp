#include "gallery/open_page.h"

namespace tavlo {

void openPage(Platform& p, const std::string& fullPath)
{
    // The tool has the shell start the page maximised; each backend opens the
    // document itself, with no shell in between.
    runSkippingFailures([&] { p.ui.openPage({fullPath}); });
}

} // namespace tavlo
