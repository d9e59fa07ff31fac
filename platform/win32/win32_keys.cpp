#include "platform/win32/win32_keys.h"

namespace tavlo {
namespace {

bool isChildOf(HWND parent, HWND window) { return window != nullptr && GetParent(window) == parent; }

bool hasClass(HWND window, const char* name)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

} // namespace

bool handleDialogKey(HWND window, const std::vector<HWND>& tabOrder, const MSG& message)
{
    if (message.message != WM_KEYDOWN || !isChildOf(window, message.hwnd))
        return false;
    // Enter on a button that has the focus clicks it, as the space bar does.
    if (message.wParam == VK_RETURN && hasClass(message.hwnd, "Button") &&
        (GetWindowLongPtrA(message.hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW) {
        SendMessageA(message.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    if (message.wParam != VK_TAB)
        return false;
    if ((GetKeyState(VK_CONTROL) & 0x8000) != 0)
        return false;
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const auto count = static_cast<long>(tabOrder.size());
    long at = 0;
    while (at < count && tabOrder[static_cast<std::size_t>(at)] != message.hwnd)
        ++at;
    for (long step = 1; step <= count; ++step) {
        const long next = ((backwards ? at - step : at + step) % count + count) % count;
        const HWND candidate = tabOrder[static_cast<std::size_t>(next)];
        if (IsWindowVisible(candidate) && IsWindowEnabled(candidate)) {
            SetFocus(candidate);
            if (hasClass(candidate, "Edit"))  // a text box reached by the tab key has its text selected
                SendMessageA(candidate, EM_SETSEL, 0, -1);
            return true;
        }
    }
    return true;
}

} // namespace tavlo
