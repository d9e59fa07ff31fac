#pragma once
// The file system of a Windows desktop through the wide-character calls, its names
// in UTF-8 as the core keeps them: "\" paths with drive letters, letter case ignored,
// the fixed places "C:\TAVLO\" and "C:\" as written.

#include "platform/file_system.h"

#include <memory>
#include <string>

namespace tavlo {

struct Win32FileSystemOptions {
    std::string programFolder;   // empty: the folder of the running executable
    std::string templateFolder;  // empty: "C:\TAVLO\"
};

std::unique_ptr<FileSystem> createWin32FileSystem(Win32FileSystemOptions options = {});

/// The folder that holds the running executable, from the module path: without a
/// trailing "\", except for the root of a drive.
std::string moduleFolder();

/// The system's failure code and the system's description for a Windows error.
Failure failureFromWindowsError(unsigned long error);

} // namespace tavlo
