#include "pages/entry_values.h"

#include "pages/known_types.h"
#include "pages/link_from_page.h"
#include "platform/text_case.h"
#include "platform/text_rules.h"

namespace tavlo {

namespace {

struct NameParts {
    std::string extension;
    bool media = false;
    std::optional<std::string> viewPageName;
};

// From the file name in upper case: its extension, and the view page name, which drops
// the extension with its dot (or, without a dot, the last character).
NameParts namePartsOf(const std::string& fileName)
{
    NameParts parts;
    const auto dot = fileName.rfind('.');
    parts.extension = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
    parts.media = isMediaExtension(parts.extension);
    const std::size_t dropped = dot == std::string::npos ? 1 : parts.extension.size() + 1;
    if (auto stem = withoutLastCharacters(fileName, dropped))
        parts.viewPageName = std::string(*stem) + ".HTM";
    return parts;
}

std::string viewLinkOf(const std::string& name, EntryNaming naming)
{
    return naming.caseSensitive ? name : lowerCase(name);
}

} // namespace

EntryValues entryValues(std::string_view entry, std::string_view pageFolder, EntryNaming naming)
{
    // The names as they are written in the entry, and upper-cased as the pages name them.
    const PathParts asWritten = Dividi_Percorso(entry, naming.separator);
    EntryValues v;
    v.fileName = upperCase(asWritten.name);
    v.entryFolder = upperCase(asWritten.folder);
    // Where the file system tells letter case apart, links name files exactly as on disk.
    const FolderLink link = folderFromPage(naming.caseSensitive ? asWritten.folder : v.entryFolder, pageFolder, naming);
    v.relativeFolder = !naming.caseSensitive ? link.folder
                       : link.outside        ? upperCase(link.folder)
                                             : belowPageFolder(v.entryFolder, pageFolder);

    NameParts parts = namePartsOf(v.fileName);
    v.extension = std::move(parts.extension);
    v.media = parts.media;
    v.viewPageName = std::move(parts.viewPageName);

    v.fileUrl = link.isUrl;
    const std::string linkName = naming.caseSensitive ? asWritten.name : lowerCase(v.fileName);
    const std::string viewLink = v.viewPageName ? viewLinkOf(*v.viewPageName, naming) : std::string();

    v.target = v.media ? link.folder + linkName : viewLink;
    v.source = v.media ? std::string(mediaIcon(v.extension)) : link.folder + linkName;
    v.caption = trimBlanks(firstUpperRestLower(v.fileName));
    v.viewImageSource = naming.caseSensitive ? link.folder + asWritten.name : v.relativeFolder + v.fileName;
    return v;
}

std::optional<std::string> ownViewPageName(std::string_view entry, char separator)
{
    const auto last = entry.rfind(separator);
    NameParts parts = namePartsOf(upperCase(last == std::string_view::npos ? entry : entry.substr(last + 1)));
    if (parts.media)
        return std::nullopt;
    return std::move(parts.viewPageName);
}

void giveViewPageName(EntryValues& values, std::string name, EntryNaming naming)
{
    values.target = viewLinkOf(name, naming);
    values.viewPageName = std::move(name);
}

} // namespace tavlo
