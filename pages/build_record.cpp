#include "pages/build_record.h"

#include "platform/text_case.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace tavlo {
namespace {

// A record begins with this line; one without it is of an earlier version: a bare name a
// line, which counts for files no newer than the record.
constexpr std::string_view kRecordStart = "tavlo-record 2";
// Then a line a file: "= size time name" for a file as written, "~ size name" for one
// the build that wrote the record wrote (as written while it has that size and is no
// newer than the record), "+ name" for one about to be written. A line "@ time" follows the "+" lines it closes: the time the record
// took them, which every file made or replaced after them shows as its change time (a
// time of last change may be set back, as thumbnails carry their picture's); "+" lines
// without one (a run stopped between the two) take the record's own.

// A name is stored so that none of its bytes can end its line or be read as another's:
// control characters and "%" go as "%" and two hex digits.
std::string escapedName(std::string_view name)
{
    const auto plain = [](char c) { return static_cast<unsigned char>(c) >= 0x20 && c != 0x7F && c != '%'; };
    if (std::all_of(name.begin(), name.end(), plain))
        return std::string(name);
    std::string escaped;
    escaped.reserve(name.size());
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%')
            escaped.append({'%', "0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 0xF]});
        else
            escaped.push_back(c);
    }
    return escaped;
}

// nullopt when the text is no file name as escapedName writes them.
std::optional<std::string> unescapedName(std::string_view text)
{
    std::string name;
    name.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) < 0x20)
            return std::nullopt;
        if (text[i] != '%') {
            name.push_back(text[i]);
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= text.size() ||
            std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr != text.data() + i + 3)
            return std::nullopt;
        name.push_back(static_cast<char>(value));
        i += 2;
    }
    if (name.empty() || name.find_first_of("/\\") != std::string::npos)
        return std::nullopt;
    return name;
}

// Reads a number from the front of a line, and the space after it unless `last`.
template <typename Number>
bool takeNumber(std::string_view& line, Number& value, bool last = false)
{
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    const char* stop = line.data() + line.size();
    if (error != std::errc() || (last ? end != stop : end == stop || *end != ' '))
        return false;
    line.remove_prefix(static_cast<std::size_t>(end - line.data()) + (last ? 0 : 1));
    return true;
}

} // namespace

std::string buildRecordPath(const std::string& folder) { return folder + std::string(kBuildRecordName); }

std::string BuildRecord::startLine() { return std::string(kRecordStart) + "\r\n"; }

void BuildRecord::addWrittenHereLine(std::string& text, std::string_view name, std::uint64_t size)
{
    char number[24];
    text += "~ ";
    text.append(number, std::to_chars(number, number + sizeof number, size).ptr);
    text += ' ';
    text += escapedName(name);
    text += "\r\n";
}

void BuildRecord::addWrittenLine(std::string& text, std::string_view name, const FileStamp& stamp)
{
    char number[24];
    text += "= ";
    text.append(number, std::to_chars(number, number + sizeof number, stamp.size).ptr);
    text += ' ';
    text.append(number, std::to_chars(number, number + sizeof number, stamp.modified).ptr);
    text += ' ';
    text += escapedName(name);
    text += "\r\n";
}

std::string BuildRecord::writingLine(std::string_view name) { return "+ " + escapedName(name) + "\r\n"; }

std::string BuildRecord::tookLine(std::int64_t time) { return "@ " + std::to_string(time) + "\r\n"; }

BuildRecord::BuildRecord(FileSystem& fs, const std::string& folder)
    : fs_(&fs), folder_(folder), caseSensitive_(fs.caseSensitive())
{
    const std::string path = buildRecordPath(folder);
    stamp_ = fs.fileStamp(path);
    const auto text = stamp_ ? fs.readRegularFile(path, kBuildRecordLimit, Links::NotFollowed) : std::nullopt;
    if (!text) {
        // Something of that name that is no record of ours: a link, a folder, a pipe, a file too long to be one.
        unreadable_ = stamp_.has_value() || fs.canRead(path);
        return;
    }
    read(*text);
}

void BuildRecord::read(std::string_view text)
{
    std::vector<Kept*> unclosed;  // "+" lines that wait for their time
    bool first = true;
    while (!text.empty()) {
        // A line ends at CR LF; a line cut short by a run stopped mid-write has no end, and does not count.
        const auto end = text.find("\r\n");
        if (end == std::string_view::npos)
            break;
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 2);
        if (std::exchange(first, false) && line == kRecordStart) {
            current_ = true;
            continue;
        }
        Kept kept;
        if (current_ && line.starts_with("@ ")) {
            line.remove_prefix(2);
            if (std::int64_t since = 0; takeNumber(line, since, true))
                for (Kept* waiting : std::exchange(unclosed, {}))
                    waiting->since = since;
            continue;
        }
        if (!current_) {
            kept.how = Kept::How::Unstamped;
        } else if (line.starts_with("= ")) {
            line.remove_prefix(2);
            if (!takeNumber(line, kept.stamp.size) || !takeNumber(line, kept.stamp.modified))
                continue;
        } else if (line.starts_with("~ ")) {
            line.remove_prefix(2);
            kept.how = Kept::How::WrittenHere;
            if (!takeNumber(line, kept.stamp.size))
                continue;
        } else if (line.starts_with("+ ")) {
            line.remove_prefix(2);
            kept.how = Kept::How::Writing;
            kept.since = stamp_->changed;
        } else {
            continue;
        }
        auto name = unescapedName(line);
        if (!name)
            continue;
        kept.name = std::move(*name);
        // A file written after it was about to be: its written line counts.
        auto [at, added] = kept_.try_emplace(key(kept.name));
        if (added || kept.how != Kept::How::Writing)
            at->second = std::move(kept);
        if (at->second.how == Kept::How::Writing)
            unclosed.push_back(&at->second);
    }
}

std::string BuildRecord::key(std::string_view name) const { return caseSensitive_ ? std::string(name) : upperCase(name); }

std::optional<FileStamp> BuildRecord::stampIfWritten(std::string_view name) const
{
    if (kept_.empty())
        return std::nullopt;
    const auto found = kept_.find(key(name));
    if (found == kept_.end())
        return std::nullopt;
    const auto stamp = fs_->fileStamp(folder_ + std::string(name));
    if (!stamp)
        return std::nullopt;
    const Kept& kept = found->second;
    bool asWritten = false;
    switch (kept.how) {
    case Kept::How::Written: asWritten = stamp->sameAs(kept.stamp); break;
    case Kept::How::WrittenHere: asWritten = stamp->size == kept.stamp.size && stamp->modified <= stamp_->modified; break;
    case Kept::How::Writing: asWritten = stamp->changed >= kept.since; break;
    case Kept::How::Unstamped: asWritten = stamp->modified <= stamp_->modified; break;
    }
    return asWritten ? stamp : std::nullopt;
}

std::vector<std::string> BuildRecord::names() const
{
    std::vector<std::string> names;
    names.reserve(kept_.size());
    for (const auto& [k, kept] : kept_)
        names.push_back(kept.name);
    return names;
}

bool BuildRecord::namesFolder(std::string_view name) const
{
    const auto found = kept_.find(key(name));
    return found != kept_.end() && found->second.how == Kept::How::Unstamped &&
           fs_->folderIdentity(folder_ + std::string(name) + fs_->separator()).has_value();
}

bool holdsBuildRecord(const std::vector<FolderEntry>& names)
{
    return std::ranges::any_of(names, [](const FolderEntry& e) { return !e.isFolder && e.name == kBuildRecordName; });
}

} // namespace tavlo
