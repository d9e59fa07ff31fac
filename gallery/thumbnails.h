#pragma once
// With thumbnails asked for (chkMINIATURE), the builds first make a small square thumbnail of
// every picture entry in the folder MINIATURE beside the pages, and the cells
// show it instead of the full picture.

#include "pages/build_context.h"
#include "pages/build_settings.h"

#include <string>

namespace tavlo {

inline constexpr int kThumbnailSide = 200;  // twice the cell's picture, sharp on dense screens

struct ThumbnailRun {
    bool stopped = false;   // cancelled, or a thumbnail could not be written: no page follows
    long keptOriginal = 0;  // picture entries that could not be decoded
    long tooLarge = 0;      // picture entries past the bounds of a decode, kept as well
};

/// Makes (or reuses) the thumbnails of every picture entry of the list, on every
/// core, with a progress window the user may cancel, and notes them in the build's
/// pictures. Not asked for, it notes none and does nothing else.
ThumbnailRun makeThumbnails(BuildContext& b, const BuildSettings& settings, const std::string& pageFolder);

/// At the end of a build: how many picture entries kept their original because they could
/// not be decoded, and how many because they are too large, each if any did.
void tellKeptOriginals(Services& p, const ThumbnailRun& run);

/// The thumbnail's file name for a picture: a readable stem and a hash of the full path.
std::string thumbnailName(std::string_view picturePath, char separator);

} // namespace tavlo
