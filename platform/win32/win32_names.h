#pragma once
// How frmTAVLO's native window can be found from outside the program, by the
// means Windows offers for it: the window class and one control identifier per
// control (GetDlgItem).

#include "platform/controls.h"

namespace tavlo {

inline constexpr const char* kWin32WindowClass = "TavloMainWindow";
inline constexpr const char* kWin32MessageBoxTitle = "TAVLO";
inline constexpr const char* kWin32ProgressClass = "TavloProgress";

/// Control identifiers start above IDOK and IDCANCEL, which keyboard handling
/// of the system sends on Enter and Escape.
constexpr int win32ControlId(ControlId id) { return 100 + static_cast<int>(id); }

} // namespace tavlo
