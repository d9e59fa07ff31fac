#include "platform/win32/win32_file_system.h"

#include "platform/file_system_shared.h"
#include "platform/whole_file_writer.h"
#include "platform/text_case.h"
#include "platform/text_rules.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

#include <algorithm>
#include <unordered_map>

namespace tavlo {

Failure failureFromWindowsError(unsigned long error)
{
    int code = 57;  // device I/O error: anything not named below
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        code = kErrAccess;
        break;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        code = kErrPathNotFound;
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        code = kErrDiskFull;
        break;
    default:
        break;
    }
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string description = length > 0 && text != nullptr ? utf8Text({text, length}) : std::string();
    if (text != nullptr)
        LocalFree(text);
    // The system's texts end in a line break, which has no place inside a message box line.
    while (!description.empty() && std::string_view("\r\n ").find(description.back()) != std::string_view::npos)
        description.pop_back();
    if (description.empty())
        description = "Error " + std::to_string(error);
    return {code, description};
}

std::string moduleFolder()
{
    std::wstring wide(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
        if (length == 0)
            return ".";
        if (length < wide.size()) {
            wide.resize(length);
            break;
        }
        wide.resize(wide.size() * 2);
    }
    const std::string path = utf8Text(wide);
    const auto backslash = path.rfind('\\');
    if (backslash == std::string::npos)
        return ".";
    // The root of a drive keeps its backslash: "C:\".
    return backslash == 2 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, backslash);
}

namespace {

Failure lastFailure() { return failureFromWindowsError(GetLastError()); }

std::int64_t ticks(const FILETIME& time)
{
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

// A file made or replaced after a moment shows a later creation or write time: a file
// takes the creation time of the temporary renamed onto its name.
FileStamp stampOf(DWORD sizeHigh, DWORD sizeLow, const FILETIME& written, const FILETIME& created)
{
    return {(static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow, ticks(written),
            std::max(ticks(written), ticks(created))};
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    /// Closes the handle; false (with the error left for GetLastError) when closing failed.
    bool reset()
    {
        const bool ok = !valid() || CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE handle_;
};

HANDLE openForReading(const std::string& path, DWORD extraFlags = 0)
{
    return CreateFileW(systemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | extraFlags, nullptr);
}

bool writeAll(HANDLE file, const char* data, std::size_t size)
{
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr))
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// A file written under a temporary beside it, that takes its name when closed whole.
class Win32TextWriter final : public BufferedLineWriter {
public:
    // `replacing`: a file is there already, which the temporary takes the name of.
    Win32TextWriter(HANDLE file, std::string temporary, std::string path, bool replace, bool replacing)
        : file_(file), temporary_(std::move(temporary)), path_(std::move(path)), replace_(replace), replacing_(replacing)
    {
    }
    ~Win32TextWriter() override { abandon(); }

    /// Writes bytes as they are, straight to the temporary.
    Failure put(std::string_view bytes) { return writeBytes(bytes); }
    const std::string& temporaryName() const { return temporary_; }
    /// Gives the file the time of its last change.
    void stamp(std::int64_t modified)
    {
        FILETIME time{static_cast<DWORD>(static_cast<std::uint64_t>(modified) & 0xffffffffu),
                      static_cast<DWORD>(static_cast<std::uint64_t>(modified) >> 32)};
        SetFileTime(file_.get(), nullptr, nullptr, &time);
    }

private:
    bool isOpen() const override { return file_.valid(); }

    Failure writeBytes(std::string_view bytes) override
    {
        return writeAll(file_.get(), bytes.data(), bytes.size()) ? Failure{} : lastFailure();
    }

    Failure commit() override
    {
        // A file that replaces another is on the disk before it takes its name: after a
        // power cut the name holds the old file or the new one. A new one is spared the wait.
        if (replacing_ && !FlushFileBuffers(file_.get()))
            return lastFailure();
        if (!file_.reset())
            return lastFailure();
        if (MoveFileExW(systemPath(temporary_).c_str(), systemPath(path_).c_str(), replace_ ? MOVEFILE_REPLACE_EXISTING : 0))
            return {};
        const DWORD error = GetLastError();
        return !replace_ && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
                   ? fileAlreadyExists()
                   : failureFromWindowsError(error);
    }

    void discard() override
    {
        file_.reset();
        DeleteFileW(systemPath(temporary_).c_str());
    }

    Handle file_;
    std::string temporary_;
    std::string path_;
    bool replace_;
    bool replacing_;
};

// Whether the process that wrote a temporary is gone.
bool processEnded(unsigned long process)
{
    const HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process));
    if (handle == nullptr)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool ended = GetExitCodeProcess(handle, &code) && code != STILL_ACTIVE;
    CloseHandle(handle);
    return ended;
}

// Whether an open file is a regular one: not a folder, a device or a pipe, and, when
// opened without following links, not a link.
bool isRegularFile(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
           (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

// Up to `limit` bytes of a regular file; nullopt for anything else, and for a longer
// file, which is read no further.
std::optional<std::string> readRegularFileAt(const std::string& path, std::size_t limit, Links links)
{
    Handle file(openForReading(path, links == Links::NotFollowed ? FILE_FLAG_OPEN_REPARSE_POINT : 0));
    if (!file.valid() || !isRegularFile(file.get()))
        return std::nullopt;
    std::string content;
    char chunk[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) || got == 0)
            break;
        if (content.size() + got > limit)
            return std::nullopt;
        content.append(chunk, got);
    }
    return content;
}

/// Volume and file index: the identity of a file or folder on disk.
std::optional<FolderIdentity> identityOf(const std::string& path, bool folder)
{
    Handle file(openForReading(path, folder ? FILE_FLAG_BACKUP_SEMANTICS : 0));
    if (!file.valid())
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info))
        return std::nullopt;
    if (folder != ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0))
        return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber,
                          (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::string withTrailingBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\')
        folder.push_back('\\');
    return folder;
}

class Win32FileSystem final : public FileSystem {
public:
    explicit Win32FileSystem(Win32FileSystemOptions options) : options_(std::move(options)) {}

    char separator() const override { return '\\'; }
    // Windows ignores letter case: names and links are upper- and lower-cased as the pages write them.
    bool caseSensitive() const override { return false; }

    std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder, std::string_view hiddenFileKept) override
    {
        const std::wstring pattern = systemPath(withTrailingBackslash(folder) + "*.*");
        WIN32_FIND_DATAW found{};
        // The fastest search the system has: no short names, a larger read each time.
        const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                               FIND_FIRST_EX_LARGE_FETCH);
        if (search == INVALID_HANDLE_VALUE) {
            // An empty drive root has not even "." and "..": nothing to list, but listed.
            if (GetLastError() == ERROR_FILE_NOT_FOUND)
                return std::vector<FolderEntry>{};
            return std::nullopt;
        }
        std::vector<FolderEntry> entries;
        bool subFolders = false;
        do {
            const std::wstring_view wide = found.cFileName;
            if (wide == L"." || wide == L"..")
                continue;
            const std::string name = utf8Text(wide);
            // Hidden and system entries are left out; the hidden file kept only as a regular file.
            const bool kept = !hiddenFileKept.empty() && name == hiddenFileKept &&
                                (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
            if ((found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0 && !kept)
                continue;
            if (!hiddenFileKept.empty() && name == hiddenFileKept && !kept)
                continue;
            const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            entries.push_back({name, isFolder});
            subFolders = subFolders || isFolder;
        } while (FindNextFileW(search, &found));
        FindClose(search);
        if (subFolders)
            learnIdentities(withTrailingBackslash(folder));
        // NTFS keeps a folder's names in upper-case order; FAT and network drives
        // do not, so the order is made the same everywhere.
        sortAsListed(entries);
        return entries;
    }

    std::optional<FolderIdentity> folderIdentity(const std::string& folder) override
    {
        if (const auto learnt = identities_.find(folder); learnt != identities_.end()) {
            const FolderIdentity identity = learnt->second;
            identities_.erase(learnt);
            return identity;
        }
        return identityOf(folder, true);
    }

    bool canRead(const std::string& path) override
    {
        Handle file(openForReading(path));
        return file.valid();
    }

    std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit, Links links) override
    {
        return readRegularFileAt(path, limit, links);
    }

    std::optional<FileStamp> fileStamp(const std::string& path) override
    {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0)
            return std::nullopt;
        return stampOf(data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime, data.ftCreationTime);
    }

    Failure appendToFile(const std::string& path, std::string_view bytes) override
    {
        Handle file(CreateFileW(systemPath(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!file.valid())
            return lastFailure();
        if (!isRegularFile(file.get()))
            return fileAlreadyExists();
        return writeAll(file.get(), bytes.data(), bytes.size()) ? Failure{} : lastFailure();
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
        // A file copied onto itself would be lost, whatever the two names look like.
        const auto from = identityOf(source, false);
        if (from && from == identityOf(destination, false))
            return {kErrAccess, "Source and destination are the same file"};
        // Copied through a buffer into the temporary, which is flushed with the rest
        // when it replaces a file.
        Handle input(openForReading(source));
        if (!input.valid())
            return lastFailure();
        Failure failure;
        auto file = create(destination, true, failure);
        if (!file)
            return failure;
        char chunk[64 * 1024];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(input.get(), chunk, sizeof chunk, &got, nullptr))
                return lastFailure();
            if (got == 0)
                return file->close();
            if (Failure f = file->put({chunk, got}))
                return f;
        }
    }

    Failure createFolder(const std::string& folder) override
    {
        if (CreateDirectoryW(systemPath(folder).c_str(), nullptr))
            return {};
        const DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS && identityOf(folder, true))
            return {};
        return failureFromWindowsError(error == ERROR_ALREADY_EXISTS ? ERROR_PATH_NOT_FOUND : error);
    }

    std::optional<std::int64_t> modifiedTime(const std::string& path) override
    {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return std::nullopt;
        return ticks(data.ftLastWriteTime);
    }

    Failure writeWholeFile(const std::string& path, std::string_view bytes,
                           std::optional<std::int64_t> modified) override
    {
        return writeWholeThrough([&](Failure& failure) { return create(path, true, failure); }, bytes, modified);
    }

    void sweepTemporaries(const std::string& folder) override
    {
        const std::string inFolder = withTrailingBackslash(folder);
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW(systemPath(inFolder + std::string(kTemporaryStart) + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do {
            const std::string name = utf8Text(found.cFileName);
            const auto owner = temporaryOwner(name);
            if (owner && *owner != GetCurrentProcessId() && processEnded(*owner))
                DeleteFileW(systemPath(inFolder + name).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }

    Failure setCurrentFolder(const std::string& folder) override
    {
        return SetCurrentDirectoryW(wideText(folder).c_str()) ? Failure{} : lastFailure();
    }

    Failure setCurrentDrive(std::string_view drive) override
    {
        const char letter = drive.empty() ? '\0' : drive.front();
        if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')))
            return {kErrIllegalCall, "Invalid procedure call or argument"};
        // "X:" alone names the current folder of that drive.
        const wchar_t path[] = {static_cast<wchar_t>(letter), L':', L'\0'};
        return SetCurrentDirectoryW(path) ? Failure{} : lastFailure();
    }

    std::string fullFolderPath(const std::string& folder) override
    {
        // A path from a drive root or a network share stays exactly as typed; one
        // relative to the current folder, or to a drive's current folder ("D:FOTO\"),
        // or to the current drive's root ("\FOTO\") is completed by the system.
        const bool full = (folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\') || folder.starts_with("\\\\");
        if (folder.empty() || full)
            return folder;
        const std::wstring wide = wideText(folder);
        const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
        if (needed == 0)
            return folder;
        std::wstring path(needed, L'\0');
        const DWORD length = GetFullPathNameW(wide.c_str(), needed, path.data(), nullptr);
        if (length == 0 || length >= needed)
            return folder;
        path.resize(length);
        return utf8Text(path);
    }

    std::string programFolder() override
    {
        return options_.programFolder.empty() ? moduleFolder() : options_.programFolder;
    }

    std::string templateFolder() override
    {
        if (!options_.templateFolder.empty())
            return withTrailingBackslash(options_.templateFolder);
        // Installed, the templates lie beside the program (under Program Files); unpacked
        // from the zip, that folder is C:\TAVLO\ itself.
        const std::string beside = withTrailingBackslash(programFolder());
        return fileStamp(beside + "DIAPOSIT.JPG") ? beside : std::string("C:\\TAVLO\\");
    }

    std::string defaultSearchFolder() override { return "c:\\"; }

    std::string sameFolderOnDriveC(const std::string& folder) override
    {
        return "C:" + (folder.size() > 2 ? folder.substr(2) : std::string());
    }

    std::string driveCRoot() override { return "C:\\"; }

private:
    // The identities of a folder's ordinary sub-folders (links left out: theirs is
    // their target's), from one more pass over the folder, under the paths by which a
    // walk asks for them next (folder + name + "\\"). Opening every sub-folder to ask
    // takes a round of system calls each; under Wine every one is a trip to its server.
    void learnIdentities(const std::string& folder)
    {
        Handle handle(openForReading(folder, FILE_FLAG_BACKUP_SEMANTICS));
        BY_HANDLE_FILE_INFORMATION info{};
        if (!handle.valid() || !GetFileInformationByHandle(handle.get(), &info))
            return;
        alignas(LONGLONG) char buffer[64 * 1024];
        FILE_INFO_BY_HANDLE_CLASS pass = FileIdBothDirectoryRestartInfo;
        while (GetFileInformationByHandleEx(handle.get(), pass, buffer, sizeof buffer)) {
            pass = FileIdBothDirectoryInfo;
            for (const char* at = buffer;;) {
                const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
                const DWORD kind = entry->FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT |
                                                            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
                const std::wstring_view wide(entry->FileName, entry->FileNameLength / sizeof(WCHAR));
                if (kind == FILE_ATTRIBUTE_DIRECTORY && !wide.empty() && wide != L"." && wide != L"..")
                    identities_[folder + utf8Text(wide) + '\\'] =
                        FolderIdentity{info.dwVolumeSerialNumber, static_cast<std::uint64_t>(entry->FileId.QuadPart)};
                if (entry->NextEntryOffset == 0)
                    break;
                at += entry->NextEntryOffset;
            }
        }
    }

    // A temporary beside the file. A file to be replaced must be a file that may be
    // written: a folder or a read-only page keeps its place.
    static std::unique_ptr<Win32TextWriter> create(const std::string& path, bool replace, Failure& failure)
    {
        const DWORD attributes = replace ? GetFileAttributesW(systemPath(path).c_str()) : INVALID_FILE_ATTRIBUTES;
        const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
        if (replacing && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
            failure = failureFromWindowsError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        // A file that cannot be read cannot be known for ours: it is someone's.
        if (replacing && !Handle(openForReading(path)).valid()) {
            failure = fileAlreadyExists();
            return nullptr;
        }
        for (int attempt = 0;; ++attempt) {
            std::string temporary = temporaryBeside(path, '\\', GetCurrentProcessId());
            const HANDLE file = CreateFileW(systemPath(temporary).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                failure = {};
                return std::make_unique<Win32TextWriter>(file, std::move(temporary), path, replace, replacing);
            }
            // A name left by a killed run of the same process number: the next one.
            const DWORD error = GetLastError();
            if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == 100) {
                failure = failureFromWindowsError(error);
                return nullptr;
            }
        }
    }

    Win32FileSystemOptions options_;
    std::unordered_map<std::string, FolderIdentity> identities_;  // learnt, until asked for
};

} // namespace

std::unique_ptr<FileSystem> createWin32FileSystem(Win32FileSystemOptions options)
{
    return std::make_unique<Win32FileSystem>(std::move(options));
}

} // namespace tavlo
