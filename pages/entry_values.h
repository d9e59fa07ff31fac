#pragma once
// The values the page writer forms from one file list entry.

#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

struct EntryValues {
    std::string fileName;        // upper case, after the last separator
    std::string entryFolder;     // upper case, up to and including the last separator
    std::string relativeFolder;  // the entry folder below the page folder
    std::string extension;       // upper case, after the last "." of the file name
    bool media = false;          // a sound, film or web page: an icon instead of a picture
    std::string target;          // where the cell links to
    std::string source;          // the cell's image
    std::string caption;
    std::optional<std::string> viewPageName;  // nullopt when it cannot be formed
    std::string viewImageSource;              // the image shown on the view page
};

struct EntryNaming {
    char separator;
    /// Case-sensitive file system: links name files exactly as they are on disk.
    bool caseSensitive;
};

EntryValues entryValues(std::string_view entry, std::string_view pageFolder, EntryNaming naming);

} // namespace tavlo
