#pragma once
// The keys a dialog box would take on its own, for a main window that is no dialog box.

#include <windows.h>

#include <vector>

namespace tavlo {

/// Tab and Shift+Tab move the focus among `tabOrder`, the controls of `window` in
/// the design table's order; Enter clicks the owner-drawn button that has the
/// focus. True when the key was taken.
bool handleDialogKey(HWND window, const std::vector<HWND>& tabOrder, const MSG& message);

} // namespace tavlo
