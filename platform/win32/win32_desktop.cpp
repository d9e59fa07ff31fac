// The Windows desktop: the common controls and COM set up, the native window and
// the Windows file system.

#include "platform/desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_window.h"

#include <commctrl.h>

namespace tavlo {
namespace {

// The common controls set up before the window makes any.
struct CommonControls {
    CommonControls()
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
};

class Win32Desktop final : public Desktop {
public:
    ProgramWindow& window() override { return window_; }
    FileSystem& fileSystem() override { return *fs_; }

private:
    ComScope com_{kWindowApartment};  // the window's thread, for the whole program
    CommonControls controls_;
    Win32Window window_;
    std::unique_ptr<FileSystem> fs_ = createWin32FileSystem();
};

} // namespace

std::unique_ptr<Desktop> createDesktop(int&, char**) { return std::make_unique<Win32Desktop>(); }

} // namespace tavlo
