#pragma once
// The pages a build will write, known before it writes anything.

#include <string>
#include <vector>

namespace tavlo {

struct PagePlan {
    std::string folder;               // the page folder, ending in a separator
    std::vector<std::string> series;  // the series' pages, in order; none for the single page
    std::string index;                // the page at the output path: the single page, or the series' index
};

} // namespace tavlo
