#include "platform/win32/win32_window_class.h"

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace tavlo {
namespace {

IconOwner loadProgramIcon(int widthMetric, int heightMetric)
{
    return IconOwner(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON,
                                                   GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), 0)));
}

} // namespace

ClassIcons programIcons()
{
    static const IconOwner big = loadProgramIcon(SM_CXICON, SM_CYICON);
    static const IconOwner little = loadProgramIcon(SM_CXSMICON, SM_CYSMICON);
    return {big.get(), little.get()};
}

void registerWindowClass(const char* name, WNDPROC procedure, ClassIcons icons)
{
    // A class of wide characters: its windows take and give text in full, whatever the code page.
    const std::wstring className = wideText(name);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = icons.big;
    windowClass.hIconSm = icons.little;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className.c_str();
    RegisterClassExW(&windowClass);
}

void* windowObject(HWND window, UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<void*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

} // namespace tavlo
