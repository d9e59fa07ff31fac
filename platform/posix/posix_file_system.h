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

/// The file system of the running program: the fixed template folder is the
/// installed data folder for an installed program, the source tree's template
/// folder for one run from its build tree.
std::unique_ptr<FileSystem> createProgramFileSystem();

/// The folder that holds the running executable, links resolved.
std::string executableFolder();

/// The system's failure code and description for an errno value.
Failure failureFromErrno(int error);

} // namespace tavlo
