#pragma once
// How a picture's view page is named, all in one place: the picture's file name in
// upper case without its extension, and ".HTM"; within one build, the first picture
// with a given name keeps it, and each later one whose name is taken gets "~N" before ".HTM".

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavlo {

/// The name a picture entry's view page takes when no other picture of the build has
/// it; nullopt for a blank entry, a media entry, and one whose name cannot be formed.
std::optional<std::string> ownViewPageName(std::string_view entry, char separator);

class ViewPageNames {
public:
    /// No picture renamed: each keeps its own name (a page of entries without pictures).
    ViewPageNames() = default;
    /// Names the view pages of the picture entries first..end-1, in list order: its own to
    /// the first picture of each, and to each later one the lowest "~N" (N from 2) that is
    /// neither given already nor any of those pictures' own name.
    ViewPageNames(const std::vector<std::string>& entries, char separator, long first, long end);

    /// The view page name of the entry at that list item; nullopt where it has none.
    std::optional<std::string> nameOf(long item, std::string_view entry) const;

private:
    char separator_ = '/';
    std::unordered_map<long, std::string> renamed_;  // by list item, where its own name was taken
};

} // namespace tavlo
