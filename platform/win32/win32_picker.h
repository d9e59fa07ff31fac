#pragma once
// The picker as the system's Open dialog.

#include "platform/ui.h"

#include <windows.h>

#include <optional>
#include <string>

namespace tavlo {

/// The chosen path, empty when cancelled, nullopt when the dialog could not be shown.
std::optional<std::string> showOpenDialog(HWND owner, const PickerRequest& request);

} // namespace tavlo
