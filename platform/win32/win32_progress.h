#pragma once
// The progress window of a long piece of work: a line of text and a cancel button,
// centred over the main window, which takes no clicks while it shows.

#include "platform/win32/win32_handles.h"

#include <string_view>

namespace tavlo {

class Win32Progress {
public:
    /// `owner` is the main window; `font` the face of the text and the button.
    Win32Progress(HWND owner, HFONT font) : owner_(owner), font_(font) {}

    /// Shows the window, made the first time, with the text and the button's
    /// caption. False when no window can be made: then the work runs to its end.
    bool show(std::string_view text, std::string_view cancelCaption);
    /// True once the user has asked to cancel: the button, or the window closed.
    bool cancelled() const { return cancelled_; }
    void close();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool create();

    HWND owner_;
    HFONT font_;
    WindowOwner window_;
    HWND text_ = nullptr;
    HWND button_ = nullptr;
    bool cancelled_ = false;
};

} // namespace tavlo
