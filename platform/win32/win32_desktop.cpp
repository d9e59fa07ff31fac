// The Windows desktop: the common controls and COM set up, the native window and
// the Windows file system.

#include "platform/desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_window.h"

#include <commctrl.h>
#include <objbase.h>

namespace tavlo {
namespace {

// The shell's document open may hand the page to a COM handler.
class ComApartment {
public:
    ComApartment()
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
    ~ComApartment()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_ = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
};

class Win32Desktop final : public Desktop {
public:
    ProgramWindow& window() override { return window_; }
    FileSystem& fileSystem() override { return *fs_; }

private:
    ComApartment com_;
    Win32Window window_;
    std::unique_ptr<FileSystem> fs_ = createWin32FileSystem();
};

} // namespace

std::unique_ptr<Desktop> createDesktop(int&, char**) { return std::make_unique<Win32Desktop>(); }

} // namespace tavlo
