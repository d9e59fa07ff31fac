#include "platform/file_system_shared.h"

#include "platform/text_case.h"

#include <algorithm>

namespace tavlo {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

} // namespace

void sortAsListed(std::vector<FolderEntry>& entries)
{
    struct Keyed {
        std::string key;
        FolderEntry entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    for (auto& entry : entries)
        keyed.push_back({upperCase(entry.name), std::move(entry)});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int byKey = a.key.compare(b.key);
        return byKey != 0 ? byKey < 0 : a.entry.name < b.entry.name;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        entries[i] = std::move(keyed[i].entry);
}

Failure fileAlreadyExists() { return {kErrFileAlreadyExists, "File already exists"}; }

BufferedLineWriter::BufferedLineWriter() { buffer_.reserve(kBufferSize); }

Failure BufferedLineWriter::writeLine(std::string_view line)
{
    if (!isOpen())
        return {kErrIllegalCall, "File not open"};
    buffer_.append(line);
    buffer_.append("\r\n");
    return buffer_.size() >= kBufferSize ? flush() : Failure{};
}

Failure BufferedLineWriter::flush()
{
    if (!isOpen())
        return {};
    Failure failure = writeBytes(buffer_);
    buffer_.clear();
    return failure;
}

Failure BufferedLineWriter::close()
{
    if (!isOpen())
        return {};
    Failure failure = flush();
    Failure closing = closeFile();
    return failure ? failure : closing;
}

} // namespace tavlo
