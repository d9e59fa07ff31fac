#pragma once
// Ours, beside the thumbnails: a picture in a format that browsers cannot show
// (HEIC, HEIF, TIFF) also gets an upright JPEG copy for the screen in the thumbnail
// folder, which its view page and the viewer show instead of the original.

#include "platform/pictures.h"

#include <string>
#include <string_view>

namespace tavlo {

inline constexpr int kScreenCopySide = 2048;  // the longer side, at most

/// Whether a picture of this extension (upper case) gets a screen copy.
bool needsScreenCopy(std::string_view extension);

/// The screen copy's file name beside the thumbnail of that name.
std::string screenCopyName(std::string_view thumbnailName);

/// A picture's JPEG files; an empty thumbnail when the picture gave none, and why.
struct MadePictures {
    std::string thumbnail;
    std::string screenCopy;  // empty unless asked for
    Unmade unmade = Unmade::Undecodable;
};

/// The thumbnail of side x side and, when asked for, the screen copy, from one decoding.
MadePictures makePictures(const Pictures& pictures, const std::string& path, int side, bool screenCopy);

} // namespace tavlo
