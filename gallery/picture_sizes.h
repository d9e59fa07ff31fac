#pragma once
// Ours: the size of each picture whose thumbnail lies in the thumbnail folder, kept there
// in a small file of the build's, so that a build that uses a thumbnail again knows its
// picture's size (for its screen copy and its view page) without decoding the picture.

#include "pages/build_context.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace tavlo {

inline constexpr std::string_view kPictureSizesFile = ".misure";

/// A picture's upright size, as it was when its thumbnail was made.
struct KnownSize {
    std::int64_t changed = 0;  // the picture's time of last change then
    PictureSize size;
};

class PictureSizes {
public:
    /// The sizes kept in a thumbnail folder: none when the file is not there, not ours or unreadable.
    static PictureSizes read(BuildContext& b, const std::string& folder);

    /// The size of the picture of that thumbnail, if kept for the picture as it is now (`changed`).
    const PictureSize* find(const std::string& thumbnailName, std::int64_t changed) const;
    void set(const std::string& thumbnailName, KnownSize size);

    /// Writes the file anew if a size was set, unless a file of the user's has its name; a
    /// failure leaves the thumbnails to be made again by a later build.
    void keep(BuildContext& b, const std::string& folder);

private:
    std::map<std::string, KnownSize, std::less<>> sizes_;
    bool changed_ = false;
};

} // namespace tavlo
