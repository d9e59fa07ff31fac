#pragma once
// What every file system backend does the same way: the order of a folder
// listing, the failure of a creation that finds a file there, and the writing of
// a text file line by line through a buffer.

#include "platform/file_system.h"

namespace tavlo {

/// Sorts a folder's names in the order the program lists them: by the upper-cased
/// name, ties broken by the name's bytes.
void sortAsListed(std::vector<FolderEntry>& entries);

/// The failure of creating a file only where nothing is there yet.
Failure fileAlreadyExists();

/// The temporary a file is written under before it takes its name: in the file's own
/// folder (so that the rename is one step), named after the running process and a
/// count, so that runs at once never share one; each call gives a new name.
std::string temporaryBeside(const std::string& path, char separator, unsigned long process);
/// The process that writes under a temporary of that name; nullopt for any other name.
std::optional<unsigned long> temporaryOwner(std::string_view name);
/// The temporaries' names begin so, and end in kTemporaryEnd.
inline constexpr std::string_view kTemporaryStart = ".tavlo-";
inline constexpr std::string_view kTemporaryEnd = ".tmp";

/// A whole file through a backend's writer (`file`, or the failure to make it):
/// its bytes, its time of last change when given, then its name.
template <typename Writer>
Failure writeWholeThrough(std::unique_ptr<Writer> file, const Failure& making, std::string_view bytes,
                          std::optional<std::int64_t> modified)
{
    if (!file)
        return making;
    if (Failure failure = file->put(bytes))
        return failure;
    if (modified)
        file->stamp(*modified);
    return file->close();
}

/// A text file written line by line, each line ended by CR LF, through a buffer into
/// a temporary; the backend gives the raw writes and the naming of the whole file.
/// Derived writers call abandon() in their destructor.
class BufferedLineWriter : public TextWriter {
public:
    Failure writeLine(std::string_view line) final;
    Failure flush() final;
    Failure close() final;

protected:
    BufferedLineWriter();

    virtual bool isOpen() const = 0;
    virtual Failure writeBytes(std::string_view bytes) = 0;
    /// Closes the whole file and gives it its name.
    virtual Failure commit() = 0;
    /// Closes the file if open, and removes it.
    virtual void discard() = 0;
    /// Removes a file never closed; for the destructor.
    void abandon();

private:
    std::string buffer_;
    Failure failed_;  // the first write that failed: the file is not whole
};

} // namespace tavlo
