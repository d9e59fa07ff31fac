#include "pages/view_page_names.h"

#include "pages/known_types.h"
#include "platform/text_case.h"
#include "platform/text_rules.h"

#include <algorithm>
#include <functional>
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

namespace {

// The distinct own names of a build's pictures, each with the lowest N still worth
// trying for it: the names held once, one after the other, and an open table of their
// places, so that a million pictures cost little more than their distinct names.
class NameTable {
public:
    struct Found {
        std::uint32_t index;
        bool added;
    };

    Found insert(std::string_view name)
    {
        if ((names_.size() + 1) * 2 > static_cast<long>(slots_.size()))
            grow();
        std::size_t slot = std::hash<std::string_view>{}(name) & (slots_.size() - 1);
        for (; slots_[slot] != 0; slot = (slot + 1) & (slots_.size() - 1))
            if (names_.at(slots_[slot] - 1) == name)
                return {slots_[slot] - 1, false};
        names_.append(name);
        next_.push_back(2);
        slots_[slot] = static_cast<std::uint32_t>(names_.size());
        return {slots_[slot] - 1, true};
    }
    std::uint32_t& nextNumber(std::uint32_t index) { return next_[index]; }

private:
    void grow()
    {
        std::vector<std::uint32_t> slots(std::max<std::size_t>(16, slots_.size() * 2), 0);
        for (long i = 0; i < names_.size(); ++i) {
            std::size_t slot = std::hash<std::string_view>{}(names_.at(i)) & (slots.size() - 1);
            while (slots[slot] != 0)
                slot = (slot + 1) & (slots.size() - 1);
            slots[slot] = static_cast<std::uint32_t>(i + 1);
        }
        slots_ = std::move(slots);
    }

    EntryStore names_;
    std::vector<std::uint32_t> next_;
    std::vector<std::uint32_t> slots_;  // a name's index + 1; 0 for a free slot
};

std::string givenName(std::string_view ownName, std::uint32_t number)
{
    ownName.remove_suffix(kPageEnd.size());
    return std::string(ownName) + "~" + std::to_string(number) + std::string(kPageEnd);
}

} // namespace

ViewPageNames::ViewPageNames(const EntryStore& entries, char separator, long first, long end) : separator_(separator)
{
    // View page names are formed in upper case, so equal names are equal ignoring case.
    // A name given is the picture's own name with "~N" before ".HTM", so it can only meet
    // a name given to a picture of the same own name, or an own name of that form.
    std::unordered_set<std::string> ownLikeGiven;
    for (long item = first; item < end; ++item)
        if (entries.at(item).find('~') != std::string_view::npos)
            if (auto name = ownViewPageName(entries.at(item), separator); name && looksGiven(*name))
                ownLikeGiven.insert(std::move(*name));

    NameTable own;
    for (long item = first; item < end; ++item) {
        const auto name = ownViewPageName(entries.at(item), separator);
        if (!name)
            continue;
        const auto [index, added] = own.insert(*name);
        if (added)
            continue;
        std::uint32_t& n = own.nextNumber(index);
        while (ownLikeGiven.contains(givenName(*name, n)))
            ++n;
        renamed_.push_back({item, n++});
    }
    renamed_.shrink_to_fit();  // held for the whole build
}

std::optional<std::string> ViewPageNames::nameOf(long item, std::string_view entry) const
{
    auto own = ownViewPageName(entry, separator_);
    const auto given = std::ranges::lower_bound(renamed_, item, {}, &Renamed::item);
    if (own && given != renamed_.end() && given->item == item)
        return givenName(*own, given->number);
    return own;
}

} // namespace tavlo
