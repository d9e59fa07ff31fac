#include "platform/whole_file_writer.h"

#include <atomic>
#include <charconv>

namespace tavlo {
namespace {

constexpr std::size_t kBufferSize = std::size_t{64} * 1024;

} // namespace

std::string temporaryBeside(const std::string& path, char separator, unsigned long process)
{
    static std::atomic<unsigned> made{0};
    const auto cut = path.rfind(separator);
    const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    return folder + std::string(kTemporaryStart) + std::to_string(process) + "-" + std::to_string(made++) +
           std::string(kTemporaryEnd);
}

std::optional<unsigned long> temporaryOwner(std::string_view name)
{
    if (!name.starts_with(kTemporaryStart) || !name.ends_with(kTemporaryEnd))
        return std::nullopt;
    name.remove_prefix(kTemporaryStart.size());
    unsigned long process = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), process);
    if (error != std::errc() || end == name.data() || *end != '-')
        return std::nullopt;
    return process;
}

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
    if (failure && !failed_)
        failed_ = failure;
    return failure;
}

Failure BufferedLineWriter::close()
{
    if (!isOpen())
        return {};
    flush();
    Failure failure = failed_ ? failed_ : commit();
    if (failure)
        discard();
    return failure;
}

void BufferedLineWriter::abandon()
{
    if (isOpen())
        discard();
}

} // namespace tavlo
