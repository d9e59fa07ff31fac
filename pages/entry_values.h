#pragma once
// The values the page writer forms from one file list entry.

#include "pages/link_from_page.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

struct EntryValues {
    std::string fileName;        // upper case, after the last separator
    std::string entryFolder;     // upper case, up to and including the last separator
    std::string relativeFolder;  // the entry folder as seen from the page folder
    std::string extension;       // upper case, after the last "." of the file name
    bool media = false;          // a sound, film or web page: an icon instead of a picture
    std::string target;          // where the cell links to
    std::string source;          // the cell's image
    std::string caption;
    std::optional<std::string> viewPageName;  // as the build named it; nullopt for none
    std::string viewImageSource;              // the image shown on the view page
    /// The entry's own file is reached by a file URL (another drive), not by a path.
    bool fileUrl = false;
};

/// The values of an entry whose view page the build named `viewPageName` (view_page_names.h).
EntryValues entryValues(std::string_view entry, std::string_view pageFolder, EntryNaming naming,
                        std::optional<std::string> viewPageName = std::nullopt);

} // namespace tavlo
