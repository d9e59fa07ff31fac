#pragma once
// Files and folders on a Windows drive for the tests, by the system's own ANSI
// calls: names are bytes in the ANSI code page, as the program sees them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo::test {

/// Creates a folder and every folder above it that is missing.
void makeFolders(const std::string& path);
/// Creates a new folder with a unique name in `parent` (ending in "\"); returns its path.
std::string makeUniqueFolder(const std::string& parent, std::string_view prefix);
/// Removes a folder with everything in it (hidden and read-only entries too).
void removeTree(const std::string& path);
/// Writes a file byte for byte, creating the folders above it.
void writeBytes(const std::string& path, std::string_view content);
/// The bytes of a file; nullopt when it cannot be read.
std::optional<std::string> readBytes(const std::string& path);
bool pathExists(const std::string& path);
/// The names in a folder exactly as the system stores them, in no particular order.
std::vector<std::string> namesIn(const std::string& folder);
bool holds(const std::vector<std::string>& names, const std::string& name);

/// What a build writes beside a page besides the page and its view pages: the header,
/// the footer and the pictures, under the names the template copy gives them.
inline const std::vector<std::string> kCopiedTemplates{"INTESTAZ.HTM", "INTEST_2.HTM", "PIEDE.HTM",   "DIAPOSIT.JPG",
                                                       "FILM-1A.JPG",  "FOTO-1A.JPG",  "HTM-1A.JPG",  "MUSIC-1A.JPG",
                                                       "SFONDO1G.JPG", "SFONDO1P.JPG"};
/// Whether a text ends every line, the last one too, in CR LF and has no other CR or LF.
bool everyLineEndsInCrLf(const std::string& text);
/// The link targets and image sources of a page (in `folder`, ending in "\") that
/// reach no file.
std::vector<std::string> brokenLinks(const std::string& folder, const std::string& page);

} // namespace tavlo::test
