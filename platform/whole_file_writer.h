#pragma once
// The temporary-and-rename writer every backend uses, so that a file takes its name
// only when whole: its bytes go to a temporary beside it (named after the running
// process, so that a later run can sweep what a killed one left), and the temporary
// is renamed over the file's name once closed.

#include "platform/file_system.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

/// The temporary a file is written under before it takes its name: in the file's own
/// folder (so that the rename is one step), named after the running process and a
/// count, so that runs at once never share one; each call gives a new name.
std::string temporaryBeside(const std::string& path, char separator, unsigned long process);
/// The process that writes under a temporary of that name; nullopt for any other name.
std::optional<unsigned long> temporaryOwner(std::string_view name);
/// The temporaries' names begin so, and end in kTemporaryEnd.
inline constexpr std::string_view kTemporaryStart = ".tavlo-";
inline constexpr std::string_view kTemporaryEnd = ".tmp";

/// A whole file through the writer a backend makes (`make`, which sets the failure to
/// make one): its bytes, its time of last change when given, then its name.
template <typename Make>
Failure writeWholeThrough(Make make, std::string_view bytes, std::optional<std::int64_t> modified)
{
    Failure making;
    auto file = make(making);
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
