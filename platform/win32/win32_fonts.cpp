#include "platform/win32/win32_fonts.h"

#include "platform/win32/win32_dpi.h"

#include <cmath>

namespace tavlo {
namespace {

FontOwner createFont(FontFace face)
{
    // "MS Sans Serif" is the face the layout was drawn for, on every Windows (and in
    // Wine's own fonts); the desktop's UI font is wider and would cut the captions.
    LOGFONTA logFont{};
    lstrcpynA(logFont.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    double points = 8.25;
    bool bold = false;
    switch (face) {
    case FontFace::Regular: break;
    case FontFace::SansBold825: bold = true; break;
    case FontFace::Sans975: points = 9.75; break;
    case FontFace::SansBold135: points = 13.5, bold = true; break;
    case FontFace::ArialBold975:
        points = 9.75, bold = true;
        lstrcpynA(logFont.lfFaceName, "Arial", LF_FACESIZE);
        break;
    }
    logFont.lfHeight = -static_cast<LONG>(std::lround(points * screenDpi(LOGPIXELSY) / 72.0));
    logFont.lfWidth = 0;
    logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = FALSE;
    logFont.lfUnderline = FALSE;
    logFont.lfCharSet = DEFAULT_CHARSET;
    return FontOwner(CreateFontIndirectA(&logFont));
}

} // namespace

HFONT Win32Fonts::font(FontFace face)
{
    auto found = fonts_.find(face);
    if (found == fonts_.end())
        found = fonts_.emplace(face, createFont(face)).first;
    return found->second.get();
}

} // namespace tavlo
