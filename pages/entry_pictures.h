#pragma once
// Ours, in thumbnail mode: the pictures the build made for the entries' cells.

#include <functional>
#include <map>
#include <string>

namespace tavlo {

struct EntryPictures {
    /// By picture entry: the thumbnail its cell shows, as a path from the page folder.
    std::map<std::string, std::string, std::less<>> thumbnails;
    /// By picture entry that browsers cannot show: its JPEG copy for the screen, which
    /// its view page and the viewer show instead.
    std::map<std::string, std::string, std::less<>> screenCopies;
};

} // namespace tavlo
