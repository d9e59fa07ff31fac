#pragma once
// How a build keeps each folder's record of what it wrote there (build_record.h): a
// name goes into the record before its file is written, so that a build stopped at any
// moment leaves nothing that a load would take for the user's; when the build ends, the
// record is written anew with what it wrote as it lies now, and what earlier builds
// wrote that still lies there as they left it.

#include "pages/job_variables.h"
#include "platform/platform.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

/// A folder's record as this build found it (read once a build).
const BuildRecord& recordFound(Platform& p, JobVariables& job, const std::string& folder);

/// Puts the names of files about to be written in a folder into its record.
void noteWriting(Platform& p, JobVariables& job, const std::string& folder, const std::vector<std::string>& names);

/// Notes a file that the build wrote; its `size`, where known, saves a look at it.
void noteWritten(JobVariables& job, const std::string& folder, std::string_view name,
                 std::optional<std::uint64_t> size = std::nullopt);

/// Writes anew the record of every folder the build wrote into or was about to. A record
/// that cannot be written is told of; the gallery is whole without it.
void keepBuildRecords(Platform& p, JobVariables& job);

/// Keeps the records however a build ends: also when it is stopped, or the program ended.
class RecordsKeptAtEnd {
public:
    RecordsKeptAtEnd(Platform& p, JobVariables& job) : p_(p), job_(job) {}
    ~RecordsKeptAtEnd();
    RecordsKeptAtEnd(const RecordsKeptAtEnd&) = delete;
    RecordsKeptAtEnd& operator=(const RecordsKeptAtEnd&) = delete;

private:
    Platform& p_;
    JobVariables& job_;
};

} // namespace tavlo
