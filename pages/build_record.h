#pragma once
// What a build wrote, kept in a small hidden list in each folder it wrote into (pages,
// view pages, template copies, the thumbnail folder), so that a later load of that
// folder does not take the gallery's own files as pictures of the user's.

#include "pages/job_variables.h"
#include "platform/platform.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

/// Notes a file (or folder) that the build wrote.
void noteWritten(JobVariables& job, const std::string& folder, std::string_view name);

/// Adds the names noted since the last call to each folder's list. Failures are ignored:
/// the gallery is whole without its list.
void keepBuildRecords(Platform& p, JobVariables& job);

/// The names a build of ours wrote into a folder, as its list keeps them; the scan
/// reads it only when the listing holds it. Where letter case does not matter on
/// disk, they are in upper case.
class BuildRecord {
public:
    BuildRecord() = default;
    BuildRecord(FileSystem& fs, const std::string& folder);
    bool wrote(std::string_view name) const;

private:
    std::set<std::string, std::less<>> names_;
    bool caseSensitive_ = true;
};

/// Whether a folder listing holds a build's list.
bool holdsBuildRecord(const std::vector<FolderEntry>& names);

} // namespace tavlo
