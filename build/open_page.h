#pragma once
// Opening a built page in the browser, and the shared first steps of the builds.

#include "pages/job_variables.h"
#include "platform/platform.h"

#include <string>

namespace tavlo {

/// The document-open command a Windows build issues for a page, quoted so that a
/// blank or a shell character in a folder name can neither break nor extend it.
std::string openCommandLine(const std::string& page);

/// Opens the page (a full path) in the browser; a failure is never reported.
/// `named` is the page as the command names it.
void openPage(Platform& p, const std::string& named, const std::string& fullPath);

/// The page name derivation: the name up to its first ".", followed by ".HTM".
std::string pageNameFrom(const std::string& name);

struct OutputPath {
    std::string folder;  // Cartella_Tavlo: a full path, ending in a separator
    std::string name;    // Nome_File_Htm
};

/// Splits the output path typed in txtNOME_FILE_HTM into its folder and name.
/// A folder typed relative to the current folder is made a full path, so that
/// the page lands there even after the build has made that folder current.
OutputPath splitOutputPath(Platform& p);

/// Makes the page folder the current folder; refuses the build with a message
/// (false) when the output path names no folder or one that does not exist.
bool enterPageFolder(Platform& p, const std::string& folder);

} // namespace tavlo
