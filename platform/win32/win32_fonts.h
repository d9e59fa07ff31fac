#pragma once
// The fonts of the window design, each made once and kept while the window lives.

#include "platform/form_layout.h"
#include "platform/win32/win32_handles.h"

#include <map>

namespace tavlo {

class Win32Fonts {
public:
    HFONT font(FontFace face);

private:
    std::map<FontFace, FontOwner> fonts_;
};

} // namespace tavlo
