#include "platform/win32/win32_progress.h"

#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_names.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window_class.h"

#include <string>

namespace tavlo {

LRESULT CALLBACK Win32Progress::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = windowObjectAs<Win32Progress>(window, message, lParam);
    // The button, or the window closed: the user asks to cancel; the work says when it has stopped.
    if (self != nullptr && ((message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) || message == WM_CLOSE)) {
        self->cancelled_ = true;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Win32Progress::create()
{
    registerWindowClass(kWin32ProgressClass, &Win32Progress::procedure);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, pixelsX(4500), pixelsY(1500)};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    RECT owner{};
    GetWindowRect(owner_, &owner);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    cancelled_ = false;
    window_.reset(CreateWindowExW(WS_EX_DLGMODALFRAME, wideText(kWin32ProgressClass).c_str(),
                                  wideText(kWin32MessageBoxTitle).c_str(), style,
                                  (owner.left + owner.right - width) / 2, (owner.top + owner.bottom - height) / 2,
                                  width, height, owner_, nullptr, instance, this));
    if (window_ == nullptr)
        return false;
    text_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0, pixelsY(240),
                            pixelsX(4500), pixelsY(285), window_.get(), nullptr, instance, nullptr);
    button_ = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, pixelsX(1650),
                              pixelsY(800), pixelsX(1200), pixelsY(450), window_.get(), nullptr, instance, nullptr);
    SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    EnableWindow(owner_, FALSE);
    ShowWindow(window_.get(), SW_SHOW);
    SetFocus(button_);
    return true;
}

bool Win32Progress::show(std::string_view text, std::string_view cancelCaption)
{
    if (window_ == nullptr && !create())
        return false;
    SetWindowTextW(text_, wideText(text).c_str());
    SetWindowTextW(button_, wideText(cancelCaption).c_str());
    return true;
}

void Win32Progress::close()
{
    if (window_ == nullptr)
        return;
    EnableWindow(owner_, TRUE);  // before the progress window goes, so that the main window takes the activation
    window_.reset();
    text_ = button_ = nullptr;
}

} // namespace tavlo
