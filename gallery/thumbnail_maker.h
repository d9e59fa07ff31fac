#pragma once
// The thumbnail maker: one picture decoded once, its square thumbnail and, where it
// needs one, its JPEG copy for the screen encoded from that decoding.

#include "platform/pictures.h"

#include <string>
#include <string_view>

namespace tavlo {

/// A picture's JPEG files; an empty thumbnail when the picture gave none, and why.
struct MadePictures {
    std::string thumbnail;
    std::string screenCopy;  // empty when the picture needs none
    int width = 0;           // the picture's own size, upright
    int height = 0;
    Unmade unmade = Unmade::Undecodable;
};

/// The thumbnail of side x side and, when the picture needs one, the screen copy, from one decoding.
MadePictures makePictures(const Pictures& pictures, const std::string& path, std::string_view extension, int side);

} // namespace tavlo
