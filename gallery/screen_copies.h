#pragma once
// Ours, beside the thumbnails: a picture in a format that browsers cannot show
// (HEIC, HEIF, TIFF) also gets an upright JPEG copy for the screen in the thumbnail
// folder, which its view page and the viewer show instead of the original.

#include <string>
#include <string_view>

namespace tavlo {

inline constexpr int kScreenCopySide = 2048;  // the longer side, at most

/// Whether a picture of this extension (upper case) gets a screen copy.
bool needsScreenCopy(std::string_view extension);

/// The screen copy's file name beside the thumbnail of that name.
std::string screenCopyName(std::string_view thumbnailName);

} // namespace tavlo
