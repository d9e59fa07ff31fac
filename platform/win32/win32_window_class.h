#pragma once
// The window classes of the program, and the object each of their windows stands for.

#include <windows.h>

namespace tavlo {

struct ClassIcons {
    HICON big = nullptr;
    HICON little = nullptr;
};

/// The program's icon in the two sizes the system shows it, loaded once for the
/// whole run: a registered class goes on using them.
ClassIcons programIcons();

/// Registers a class of windows with the system's dialog face; a class already
/// there (from an earlier window in the same run) stays as it is.
void registerWindowClass(const char* name, WNDPROC procedure, ClassIcons icons = {});

/// The object a window was created for (CreateWindowEx's last argument), kept with
/// the window from its first message on; nullptr where there is none.
void* windowObject(HWND window, UINT message, LPARAM lParam);

template <class Object>
Object* windowObjectAs(HWND window, UINT message, LPARAM lParam)
{
    return static_cast<Object*>(windowObject(window, message, lParam));
}

} // namespace tavlo
