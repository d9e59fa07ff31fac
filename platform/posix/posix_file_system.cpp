#include "platform/posix/posix_file_system.h"

#include "platform/file_system_shared.h"
#include "platform/whole_file_writer.h"
#include "platform/text_case.h"
#include "platform/text_rules.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavlo {

Failure failureFromErrno(int error)
{
    int code = 57;  // device I/O error: anything not named below
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        code = kErrAccess;
        break;
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        code = kErrPathNotFound;
        break;
    case ENOSPC:
    case EDQUOT:
        code = kErrDiskFull;
        break;
    default:
        break;
    }
    return {code, std::strerror(error)};
}

std::string executableFolder()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return ".";
    std::string path(buffer, static_cast<std::size_t>(length));
    const auto slash = path.rfind('/');
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

namespace {

std::int64_t ticks(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileStamp stampOf(const struct stat& info)
{
    return {static_cast<std::uint64_t>(info.st_size), ticks(info.st_mtim), ticks(info.st_ctim)};
}

bool writeAll(int fd, const char* data, std::size_t size, int& error)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// A file written under a temporary beside it, that takes its name when closed whole;
// or, without a temporary, a new small file made under its name and written in one go.
class PosixTextWriter final : public BufferedLineWriter {
public:
    // `replacing`: a file is there already, which the temporary takes the name of.
    PosixTextWriter(int fd, std::string temporary, std::string path, bool replacing)
        : fd_(fd), temporary_(std::move(temporary)), path_(std::move(path)), replacing_(replacing)
    {
    }
    ~PosixTextWriter() override { abandon(); }

    /// Writes bytes as they are, straight to the temporary.
    Failure put(std::string_view bytes) { return writeBytes(bytes); }
    /// Gives the file the time of its last change.
    void stamp(std::int64_t modified)
    {
        const timespec times[2] = {{0, UTIME_OMIT},
                                   {static_cast<time_t>(modified / 1'000'000'000), static_cast<long>(modified % 1'000'000'000)}};
        ::futimens(fd_, times);
    }

private:
    bool isOpen() const override { return fd_ >= 0; }

    Failure writeBytes(std::string_view bytes) override
    {
        int error = 0;
        return writeAll(fd_, bytes.data(), bytes.size(), error) ? Failure{} : failureFromErrno(error);
    }

    Failure commit() override
    {
        // A file that replaces another is on the disk before it takes its name: after a
        // power cut the name holds the old file or the new one, never an empty one. A new
        // file has nothing to lose, and is spared the wait.
        if (replacing_ && ::fdatasync(fd_) != 0)
            return failureFromErrno(errno);
        if (Failure failure = closeFile())
            return failure;
        if (temporary_.empty())
            return {};
        return ::rename(temporary_.c_str(), path_.c_str()) == 0 ? Failure{} : failureFromErrno(errno);
    }

    void discard() override
    {
        // A file made under its own name goes only while it is still the one made here.
        struct stat made {}, there {};
        const bool ours = temporary_.empty() && fd_ >= 0 && ::fstat(fd_, &made) == 0 &&
                          ::stat(path_.c_str(), &there) == 0 && made.st_ino == there.st_ino && made.st_dev == there.st_dev;
        closeFile();
        if (!temporary_.empty() || ours)
            ::unlink((temporary_.empty() ? path_ : temporary_).c_str());
    }

    Failure closeFile()
    {
        if (fd_ < 0)
            return {};
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? Failure{} : failureFromErrno(errno);
    }

    int fd_;
    std::string temporary_;  // empty: made under its own name
    std::string path_;
    bool replacing_;
};

// Up to `limit` bytes of a regular file; nullopt for anything else, which is never
// opened in a way that could wait (a pipe without a writer, a device), and for a file
// longer than the limit, which is read no further.
std::optional<std::string> readRegularFileAt(const std::string& path, std::size_t limit, Links links)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == Links::NotFollowed ? O_NOFOLLOW : 0));
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<std::string> content;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        content.emplace();
        content->reserve(std::min(static_cast<std::size_t>(info.st_size), limit));
        char chunk[64 * 1024];
        for (;;) {
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            if (content->size() + static_cast<std::size_t>(got) > limit) {
                content.reset();
                break;
            }
            content->append(chunk, static_cast<std::size_t>(got));
        }
    }
    ::close(fd);
    return content;
}

std::string withTrailingSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return folder;
}

std::string parentOf(const std::string& path)
{
    std::string p = path;
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    const auto slash = p.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : p.substr(0, slash);
}

class PosixFileSystem final : public FileSystem {
public:
    explicit PosixFileSystem(PosixFileSystemOptions options) : options_(std::move(options)) {}

    char separator() const override { return '/'; }
    bool caseSensitive() const override { return options_.caseSensitive; }

    std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder, std::string_view hiddenFileKept) override
    {
        DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
        if (dir == nullptr)
            return std::nullopt;
        std::vector<FolderEntry> entries;
        const int dirFd = ::dirfd(dir);
        while (const dirent* e = ::readdir(dir)) {
            // Hidden, and "." and ".."; the hidden file kept only as a regular file.
            if (e->d_name[0] == '.') {
                struct stat info {};
                if (hiddenFileKept.empty() || e->d_name != hiddenFileKept || ::fstatat(dirFd, e->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
                    !S_ISREG(info.st_mode))
                    continue;
                entries.push_back({e->d_name, false, false});
                continue;
            }
            // Only folders, regular files and links to them: a pipe, a socket or a
            // device is no entry (reading one could wait for ever). A link that leads
            // nowhere is passed on marked, so that the scan can tell of it.
            bool isFolder = e->d_type == DT_DIR, leadsNowhere = false;
            if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
                struct stat info {};
                if (::fstatat(dirFd, e->d_name, &info, 0) == 0) {
                    if (!(S_ISDIR(info.st_mode) || S_ISREG(info.st_mode)))
                        continue;
                    isFolder = S_ISDIR(info.st_mode);
                } else if (e->d_type == DT_LNK) {
                    leadsNowhere = true;
                } else {
                    continue;
                }
            } else if (!isFolder && e->d_type != DT_REG) {
                continue;
            }
            entries.push_back({e->d_name, isFolder, leadsNowhere});
        }
        ::closedir(dir);
        sortAsListed(entries);
        return entries;
    }

    std::optional<FolderIdentity> folderIdentity(const std::string& folder) override
    {
        struct stat info {};
        if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
            return std::nullopt;
        return FolderIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    }

    bool canRead(const std::string& path) override
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return false;
        ::close(fd);
        return true;
    }

    std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit, Links links) override
    {
        return readRegularFileAt(path, limit, links);
    }

    std::optional<FileStamp> fileStamp(const std::string& path) override
    {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            return std::nullopt;
        return stampOf(info);
    }

    Failure appendToFile(const std::string& path, std::string_view bytes) override
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        if (fd < 0)
            return failureFromErrno(errno);
        struct stat info {};
        int error = ::fstat(fd, &info) != 0 ? errno : S_ISREG(info.st_mode) ? 0 : EISDIR;
        if (error == 0)
            writeAll(fd, bytes.data(), bytes.size(), error);
        ::close(fd);
        return error == 0 ? Failure{} : error == EISDIR ? fileAlreadyExists() : failureFromErrno(error);
    }

    std::unique_ptr<TextWriter> createText(const std::string& path, Failure& failure) override
    {
        return create(path, true, failure);
    }

    std::unique_ptr<TextWriter> createNewText(const std::string& path, Failure& failure) override
    {
        return create(path, false, failure);
    }

    Failure copyFile(const std::string& source, const std::string& destination) override
    {
        struct stat from {}, to {};
        if (::stat(source.c_str(), &from) != 0)
            return failureFromErrno(errno);
        if (::stat(destination.c_str(), &to) == 0 && from.st_dev == to.st_dev && from.st_ino == to.st_ino)
            return {kErrAccess, "Source and destination are the same file"};
        // Copied through a buffer: the copy costs no more memory whatever the file's size.
        const int sourceFd = ::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (sourceFd < 0)
            return failureFromErrno(errno);
        Failure failure;
        if (::fstat(sourceFd, &from) != 0 || !S_ISREG(from.st_mode)) {
            failure = failureFromErrno(EACCES);
        } else if (auto file = create(destination, true, failure)) {
            char chunk[64 * 1024];
            for (;;) {
                const ssize_t got = ::read(sourceFd, chunk, sizeof chunk);
                if (got < 0 && errno == EINTR)
                    continue;
                if (got < 0)
                    failure = failureFromErrno(errno);
                if (got <= 0 || (failure = file->put({chunk, static_cast<std::size_t>(got)})))
                    break;
            }
            if (!failure)
                failure = file->close();
        }
        ::close(sourceFd);
        return failure;
    }

    Failure createFolder(const std::string& folder) override
    {
        if (::mkdir(folder.c_str(), 0755) == 0 || (errno == EEXIST && folderIdentity(folder)))
            return {};
        return failureFromErrno(errno == EEXIST ? ENOTDIR : errno);
    }

    std::optional<std::int64_t> modifiedTime(const std::string& path) override
    {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            return std::nullopt;
        return ticks(info.st_mtim);
    }

    Failure writeWholeFile(const std::string& path, std::string_view bytes,
                           std::optional<std::int64_t> modified) override
    {
        return writeWholeThrough([&](Failure& failure) { return create(path, true, failure); }, bytes, modified);
    }

    void sweepTemporaries(const std::string& folder) override
    {
        DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
        if (dir == nullptr)
            return;
        while (const dirent* e = ::readdir(dir)) {
            const auto owner = temporaryOwner(e->d_name);
            if (owner && static_cast<pid_t>(*owner) != ::getpid() && ::kill(static_cast<pid_t>(*owner), 0) != 0 &&
                errno == ESRCH)
                ::unlinkat(::dirfd(dir), e->d_name, 0);
        }
        ::closedir(dir);
    }

    Failure setCurrentFolder(const std::string& folder) override
    {
        return ::chdir(folder.c_str()) == 0 ? Failure{} : failureFromErrno(errno);
    }

    Failure setCurrentDrive(std::string_view) override { return {}; }

    std::string fullFolderPath(const std::string& folder) override
    {
        if (folder.empty() || folder.front() == '/')
            return folder;
        char current[PATH_MAX];
        return withTrailingSlash(::getcwd(current, sizeof current) ? current : "") + folder;
    }

    std::string programFolder() override
    {
        return options_.programFolder.empty() ? executableFolder() : options_.programFolder;
    }

    std::string templateFolder() override { return withTrailingSlash(options_.templateFolder); }

    std::string defaultSearchFolder() override { return "/"; }

    std::string sameFolderOnDriveC(const std::string& folder) override
    {
        // The home folder stands for drive C:. A folder on the home folder's file
        // system stays as it is; one elsewhere moves to its path below its own
        // mount point, placed under the home folder.
        const std::string home = homeFolder();
        struct stat homeInfo {};
        if (::stat(home.c_str(), &homeInfo) != 0)
            return folder;
        std::string existing = folder;
        struct stat info {};
        while (::stat(existing.c_str(), &info) != 0) {
            const std::string parent = parentOf(existing);
            if (parent == existing)
                return folder;
            existing = parent;
        }
        if (info.st_dev == homeInfo.st_dev)
            return folder;
        std::string mountPoint = existing;
        for (;;) {
            const std::string parent = parentOf(mountPoint);
            struct stat parentInfo {};
            if (parent == mountPoint || ::stat(parent.c_str(), &parentInfo) != 0 || parentInfo.st_dev != info.st_dev)
                break;
            mountPoint = parent;
        }
        const std::string prefix = withTrailingSlash(mountPoint);
        const std::string below = folder.size() > prefix.size() && folder.compare(0, prefix.size(), prefix) == 0
                                      ? folder.substr(prefix.size())
                                      : std::string();
        return withTrailingSlash(home) + below;
    }

    std::string driveCRoot() override { return withTrailingSlash(homeFolder()); }

private:
    // A temporary beside the file. A file to be replaced must be a regular one that
    // may be written: a pipe or a device keeps its place, as does a read-only page.
    static std::unique_ptr<PosixTextWriter> create(const std::string& path, bool replace, Failure& failure)
    {
        struct stat info {};
        const bool replacing = replace && ::stat(path.c_str(), &info) == 0;
        if (replacing) {
            if (!S_ISREG(info.st_mode)) {
                failure = S_ISDIR(info.st_mode) ? failureFromErrno(EISDIR) : fileAlreadyExists();
                return nullptr;
            }
            if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
                failure = failureFromErrno(errno);
                return nullptr;
            }
            // A file that cannot be read cannot be known for ours: it is someone's.
            if (::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) != 0) {
                failure = fileAlreadyExists();
                return nullptr;
            }
        }
        if (!replace) {
            // A name taken only where none is: O_EXCL makes the check and the making one
            // step. The lines go in one write when closed, so that a failure leaves nothing.
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            failure = fd >= 0 ? Failure{} : errno == EEXIST ? fileAlreadyExists() : failureFromErrno(errno);
            return fd >= 0 ? std::make_unique<PosixTextWriter>(fd, std::string(), path, false) : nullptr;
        }
        static const auto process = static_cast<unsigned long>(::getpid());
        for (int attempt = 0;; ++attempt) {
            std::string temporary = temporaryBeside(path, '/', process);
            const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd >= 0) {
                failure = {};
                return std::make_unique<PosixTextWriter>(fd, std::move(temporary), path, replacing);
            }
            // A name left by a killed run of the same process number: the next one.
            if (errno != EEXIST || attempt == 100) {
                failure = failureFromErrno(errno);
                return nullptr;
            }
        }
    }

    std::string homeFolder() const
    {
        if (!options_.homeFolder.empty())
            return options_.homeFolder;
        if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
            return home;
        if (const passwd* user = ::getpwuid(::getuid()); user != nullptr)
            return user->pw_dir;
        return "/";
    }

    PosixFileSystemOptions options_;
};

} // namespace

std::unique_ptr<FileSystem> createPosixFileSystem(PosixFileSystemOptions options)
{
    return std::make_unique<PosixFileSystem>(std::move(options));
}

std::unique_ptr<FileSystem> createProgramFileSystem()
{
    PosixFileSystemOptions options;
    options.templateFolder = executableFolder() == TAVLO_INSTALLED_PROGRAM_DIR ? TAVLO_INSTALLED_TEMPLATE_DIR
                                                                              : TAVLO_SOURCE_TEMPLATE_DIR;
    return createPosixFileSystem(options);
}

} // namespace tavlo
