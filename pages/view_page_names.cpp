#include "pages/view_page_names.h"

#include "pages/known_types.h"
#include "platform/text_case.h"
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

std::optional<std::string> ownViewPageName(std::string_view entry, char separator)
{
    if (trimBlanks(entry).empty())
        return std::nullopt;
    const auto last = entry.rfind(separator);
    const std::string fileName = upperCase(last == std::string_view::npos ? entry : entry.substr(last + 1));
    // The extension goes with its dot; a name without a dot loses its last character.
    const auto dot = fileName.rfind('.');
    if (dot != std::string::npos && isMediaExtension(std::string_view(fileName).substr(dot + 1)))
        return std::nullopt;
    const auto stem = withoutLastCharacters(fileName, dot == std::string::npos ? 1 : fileName.size() - dot);
    if (!stem)
        return std::nullopt;
    return std::string(*stem) + std::string(kPageEnd);
}

ViewPageNames::ViewPageNames(const std::vector<std::string>& entries, char separator, long first, long end)
    : separator_(separator)
{
    // View page names are formed in upper case, so equal names are equal ignoring case.
    const auto ownName = [&](long item) {
        return ownViewPageName(entries[static_cast<std::size_t>(item)], separator);
    };
    std::unordered_set<std::string> ownLikeGiven;
    for (long item = first; item < end; ++item)
        if (entries[static_cast<std::size_t>(item)].find('~') != std::string::npos)
            if (auto name = ownName(item); name && looksGiven(*name))
                ownLikeGiven.insert(std::move(*name));

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
        renamed_.emplace(item, std::move(candidate));
    }
}

std::optional<std::string> ViewPageNames::nameOf(long item, std::string_view entry) const
{
    const auto given = renamed_.find(item);
    if (given != renamed_.end())
        return given->second;
    return ownViewPageName(entry, separator_);
}

} // namespace tavlo
