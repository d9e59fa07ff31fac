#include "pages/entry_values.h"

#include "pages/known_types.h"
#include "platform/text_case.h"
#include "platform/text_rules.h"

namespace tavlo {

namespace {

// The folder below the page folder: the entry folder without as many leading
// characters as the page folder has (the entry is taken to lie in or below it).
std::string relativeTo(const std::string& entryFolder, std::string_view pageFolder)
{
    if (pageFolder.empty() || entryFolder.size() <= pageFolder.size())
        return {};
    return entryFolder.substr(pageFolder.size());
}

} // namespace

EntryValues entryValues(std::string_view entry, std::string_view pageFolder, EntryNaming naming)
{
    // The names as they are written in the entry, and upper-cased as the pages name them.
    const PathParts asWritten = Dividi_Percorso(entry, naming.separator);
    EntryValues v;
    v.fileName = upperCase(asWritten.name);
    v.entryFolder = upperCase(asWritten.folder);
    v.relativeFolder = relativeTo(v.entryFolder, pageFolder);

    const auto dot = v.fileName.rfind('.');
    v.extension = dot == std::string::npos ? std::string() : v.fileName.substr(dot + 1);
    v.media = isMediaExtension(v.extension);

    const std::size_t dropped = dot == std::string::npos ? 1 : v.extension.size() + 1;
    if (auto stem = withoutLastCharacters(v.fileName, dropped))
        v.viewPageName = std::string(*stem) + ".HTM";

    // Where the file system tells letter case apart, links name files exactly as on disk.
    const std::string linkFolder =
        naming.caseSensitive ? relativeTo(asWritten.folder, pageFolder) : v.relativeFolder;
    const std::string linkName = naming.caseSensitive ? asWritten.name : lowerCase(v.fileName);
    const std::string viewLink =
        !v.viewPageName ? std::string() : (naming.caseSensitive ? *v.viewPageName : lowerCase(*v.viewPageName));

    v.target = v.media ? linkFolder + linkName : viewLink;
    v.source = v.media ? std::string(mediaIcon(v.extension)) : linkFolder + linkName;
    v.caption = trimBlanks(firstUpperRestLower(v.fileName));
    v.viewImageSource = naming.caseSensitive ? linkFolder + asWritten.name : v.relativeFolder + v.fileName;
    return v;
}

} // namespace tavlo
