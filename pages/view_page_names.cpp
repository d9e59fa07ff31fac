#include "pages/view_page_names.h"

#include "pages/entry_values.h"
#include "platform/text_rules.h"

#include <algorithm>
#include <unordered_set>

namespace tavlo {
namespace {

constexpr std::string_view kPageEnd = ".HTM";

// Whether a view page name has the form of a given one, "...~N.HTM": only such an
// own name can stand in the way of one.
bool looksGiven(std::string_view name)
{
    if (!name.ends_with(kPageEnd))
        return false;
    name.remove_suffix(kPageEnd.size());
    const auto tilde = name.rfind('~');
    return tilde != std::string_view::npos && tilde + 1 < name.size() &&
           name.find_first_not_of("0123456789", tilde + 1) == std::string_view::npos;
}

} // namespace

ViewPageNames planViewPageNames(const std::vector<std::string>& entries, char separator, long first, long end)
{
    // View page names are formed in upper case, so equal names are equal ignoring case.
    const auto ownName = [&](long item) -> std::optional<std::string> {
        const std::string& entry = entries[static_cast<std::size_t>(item)];
        return trimBlanks(entry).empty() ? std::nullopt : ownViewPageName(entry, separator);
    };
    std::unordered_set<std::string> ownLikeGiven;
    for (long item = first; item < end; ++item)
        if (entries[static_cast<std::size_t>(item)].find('~') != std::string::npos)
            if (auto name = ownName(item); name && looksGiven(*name))
                ownLikeGiven.insert(std::move(*name));

    ViewPageNames names{true, static_cast<long>(entries.size()), {}};
    std::unordered_set<std::string> given;
    given.reserve(static_cast<std::size_t>(std::max(0L, end - first)));
    std::unordered_map<std::string, long> nextNumber;  // each name's lowest N still worth trying
    for (long item = first; item < end; ++item) {
        auto name = ownName(item);
        if (!name || given.insert(*name).second)
            continue;
        long& n = nextNumber.try_emplace(*name, 2).first->second;
        const std::string stem = name->substr(0, name->size() - kPageEnd.size());
        std::string candidate;
        for (;; ++n) {
            candidate = stem + "~" + std::to_string(n) + std::string(kPageEnd);
            if (!ownLikeGiven.contains(candidate) && !given.contains(candidate))
                break;
        }
        given.insert(candidate);
        names.renamed.emplace(item, std::move(candidate));
    }
    return names;
}

} // namespace tavlo
