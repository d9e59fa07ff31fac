#pragma once
// Ours, beside the thumbnails: with thumbnails asked for, a film's cell shows a frame of the
// film with a play mark, and a sound's cell the cover its file carries, instead of their icons.

#include "gallery/thumbnail_maker.h"

#include <string>
#include <string_view>

namespace tavlo {

/// The poster's JPEG of the film or sound at `path` (`playedAs` says which), side x side;
/// an empty thumbnail when the file gave none, and why.
MadePictures makePoster(const Pictures& pictures, const std::string& path, int side, std::string_view playedAs);

/// Draws the play mark, a light triangle on a dark disc, in the middle of a square picture.
void drawPlayMark(Picture& picture);

} // namespace tavlo
