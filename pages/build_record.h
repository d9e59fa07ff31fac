#pragma once
// What a build wrote, kept in a small hidden record in each folder it wrote into (pages,
// view pages, template copies, thumbnails), so that a later load of that folder does not
// take the gallery's own files as pictures of the user's, and a later build replaces
// only what is its own. A name goes into the record before its file is written, and
// counts only while its file lies there as the build left it: a file the user put in
// its place is the user's again.

#include "pages/job_variables.h"
#include "platform/platform.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

/// The folder a build makes beside its pages for the thumbnails: the only folder it makes.
inline constexpr std::string_view kThumbnailFolder = "MINIATURE";

/// The most a record may hold: a longer one is not read, and the next build makes it anew.
inline constexpr std::size_t kBuildRecordLimit = 64 * 1024 * 1024;

/// Puts the names of files about to be written in a folder into its record, so that a
/// build stopped at any moment leaves nothing that a load would take for the user's.
void noteWriting(Platform& p, JobVariables& job, const std::string& folder, const std::vector<std::string>& names);

/// Notes a file that the build wrote.
void noteWritten(JobVariables& job, const std::string& folder, std::string_view name);

/// Rewrites the record of every folder the build wrote into or was about to: the files
/// it wrote as they lie now, and those of earlier builds still as they were written.
/// A record that cannot be written is told of; the gallery is whole without it.
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

/// A folder's record as the disk holds it.
class BuildRecord {
public:
    BuildRecord() = default;
    /// Reads the folder's record, if any; `fs` answers later questions about its files.
    BuildRecord(FileSystem& fs, const std::string& folder);

    /// Whether a build of ours wrote the file of that name, and it lies there as written.
    bool wrote(std::string_view name) const;
    /// Whether there is a record that could not be read: not a regular file, or too long.
    bool unreadable() const { return unreadable_; }
    /// The names it holds, as the record spells them.
    std::vector<std::string> names() const;

private:
    struct Kept {
        enum class How { Written, Writing, Unstamped } how = How::Written;
        FileStamp stamp;         // Written: the file as the build left it
        std::int64_t since = 0;  // Writing: a file written from then on
        std::string name;        // as spelt on disk
    };
    void read(const std::string& text);
    std::string key(std::string_view name) const;

    FileSystem* fs_ = nullptr;
    std::string folder_;
    std::map<std::string, Kept, std::less<>> kept_;
    std::int64_t recordTime_ = 0;  // when the record was last written
    bool caseSensitive_ = true;
    bool unreadable_ = false;
};

/// Whether a folder listing holds a build's record.
bool holdsBuildRecord(const std::vector<FolderEntry>& names);

/// The path of a folder's record.
std::string buildRecordPath(const std::string& folder);

} // namespace tavlo
