#include "gallery/picture_sizes.h"

#include <charconv>

namespace tavlo {
namespace {

// Far more than the lines of a million pictures.
constexpr std::size_t kSizesLimit = 128 << 20;

// The next number of a line, from `at` to the next space or the end.
template <typename Number>
bool nextNumber(std::string_view line, std::size_t& at, Number& number)
{
    const std::size_t end = std::min(line.find(' ', at), line.size());
    const auto [ptr, error] = std::from_chars(line.data() + at, line.data() + end, number);
    at = end + 1;
    return error == std::errc() && ptr == line.data() + end;
}

} // namespace

PictureSizes PictureSizes::read(BuildContext& b, const std::string& folder)
{
    PictureSizes kept;
    if (!b.records.found(folder).wrote(kPictureSizesFile))
        return kept;
    const auto text = b.p.fs.readRegularFile(folder + std::string(kPictureSizesFile), kSizesLimit, Links::NotFollowed);
    if (!text)
        return kept;
    // One line a thumbnail: its name, its picture's time of last change, width and height.
    std::string_view rest = *text;
    while (!rest.empty()) {
        const std::string_view line = rest.substr(0, rest.find('\n'));
        rest.remove_prefix(std::min(rest.size(), line.size() + 1));
        std::size_t at = line.find(' ') + 1;
        KnownSize known;
        if (at > 0 && nextNumber(line, at, known.changed) && nextNumber(line, at, known.size.width) &&
            nextNumber(line, at, known.size.height) && at > line.size())
            kept.sizes_.emplace(std::string(line.substr(0, line.find(' '))), known);
    }
    return kept;
}

const PictureSize* PictureSizes::find(const std::string& thumbnailName, std::int64_t changed) const
{
    const auto known = sizes_.find(thumbnailName);
    return known != sizes_.end() && known->second.changed == changed ? &known->second.size : nullptr;
}

void PictureSizes::set(const std::string& thumbnailName, KnownSize size)
{
    sizes_[thumbnailName] = size;
    changed_ = true;
}

void PictureSizes::keep(BuildContext& b, const std::string& folder)
{
    const std::string name(kPictureSizesFile), path = folder + name;
    if (!changed_ || (!b.records.found(folder).wrote(name) && (b.p.fs.fileStamp(path) || b.p.fs.canRead(path))))
        return;
    std::string text;
    for (const auto& [thumbnail, known] : sizes_)
        text += thumbnail + ' ' + std::to_string(known.changed) + ' ' + std::to_string(known.size.width) + ' ' +
                std::to_string(known.size.height) + '\n';
    b.records.noteWriting(folder, {name});
    if (!b.p.fs.writeWholeFile(path, text))
        b.records.noteWritten(folder, name, text.size());
    changed_ = false;
}

} // namespace tavlo
