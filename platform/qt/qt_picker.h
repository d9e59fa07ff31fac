#pragma once
// The picker as the toolkit's file dialog.

#include "platform/ui.h"

#include <QWidget>

#include <optional>
#include <string>

namespace tavlo {

/// The chosen path (a folder's ends in the separator), empty when cancelled.
std::optional<std::string> showPickerDialog(QWidget* parent, const PickerRequest& request);

} // namespace tavlo
