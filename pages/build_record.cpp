#include "pages/build_record.h"

#include "platform/text_case.h"

#include <algorithm>

namespace tavlo {

void noteWritten(JobVariables& job, const std::string& folder, std::string_view name)
{
    job.written[folder].emplace_back(name);
}

void keepBuildRecords(Platform& p, JobVariables& job)
{
    for (auto& [folder, names] : job.written) {
        // The names of earlier builds stay: their files are still there, and still ours.
        if (const auto kept = p.fs.readLines(folder + std::string(kBuildRecordName)))
            names.insert(names.end(), kept->begin(), kept->end());
        std::ranges::sort(names);
        names.erase(std::unique(names.begin(), names.end()), names.end());
        std::string text;
        for (const auto& name : names)
            text += name + "\r\n";
        p.fs.writeWholeFile(folder + std::string(kBuildRecordName), text);
    }
    job.written.clear();
}

BuildRecord::BuildRecord(FileSystem& fs, const std::string& folder) : caseSensitive_(fs.caseSensitive())
{
    if (const auto names = fs.readLines(folder + std::string(kBuildRecordName)))
        for (const auto& name : *names)
            names_.insert(caseSensitive_ ? name : upperCase(name));
}

bool BuildRecord::wrote(std::string_view name) const
{
    return !names_.empty() && names_.contains(caseSensitive_ ? std::string(name) : upperCase(name));
}

bool holdsBuildRecord(const std::vector<FolderEntry>& names)
{
    return std::ranges::any_of(names, [](const FolderEntry& e) { return !e.isFolder && e.name == kBuildRecordName; });
}

} // namespace tavlo
