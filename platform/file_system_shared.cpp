#include "platform/file_system_shared.h"

#include "platform/text_case.h"
#include "platform/text_rules.h"

#include <algorithm>

namespace tavlo {

std::optional<std::vector<std::string>> FileSystem::readLines(const std::string& path, std::size_t limit)
{
    const auto content = readRegularFile(path, limit);
    if (!content)
        return std::nullopt;
    return textLines(*content);
}

void sortAsListed(std::vector<FolderEntry>& entries)
{
    struct Keyed {
        std::string key;
        FolderEntry entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    for (auto& entry : entries)
        keyed.push_back({upperCase(entry.name), std::move(entry)});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int byKey = a.key.compare(b.key);
        return byKey != 0 ? byKey < 0 : a.entry.name < b.entry.name;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        entries[i] = std::move(keyed[i].entry);
}

Failure fileAlreadyExists() { return {kErrFileAlreadyExists, "File already exists"}; }

} // namespace tavlo
