#include "gallery/open_page.h"

namespace tavlo {

void openPage(Services& p, const std::string& fullPath)
{
    // Each backend opens the page its own way (on Windows maximised, by the shell's
    // own open), with no command line formed; a failure is not reported.
    runSkippingFailures([&] { p.ui.openPage({fullPath}); });
}

} // namespace tavlo
