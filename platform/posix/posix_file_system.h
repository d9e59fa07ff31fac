#pragma once
// The file system of a Linux desktop, with the fixed places of the program mapped
// onto it: the home folder stands for drive C:, "/" for a blank search folder.

#include "platform/file_system.h"

#include <memory>
#include <string>

namespace tavlo {

struct PosixFileSystemOptions {
    std::string programFolder;   // empty: the folder of the running executable
    std::string templateFolder;  // the fixed template folder
    std::string homeFolder;      // empty: the user's home folder
    bool caseSensitive = true;   // false: names and links upper- and lower-cased as on Windows
};

std::unique_ptr<FileSystem> createPosixFileSystem(PosixFileSystemOptions options);

/// The folder that holds the running executable, links resolved.
std::string executableFolder();

/// The system's failure code and description for an errno value.
Failure failureFromErrno(int error);

} // namespace tavlo
