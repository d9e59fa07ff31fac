#pragma once
// How a picture's view page is named, all in one place: the picture's file name in
// upper case without its extension, and ".HTM"; within one build, the first picture
// with a given name keeps it, and each later one whose name is taken gets "~N" before ".HTM".

#include "platform/entry_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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
    ViewPageNames(const EntryStore& entries, char separator, long first, long end);

    /// The view page name of the entry at that list item; nullopt where it has none.
    std::optional<std::string> nameOf(long item, std::string_view entry) const;

private:
    char separator_ = '/';
    // Where a picture's own name was taken: its list item and its N, in list order.
    struct Renamed {
        long item;
        std::uint32_t number;
    };
    std::vector<Renamed> renamed_;
};

} // namespace tavlo
