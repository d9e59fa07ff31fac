#pragma once
// Ours, beside the thumbnails: a picture larger than a screen, or in a format that
// browsers cannot show (HEIC, HEIF, TIFF), also gets an upright JPEG copy for the screen
// in the thumbnail folder, which its view page and the viewer show instead of the original.

#include <string>
#include <string_view>

namespace tavlo {

inline constexpr int kScreenCopySide = 2560;  // the longer side, at most: a large screen's

/// Whether a picture of this extension (upper case) gets a screen copy whatever its size.
bool needsScreenCopy(std::string_view extension);

/// Whether a picture of this extension and upright size gets a screen copy.
bool needsScreenCopy(std::string_view extension, int width, int height);

/// The screen copy's file name beside the thumbnail of that name.
std::string screenCopyName(std::string_view thumbnailName);

} // namespace tavlo
