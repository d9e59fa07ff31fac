#pragma once
// Opening a built page in the browser.

#include "platform/platform.h"

#include <string>

namespace tavlo {

/// The document-open command text for a page, as the builds and the result viewer name it.
std::string openCommandLine(const std::string& page);

/// Opens the page (a full path) in the browser; a failure is never reported.
/// `named` is the page as the command names it.
void openPage(Platform& p, const std::string& named, const std::string& fullPath);

} // namespace tavlo
