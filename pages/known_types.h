#pragma once
// The file types the system knows by their extension (upper case): which ones a
// load of "every known type" takes, which ones are media files (linked as they
// are, shown by an icon, no view page), and each media file's icon.

#include <string_view>

namespace tavlo {

/// The icon a media file's cell shows; empty for a picture.
std::string_view mediaIcon(std::string_view extension);

/// Media files get an icon and no view page.
bool isMediaExtension(std::string_view extension);

/// What the viewer plays a media file as, and its cell's data names: "film", "suono" (a
/// sound), or empty (a web page, or not a media file).
std::string_view playedAs(std::string_view extension);

/// The types the load of every known type takes.
bool isLoadedByEveryTypeLoad(std::string_view extension);

} // namespace tavlo
