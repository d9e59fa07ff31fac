#pragma once
// The screen's dots per inch, and the window design's twips in pixels at them.

namespace tavlo {

/// Dots per inch across (LOGPIXELSX) or down (LOGPIXELSY) the screen; 96 where
/// the screen gives none.
int screenDpi(int axis);
double twipsPerPixelX();
int pixelsX(int twips);
int pixelsY(int twips);

} // namespace tavlo
