#pragma once
// The controls the window draws itself: its push buttons, the list's entries, and
// the credit with its shadow.

#include "platform/entry_store.h"

#include <windows.h>

namespace tavlo {

/// A push button: the caption's lines wrapped and centred across the face and down it.
/// A system button keeps wide margins of its own inside its face, and the long
/// captions wrap onto too many lines there.
void drawButton(const DRAWITEMSTRUCT& item);

/// One entry of the list box, which holds no data of its own: the text comes from `entries`.
void drawEntry(const DRAWITEMSTRUCT& item, const EntryStore& entries);

/// The credit (the label `item` stands for) as the shadow label `shadow` and the
/// text label `text` show it together.
void drawCredit(const DRAWITEMSTRUCT& item, HWND shadow, HWND text);

} // namespace tavlo
