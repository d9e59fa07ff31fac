#pragma once
// The view page of a picture entry: the picture large, under its name, with a
// link back to the index page.

#include "pages/entry_values.h"
#include "pages/build_context.h"

namespace tavlo {

/// Writes the view page into the page folder, and notes it in the folder's record. Never
/// writes over a file that is not a view page of ours, whole or cut short (that fails
/// with "File already exists").
Failure writeViewPage(BuildContext& b, const EntryValues& entry);

} // namespace tavlo
