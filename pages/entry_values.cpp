#include "pages/entry_values.h"

#include "pages/known_types.h"
#include "pages/link_from_page.h"
#include "platform/text_case.h"
#include "platform/text_rules.h"

namespace tavlo {

namespace {

std::string viewLinkOf(const std::string& name, EntryNaming naming)
{
    return naming.caseSensitive ? name : lowerCase(name);
}

} // namespace

EntryValues entryValues(std::string_view entry, std::string_view pageFolder, EntryNaming naming,
                        std::optional<std::string> viewPageName)
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

    const auto dot = v.fileName.rfind('.');
    v.extension = dot == std::string::npos ? std::string() : v.fileName.substr(dot + 1);
    v.media = isMediaExtension(v.extension);
    if (!v.media)
        v.viewPageName = std::move(viewPageName);

    v.fileUrl = link.isUrl;
    const std::string linkName = naming.caseSensitive ? asWritten.name : lowerCase(v.fileName);
    const std::string viewLink = v.viewPageName ? viewLinkOf(*v.viewPageName, naming) : std::string();

    v.target = v.media ? link.folder + linkName : viewLink;
    v.source = v.media ? std::string(mediaIcon(v.extension)) : link.folder + linkName;
    v.caption = trimBlanks(firstUpperRestLower(v.fileName));
    v.viewImageSource = naming.caseSensitive ? link.folder + asWritten.name : v.relativeFolder + v.fileName;
    return v;
}

} // namespace tavlo
