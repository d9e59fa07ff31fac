#include "platform/posix/posix_file_system.h"

#include "platform/file_system_shared.h"
#include "platform/text_case.h"
#include "platform/text_rules.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
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

class PosixTextWriter final : public BufferedLineWriter {
public:
    explicit PosixTextWriter(int fd) : fd_(fd) {}
    ~PosixTextWriter() override { close(); }

private:
    bool isOpen() const override { return fd_ >= 0; }

    Failure writeBytes(std::string_view bytes) override
    {
        int error = 0;
        return writeAll(fd_, bytes.data(), bytes.size(), error) ? Failure{} : failureFromErrno(error);
    }

    Failure closeFile() override
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? Failure{} : failureFromErrno(errno);
    }

    int fd_;
};

std::optional<std::string> readWholeFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string content;
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        content.append(chunk, static_cast<std::size_t>(got));
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

    std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) override
    {
        DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
        if (dir == nullptr)
            return std::nullopt;
        std::vector<FolderEntry> entries;
        const int dirFd = ::dirfd(dir);
        while (const dirent* e = ::readdir(dir)) {
            if (e->d_name[0] == '.' && e->d_name != kBuildRecordName)  // hidden, and "." and ".."
                continue;
            bool isFolder = e->d_type == DT_DIR, leadsNowhere = false;
            if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
                struct stat info {};
                if (::fstatat(dirFd, e->d_name, &info, 0) == 0)
                    isFolder = S_ISDIR(info.st_mode);
                else
                    leadsNowhere = e->d_type == DT_LNK;
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
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        ::close(fd);
        return true;
    }

    std::optional<std::vector<std::string>> readLines(const std::string& path) override
    {
        auto content = readWholeFile(path);
        if (!content)
            return std::nullopt;
        return textLines(*content);
    }

    std::unique_ptr<TextWriter> createText(const std::string& path, Failure& failure) override
    {
        return create(path, O_TRUNC, failure);
    }

    std::unique_ptr<TextWriter> createNewText(const std::string& path, Failure& failure) override
    {
        return create(path, O_EXCL, failure);
    }

    Failure copyFile(const std::string& source, const std::string& destination) override
    {
        struct stat from {}, to {};
        if (::stat(source.c_str(), &from) != 0)
            return failureFromErrno(errno);
        if (::stat(destination.c_str(), &to) == 0 && from.st_dev == to.st_dev && from.st_ino == to.st_ino)
            return {kErrAccess, "Source and destination are the same file"};
        auto content = readWholeFile(source);
        if (!content)
            return failureFromErrno(errno ? errno : EACCES);
        const int fd = ::open(destination.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            return failureFromErrno(errno);
        int error = 0;
        const bool ok = writeAll(fd, content->data(), content->size(), error);
        if (::close(fd) != 0 && ok)
            return failureFromErrno(errno);
        return ok ? Failure{} : failureFromErrno(error);
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
        if (::stat(path.c_str(), &info) != 0)
            return std::nullopt;
        return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    }

    Failure writeWholeFile(const std::string& path, std::string_view bytes) override
    {
        // A hidden temporary name in the same folder, so that the rename is one step.
        const auto slash = path.rfind('/');
        const std::string temporary = path.substr(0, slash + 1) + "." + path.substr(slash + 1) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            return failureFromErrno(errno);
        int error = 0;
        bool ok = writeAll(fd, bytes.data(), bytes.size(), error);
        if (::close(fd) != 0 && ok) {
            error = errno;
            ok = false;
        }
        if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
            error = errno;
            ok = false;
        }
        if (!ok)
            ::unlink(temporary.c_str());
        return ok ? Failure{} : failureFromErrno(error);
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
    static std::unique_ptr<TextWriter> create(const std::string& path, int mode, Failure& failure)
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | mode, 0644);
        if (fd < 0) {
            failure = errno == EEXIST ? fileAlreadyExists() : failureFromErrno(errno);
            return nullptr;
        }
        failure = {};
        return std::make_unique<PosixTextWriter>(fd);
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
