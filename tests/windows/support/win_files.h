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

} // namespace tavlo::test
