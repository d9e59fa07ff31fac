#include "pages/link_from_page.h"

#include "platform/text_case.h"

#include <vector>

namespace tavlo {
namespace {

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool isFullPath(std::string_view path, char sep)
{
    if (sep == '/')
        return path.starts_with('/');
    const bool onDrive = path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && path[2] == sep;
    return onDrive || path.starts_with(std::string{sep, sep});
}

bool sameName(std::string_view a, std::string_view b, bool caseSensitive)
{
    return a == b || (!caseSensitive && upperCase(a) == upperCase(b));
}

std::vector<std::string_view> piecesOf(std::string_view path, char sep)
{
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0; start < path.size();) {
        const std::size_t end = path.find(sep, start);
        pieces.push_back(path.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return pieces;  // a path ending in the separator has no empty last piece
}

// The pieces that name a drive or a share: what a relative path cannot leave.
std::size_t rootPieces(std::string_view path, char sep)
{
    if (sep == '/')
        return 1;  // the empty piece before the first "/"
    return path.starts_with(std::string{sep, sep}) ? 4 : 1;  // "", "", server, share; or "C:"
}

std::string fileUrl(std::string_view folder, char sep)
{
    std::string url = folder.starts_with(std::string{sep, sep}) ? "file:" : "file:///";
    for (char c : folder)
        url.push_back(c == sep ? '/' : c);
    return url;
}

FolderLink reachFrom(std::string_view pageFolder, std::string_view entryFolder, EntryNaming naming)
{
    const char sep = naming.separator;
    const auto page = piecesOf(pageFolder, sep), entry = piecesOf(entryFolder, sep);
    const std::size_t root = rootPieces(entryFolder, sep);
    std::size_t common = 0;
    while (common < page.size() && common < entry.size() && sameName(page[common], entry[common], naming.caseSensitive))
        ++common;
    if (common < root || rootPieces(pageFolder, sep) != root)
        return {fileUrl(entryFolder, sep), true, true};
    std::string folder;
    for (std::size_t i = common; i < page.size(); ++i)
        folder += std::string("..") + sep;
    for (std::size_t i = common; i < entry.size(); ++i)
        folder.append(entry[i]).push_back(sep);
    return {folder, true, false};
}

} // namespace

std::string belowPageFolder(std::string_view entryFolder, std::string_view pageFolder)
{
    if (pageFolder.empty() || entryFolder.size() <= pageFolder.size())
        return {};
    return std::string(entryFolder.substr(pageFolder.size()));
}

FolderLink folderFromPage(std::string_view entryFolder, std::string_view pageFolder, EntryNaming naming)
{
    const bool below = pageFolder.empty() || sameName(entryFolder.substr(0, pageFolder.size()), pageFolder, naming.caseSensitive);
    if (below || !isFullPath(entryFolder, naming.separator) || !isFullPath(pageFolder, naming.separator))
        return {belowPageFolder(entryFolder, pageFolder)};
    return reachFrom(pageFolder, entryFolder, naming);
}

} // namespace tavlo
