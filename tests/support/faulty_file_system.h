#pragma once
// The real file system, failing where a test says (no disk refuses root) and recording what it was asked.
#include "platform/file_system.h"

#include <functional>

namespace tavlo::test {

class FaultyFileSystem final : public FileSystem {
public:
    explicit FaultyFileSystem(std::unique_ptr<FileSystem> real) : real_(std::move(real)) {}

    std::function<Failure(const std::string& path)> failCreate;  // a text or a whole file; none: made for real
    std::function<bool(const std::string& folder)> failList;     // true: the listing fails
    std::vector<std::string> created;                     // in the order asked for
    std::vector<std::pair<std::string, std::string>> copies;      // source and destination

    std::unique_ptr<TextWriter> createText(const std::string& path, Failure& f) override
    {
        created.push_back(path);
        return failCreate && (f = failCreate(path)) ? nullptr : real_->createText(path, f);
    }
    std::unique_ptr<TextWriter> createNewText(const std::string& path, Failure& f) override
    {
        created.push_back(path);
        return failCreate && (f = failCreate(path)) ? nullptr : real_->createNewText(path, f);
    }
    std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder, std::string_view hiddenFileKept) override
    {
        return failList && failList(folder) ? std::nullopt : real_->listFolder(folder, hiddenFileKept);
    }
    Failure copyFile(const std::string& source, const std::string& destination) override
    {
        copies.emplace_back(source, destination);
        return real_->copyFile(source, destination);
    }
    Failure writeWholeFile(const std::string& path, std::string_view bytes, std::optional<std::int64_t> modified) override
    {
        created.push_back(path);
        const Failure failure = failCreate ? failCreate(path) : Failure{};
        return failure ? failure : real_->writeWholeFile(path, bytes, modified);
    }
    void sweepTemporaries(const std::string& folder) override { real_->sweepTemporaries(folder); }
    Failure createFolder(const std::string& folder) override { return real_->createFolder(folder); }
    std::optional<std::int64_t> modifiedTime(const std::string& path) override { return real_->modifiedTime(path); }
    char separator() const override { return real_->separator(); }
    bool caseSensitive() const override { return real_->caseSensitive(); }
    std::optional<FolderIdentity> folderIdentity(const std::string& f) override { return real_->folderIdentity(f); }
    bool canRead(const std::string& path) override { return real_->canRead(path); }
    std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit, Links links) override
    {
        return real_->readRegularFile(path, limit, links);
    }
    std::optional<FileStamp> fileStamp(const std::string& path) override { return real_->fileStamp(path); }
    Failure appendToFile(const std::string& path, std::string_view bytes) override
    {
        const Failure failure = failCreate ? failCreate(path) : Failure{};
        return failure ? failure : real_->appendToFile(path, bytes);
    }
    Failure setCurrentFolder(const std::string& folder) override { return real_->setCurrentFolder(folder); }
    Failure setCurrentDrive(std::string_view drive) override { return real_->setCurrentDrive(drive); }
    std::string fullFolderPath(const std::string& folder) override { return real_->fullFolderPath(folder); }
    std::string programFolder() override { return real_->programFolder(); }
    std::string templateFolder() override { return real_->templateFolder(); }
    std::string defaultSearchFolder() override { return real_->defaultSearchFolder(); }
    std::string sameFolderOnDriveC(const std::string& folder) override { return real_->sameFolderOnDriveC(folder); }
    std::string driveCRoot() override { return real_->driveCRoot(); }

private:
    std::unique_ptr<FileSystem> real_;
};

} // namespace tavlo::test
