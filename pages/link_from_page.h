#pragma once
// How a page reaches the folder of one of its entries.

#include <string>
#include <string_view>

namespace tavlo {

/// How the file system names files, for the links of a page.
struct EntryNaming {
    char separator;
    /// Case-sensitive file system: links name files exactly as they are on disk.
    bool caseSensitive;
};

struct FolderLink {
    std::string folder;  // put before the file's name; empty or ending in a separator
    bool outside = false;  // reached from outside the page folder's tree
    bool isUrl = false;    // a file URL, where no relative path can reach (another drive)
};

/// The entry folder without as many leading characters as the page folder has: the
/// page writer's own rule, which takes the entry to lie in or below the page folder.
std::string belowPageFolder(std::string_view entryFolder, std::string_view pageFolder);

/// An entry folder in or below the page folder (or one that is not a full path) is
/// what follows the page folder's length of characters, as the page writer has always
/// formed it. A full path elsewhere is reached by a relative path up ("../foto/"),
/// or, on another drive or share, by a file URL.
FolderLink folderFromPage(std::string_view entryFolder, std::string_view pageFolder, EntryNaming naming);

} // namespace tavlo
