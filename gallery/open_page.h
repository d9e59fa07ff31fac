#pragma once
// Opening a built page in the browser.

#include "platform/platform.h"

#include <string>

namespace tavlo {

/// Opens the page (a full path) in the browser; a failure is never reported.
void openPage(Services& p, const std::string& fullPath);

} // namespace tavlo
