#pragma once
// The thumbnail maker: one picture decoded once, its square thumbnail and, where it
// needs one, its JPEG copy for the screen encoded from that decoding.

#include "platform/pictures.h"

#include <string>

namespace tavlo {

/// A picture's JPEG files; an empty thumbnail when the picture gave none, and why.
struct MadePictures {
    std::string thumbnail;
    std::string screenCopy;  // empty unless asked for
    Unmade unmade = Unmade::Undecodable;
};

/// The thumbnail of side x side and, when asked for, the screen copy, from one decoding.
MadePictures makePictures(const Pictures& pictures, const std::string& path, int side, bool screenCopy);

} // namespace tavlo
