#pragma once
// The values the page writer forms from one file list entry.

#include "pages/link_from_page.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

/// A picture's own size in pixels, upright.
struct PictureSize {
    int width = 0;
    int height = 0;
};

struct EntryValues {
    std::string fileName;        // upper case, after the last separator
    std::string entryFolder;     // upper case, up to and including the last separator
    std::string relativeFolder;  // the entry folder as seen from the page folder
    std::string extension;       // upper case, after the last "." of the file name
    bool media = false;          // a sound, film or web page: an icon instead of a picture
    std::string target;          // where the cell links to
    std::string source;          // the cell's image
    std::string caption;
    std::optional<std::string> viewPageName;  // nullopt when it cannot be formed
    std::string viewImageSource;              // the image shown on the view page
    std::optional<PictureSize> viewImageSize; // its size where known (thumbnails made): fitted undistorted
    /// The entry's own file is reached by a file URL (another drive), not by a path.
    bool fileUrl = false;
};

EntryValues entryValues(std::string_view entry, std::string_view pageFolder, EntryNaming naming);

/// The name a picture entry's view page takes when no other picture of the build
/// has it; nullopt for a media entry, and for one whose name cannot be formed.
std::optional<std::string> ownViewPageName(std::string_view entry, char separator);

/// Gives the entry another view page name, and links its cell there.
void giveViewPageName(EntryValues& values, std::string name, EntryNaming naming);

} // namespace tavlo
