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

/// A text file written line by line, each line ended by CR LF, through a buffer;
/// the backend gives the raw writes and the closing of its file handle. Derived
/// writers call close() in their destructor.
class BufferedLineWriter : public TextWriter {
public:
    Failure writeLine(std::string_view line) final;
    Failure flush() final;
    Failure close() final;

protected:
    BufferedLineWriter();

    virtual bool isOpen() const = 0;
    virtual Failure writeBytes(std::string_view bytes) = 0;
    virtual Failure closeFile() = 0;

private:
    std::string buffer_;
};

} // namespace tavlo
