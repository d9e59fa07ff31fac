#pragma once
// Owners of the handles the window makes: each goes back to the system with its
// owner, by the call that frees its kind.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tavlo {

template <auto Free>
struct HandleFreer {
    template <class Handle>
    void operator()(Handle handle) const
    {
        Free(handle);
    }
};

template <class Handle, auto Free>
using HandleOwner = std::unique_ptr<std::remove_pointer_t<Handle>, HandleFreer<Free>>;

using FontOwner = HandleOwner<HFONT, &DeleteObject>;
using BrushOwner = HandleOwner<HBRUSH, &DeleteObject>;
using DcOwner = HandleOwner<HDC, &DeleteDC>;
using IconOwner = HandleOwner<HICON, &DestroyIcon>;
using WindowOwner = HandleOwner<HWND, &DestroyWindow>;

} // namespace tavlo
