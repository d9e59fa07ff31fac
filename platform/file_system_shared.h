#pragma once
// What every file system backend does the same way: the lines of a text file as read,
// the order of a folder listing, and the failure of a creation that finds a file there.

#include "platform/file_system.h"

namespace tavlo {

/// Sorts a folder's names in the order the program lists them: by the upper-cased
/// name, ties broken by the name's bytes.
void sortAsListed(std::vector<FolderEntry>& entries);

/// The failure of creating a file only where nothing is there yet.
Failure fileAlreadyExists();

} // namespace tavlo
