#pragma once
// A file system that fails where a test says so, and otherwise does what the real
// one does: the disk cannot be made to refuse a write when the tests run as root.

#include "platform/file_system.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tavlo::test {

class FaultyFileSystem final : public FileSystem {
public:
    explicit FaultyFileSystem(std::unique_ptr<FileSystem> real) : real_(std::move(real)) {}

    /// Decides the failure of creating a file, also a whole one (no failure: the real file system creates it).
    std::function<Failure(const std::string& path)> failCreate;
    /// Decides the failure of writing line `lineNumber` (from 1) of a file.
    std::function<Failure(const std::string& path, long lineNumber)> failWrite;
    /// Paths whose creation was asked for, in order.
    std::vector<std::string> created;
    /// Decides the failure of an explicit flush of a file (where a full disk shows).
    std::function<Failure(const std::string& path)> failFlush;
    /// Copies asked for, in order: source and destination.
    std::vector<std::pair<std::string, std::string>> copies;
    /// Decides whether a folder cannot be listed (true: the listing fails).
    std::function<bool(const std::string& folder)> failList;
    /// Folders whose listing was asked for, in order.
    std::vector<std::string> listed;

    char separator() const override { return real_->separator(); }
    bool caseSensitive() const override { return real_->caseSensitive(); }
    std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder, bool foldersToo) override
    {
        listed.push_back(folder);
        if (failList && failList(folder))
            return std::nullopt;
        return real_->listFolder(folder, foldersToo);
    }
    std::optional<FolderIdentity> folderIdentity(const std::string& folder) override
    {
        return real_->folderIdentity(folder);
    }
    bool canRead(const std::string& path) override { return real_->canRead(path); }
    std::optional<std::vector<std::string>> readLines(const std::string& path) override
    {
        return real_->readLines(path);
    }
    std::unique_ptr<TextWriter> createText(const std::string& path, Failure& failure) override
    {
        return create(path, failure, false);
    }
    /// The platform's own one-step creation (the view pages' way), failing as createText does.
    std::unique_ptr<TextWriter> createNewText(const std::string& path, Failure& failure) override
    {
        return create(path, failure, true);
    }
    Failure copyFile(const std::string& source, const std::string& destination) override
    {
        copies.emplace_back(source, destination);
        return real_->copyFile(source, destination);
    }
    Failure createFolder(const std::string& folder) override { return real_->createFolder(folder); }
    std::optional<std::int64_t> modifiedTime(const std::string& path) override { return real_->modifiedTime(path); }
    Failure writeWholeFile(const std::string& path, std::string_view bytes) override
    {
        created.push_back(path);
        const Failure failure = failCreate ? failCreate(path) : Failure{};
        return failure ? failure : real_->writeWholeFile(path, bytes);
    }
    Failure setCurrentFolder(const std::string& folder) override { return real_->setCurrentFolder(folder); }
    Failure setCurrentDrive(std::string_view drive) override { return real_->setCurrentDrive(drive); }
    std::string currentFolder() override { return real_->currentFolder(); }
    std::string fullFolderPath(const std::string& folder) override { return real_->fullFolderPath(folder); }
    std::string programFolder() override { return real_->programFolder(); }
    std::string templateFolder() override { return real_->templateFolder(); }
    std::string defaultSearchFolder() override { return real_->defaultSearchFolder(); }
    std::string sameFolderOnDriveC(const std::string& folder) override { return real_->sameFolderOnDriveC(folder); }
    std::string driveCRoot() override { return real_->driveCRoot(); }

private:
    std::unique_ptr<TextWriter> create(const std::string& path, Failure& failure, bool onlyNew);

    std::unique_ptr<FileSystem> real_;
};

} // namespace tavlo::test
