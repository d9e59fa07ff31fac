#pragma once
// How a build keeps each folder's record of what it wrote there (build_record.h): a
// name goes into the record before its file is written, so that a build stopped at any
// moment leaves nothing that a load would take for the user's; when the build ends, the
// record is written anew with what it wrote as it lies now, and what earlier builds
// wrote that still lies there as they left it.

#include "pages/build_record.h"
#include "platform/entry_store.h"
#include "platform/platform.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

/// The records of the folders one build reads or writes; whatever way the build ends,
/// they are kept when it ends.
class BuildRecords {
public:
    explicit BuildRecords(Services& p) : p_(p) {}
    ~BuildRecords();
    BuildRecords(const BuildRecords&) = delete;
    BuildRecords& operator=(const BuildRecords&) = delete;

    /// A folder's record as this build found it (read once a build).
    const BuildRecord& found(const std::string& folder);
    /// Puts the names of files about to be written in a folder into its record.
    void noteWriting(const std::string& folder, const std::vector<std::string>& names);
    /// Notes a file that the build wrote; its `size`, where known, saves a look at it.
    void noteWritten(const std::string& folder, std::string_view name, std::optional<std::uint64_t> size = std::nullopt);
    /// Writes anew the record of every folder the build wrote into or was about to. A
    /// record that cannot be written is told of; the gallery is whole without it.
    void keep();

private:
    /// A folder's record in the course of a build.
    struct FolderRecord {
        BuildRecord earlier;                // as the build found it
        // What the build wrote there, in the order written, held as compactly as the list,
        // and each file's size where the writer knows it (else kUnknownSize).
        EntryStore written;
        std::vector<std::uint64_t> sizes;
        std::optional<FileStamp> left;      // the record as the build last left it
        bool failed = false;                // it could not be written: told once, not tried again
    };
    static constexpr std::uint64_t kUnknownSize = ~std::uint64_t{0};

    FolderRecord& touched(const std::string& folder);
    void tellFailure(FolderRecord& record, const std::string& folder, const Failure& failure);
    void write(const std::string& folder, FolderRecord& record, const BuildRecord& earlier, bool always);

    Services& p_;
    std::map<std::string, FolderRecord> records_;
};

} // namespace tavlo
