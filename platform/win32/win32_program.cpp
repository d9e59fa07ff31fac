// The native Windows program: frmTAVLO on the Win32 window, the Windows file
// system, start-up, then the message loop.
#include "platform/program.h"

#include "app/frm_tavlo.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_window.h"

#include <commctrl.h>
#include <objbase.h>

namespace tavlo {

int runProgram(int, char**)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The shell's document open may hand the page to a COM handler.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    int exitCode = 0;
    {
        Win32Window window;
        const auto fs = createWin32FileSystem();
        const auto pictures = createPictures();
        frmTAVLO form(window, window, *fs, pictures.get());
        window.onClick = [&form](ControlId id) { form.click(id); };
        window.onClose = [&form] { form.close(); };

        form.Form_Load();
        if (!window.programEnded()) {
            window.show();
            exitCode = window.run();
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return exitCode;
}

} // namespace tavlo
