#include "platform/win32/win32_dpi.h"

#include <windows.h>

#include <cmath>

namespace tavlo {

int screenDpi(int axis)
{
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

double twipsPerPixelX() { return 1440.0 / screenDpi(LOGPIXELSX); }

int pixelsX(int twips) { return static_cast<int>(std::lround(twips / twipsPerPixelX())); }

int pixelsY(int twips) { return static_cast<int>(std::lround(twips * screenDpi(LOGPIXELSY) / 1440.0)); }

} // namespace tavlo
