#pragma once
// The file system as the system sees it: folder listing, text files written line by
// line with CR LF, copies, the current folder, and the fixed places of the program.
// Failures carry the system's failure codes (75 access refused, 76 path not found...).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

inline constexpr int kErrDiskFull = 61;
inline constexpr int kErrFileAlreadyExists = 58;
inline constexpr int kErrAccess = 75;
inline constexpr int kErrPathNotFound = 76;
inline constexpr int kErrIllegalCall = 5;

struct Failure {
    int code = 0;
    std::string description;

    bool failed() const { return code != 0; }
    explicit operator bool() const { return failed(); }
};

struct FolderEntry {
    std::string name;
    bool isFolder = false;
    bool leadsNowhere = false;  // a link whose target cannot be reached
};

/// A regular file's size and time of last change: as a build noted them, they tell
/// whether a file is still the one it wrote.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // the platform's ticks, as a copy may keep or set them
    std::int64_t changed = 0;   // when the file itself last changed, which nothing sets back
    bool operator==(const FileStamp&) const = default;
    /// The same content as far as size and time of last change tell.
    bool sameAs(const FileStamp& other) const { return size == other.size && modified == other.modified; }
};

/// Whether a read goes through a link to its target.
enum class Links { Followed, NotFollowed };

/// Identity of a folder on disk, to tell when a walk meets a folder it is already in.
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FolderIdentity&) const = default;
};

/// A text file that takes its name only when whole: its lines go to a temporary
/// beside it, and close() renames that over the file's name. Dropped without close(),
/// or after any failure, it leaves what was there as it was and no temporary behind.
class TextWriter {
public:
    virtual ~TextWriter() = default;
    /// Writes one line followed by CR LF.
    virtual Failure writeLine(std::string_view line) = 0;
    /// Hands every line written so far to the disk, so that its failure shows now.
    virtual Failure flush() = 0;
    /// Closes the file and gives it its name, unless a write failed before.
    virtual Failure close() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    /// The path separator: '/' on Linux, '\\' on Windows.
    virtual char separator() const = 0;
    /// Whether names that differ only in letter case are different files.
    virtual bool caseSensitive() const = 0;

    /// Names in a folder, hidden and system entries left out but for `hiddenFileKept` (only
    /// as a regular file, never a link or a folder, which would be followed or walked),
    /// sorted as the platform's own file manager lists them. nullopt when the folder
    /// cannot be listed.
    virtual std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder,
                                                               std::string_view hiddenFileKept = {}) = 0;
    virtual std::optional<FolderIdentity> folderIdentity(const std::string& folder) = 0;

    /// Whether the file can be opened for reading. Never waits: a pipe or a device
    /// with nothing at its other end counts as there.
    virtual bool canRead(const std::string& path) = 0;
    /// The bytes of a regular file that holds at most `limit` of them; nullopt for
    /// anything else (a folder, a pipe, a device, a link that is not to be followed, a
    /// longer file), which is never read past the limit.
    virtual std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit,
                                                       Links links = Links::Followed) = 0;
    /// The lines of a regular text file of at most `limit` bytes: a line ends at CR or
    /// CR LF; a lone LF stays inside. nullopt for anything else, as readRegularFile.
    std::optional<std::vector<std::string>> readLines(const std::string& path, std::size_t limit);
    /// The size and time of last change of a regular file, itself and not a link's
    /// target; nullopt for anything else.
    virtual std::optional<FileStamp> fileStamp(const std::string& path) = 0;
    /// Adds bytes at the end of a regular file, made when not there; never through a link.
    virtual Failure appendToFile(const std::string& path, std::string_view bytes) = 0;
    /// A whole-file writer that replaces the file when close() names it. A place that
    /// holds something other than a regular file, or one that cannot be read (it is
    /// not known to be ours), fails at once with 58. A file replaced is on the disk
    /// before it takes the old one's name, so that a power cut leaves one or the other.
    virtual std::unique_ptr<TextWriter> createText(const std::string& path, Failure& failure) = 0;
    /// A small new file (a view page), made only where nothing is there yet: failure 58
    /// when something is, which stays as it was. Its lines are handed over in one go
    /// when it is closed; a failure leaves nothing there, a kill at most an empty file
    /// that no page links to.
    virtual std::unique_ptr<TextWriter> createNewText(const std::string& path, Failure& failure) = 0;
    /// Copies a regular file whole, replacing the destination when the copy is complete.
    virtual Failure copyFile(const std::string& source, const std::string& destination) = 0;
    /// Creates a folder; one already there is no failure.
    virtual Failure createFolder(const std::string& folder) = 0;
    /// When a regular file's content last changed, in the platform's ticks; nullopt
    /// when it is not there or not a regular file.
    virtual std::optional<std::int64_t> modifiedTime(const std::string& path) = 0;
    /// Writes a whole file under a temporary name beside it, then renames it over the
    /// file's own name: the file is whole or not there. A failure leaves nothing behind.
    /// `modified`: the time of last change the file carries, when given.
    virtual Failure writeWholeFile(const std::string& path, std::string_view bytes,
                                   std::optional<std::int64_t> modified = std::nullopt) = 0;
    /// Removes the temporaries that runs no longer running left in a folder (killed
    /// mid-write); those of a run still writing stay.
    virtual void sweepTemporaries(const std::string& folder) = 0;

    virtual Failure setCurrentFolder(const std::string& folder) = 0;
    /// Makes the drive named by a letter current; nothing to do where there are no drives.
    virtual Failure setCurrentDrive(std::string_view drive) = 0;
    /// A folder as a full path: one given relative to the current folder is put below it.
    virtual std::string fullFolderPath(const std::string& folder) { return folder; }

    /// The folder of the running executable, without a trailing separator.
    virtual std::string programFolder() = 0;
    /// The fixed template folder, ending in a separator.
    virtual std::string templateFolder() = 0;
    /// The folder a blank search folder stands for.
    virtual std::string defaultSearchFolder() = 0;
    /// The first write fallback: the same folder on drive C:.
    virtual std::string sameFolderOnDriveC(const std::string& folder) = 0;
    /// The second write fallback folder (the root of drive C:), ending in a separator.
    virtual std::string driveCRoot() = 0;
};

} // namespace tavlo
