#pragma once
// A view page per picture: within one build, the first picture with a given view page
// name keeps it, and each later one whose name is taken gets "~N" before ".HTM".

#include <string>
#include <unordered_map>
#include <vector>

namespace tavlo {

struct ViewPageNames {
    bool planned = false;  // by a build, for every page it writes
    long listCount = 0;    // the list the names were given for
    /// By list item: the name given where the picture's own was taken already.
    std::unordered_map<long, std::string> renamed;
};

/// Gives the picture entries first..end-1, in list order, their view
/// page names: its own to the first picture of each, and to each later one the lowest
/// "~N" (N from 2) that is neither given already nor any of those pictures' own name.
ViewPageNames planViewPageNames(const std::vector<std::string>& entries, char separator, long first, long end);

} // namespace tavlo
