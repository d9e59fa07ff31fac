#pragma once
// The record of what builds wrote in a folder: a small hidden file in each folder a build
// wrote into (pages, view pages, template copies, thumbnails), so that a later load does
// not take the gallery's own files as pictures of the user's, and a later build replaces
// only what is its own. A name counts only while its file lies there as the build left
// it: a file the user put in its place is the user's again. This is the record as the
// disk holds it; record_keeping.h writes it.

#include "platform/file_system.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavlo {

/// The record's own name: hidden, and listed only where a listing is told to keep it.
inline constexpr std::string_view kBuildRecordName = ".tavlo";

/// The folder a build makes beside its pages for the thumbnails: the only folder it makes.
inline constexpr std::string_view kThumbnailFolder = "MINIATURE";

/// The most a record may hold: a longer one is not read, and the next build makes it anew.
inline constexpr std::size_t kBuildRecordLimit = 64 * 1024 * 1024;

class BuildRecord {
public:
    BuildRecord() = default;
    /// Reads the folder's record, if any; `fs` answers later questions about its files.
    BuildRecord(FileSystem& fs, const std::string& folder);

    /// Whether a build of ours wrote the file of that name, and it lies there as written.
    bool wrote(std::string_view name) const { return stampIfWritten(name).has_value(); }
    /// The file's stamp, when a build of ours wrote it and it lies there as written.
    std::optional<FileStamp> stampIfWritten(std::string_view name) const;
    /// Whether there is a record that could not be read: not a regular file, or too long.
    bool unreadable() const { return unreadable_; }
    /// Whether there is a record in this version's form, to which lines may be added.
    bool current() const { return current_; }
    /// The record's own stamp when it was read.
    const std::optional<FileStamp>& stamp() const { return stamp_; }
    /// The names it holds, as the record spells them.
    std::vector<std::string> names() const;
    /// Whether it is of an earlier version that named the folder of that name, which
    /// it then kept out of loads whole.
    bool namesFolder(std::string_view name) const;

    /// The lines of a record: its first, a file as written, a file about to be written,
    /// and the time the record took the lines about to be written above it.
    static std::string startLine();
    static void addWrittenLine(std::string& text, std::string_view name, const FileStamp& stamp);
    static void addWrittenHereLine(std::string& text, std::string_view name, std::uint64_t size);
    static std::string writingLine(std::string_view name);
    static std::string tookLine(std::int64_t time);

private:
    struct Kept {
        enum class How { Written, WrittenHere, Writing, Unstamped } how = How::Written;
        FileStamp stamp;         // Written: the file as the build left it; WrittenHere: its size
        std::int64_t since = 0;  // Writing: a file made or changed from then on
        std::string name;        // as spelt on disk
    };
    void read(std::string_view text);
    std::string key(std::string_view name) const;

    FileSystem* fs_ = nullptr;
    std::string folder_;
    std::unordered_map<std::string, Kept> kept_;
    std::optional<FileStamp> stamp_;
    bool caseSensitive_ = true;
    bool unreadable_ = false;
    bool current_ = false;
};

/// Whether a folder listing holds a build's record.
bool holdsBuildRecord(const std::vector<FolderEntry>& names);

/// The path of a folder's record.
std::string buildRecordPath(const std::string& folder);

} // namespace tavlo
