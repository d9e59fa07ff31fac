#include "pages/build_record.h"

#include "platform/text_case.h"
#include "platform/text_rules.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <utility>

namespace tavlo {
namespace {

// A record begins with this line; one without it is of an earlier version: a bare name a
// line, which counts for files no newer than the record.
constexpr std::string_view kRecordStart = "tavlo-record 2";
// Then a line a file: "= size time name" for a file as written, "+ name" for one about
// to be written. A line "@ time" follows the "+" lines it closes: the time the record
// took them, which every file written after them carries or passes; "+" lines without
// one (a run stopped between the two) take the record's own time.

// A name is stored so that none of its bytes can end its line or be read as another's:
// control characters and "%" go as "%" and two hex digits.
std::string escapedName(std::string_view name)
{
    std::string escaped;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%')
            escaped.append({'%', "0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 0xF]});
        else
            escaped.push_back(c);
    }
    return escaped;
}

// nullopt when the text is no name as escapedName writes them.
std::optional<std::string> unescapedName(std::string_view text)
{
    std::string name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) < 0x20)
            return std::nullopt;
        if (text[i] != '%') {
            name.push_back(text[i]);
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= text.size() || std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr !=
                                            text.data() + i + 3)
            return std::nullopt;
        name.push_back(static_cast<char>(value));
        i += 2;
    }
    if (name.empty() || name.find('/') != std::string::npos || name.find('\\') != std::string::npos)
        return std::nullopt;
    return name;
}

// Reads a number and the space after it from the front of a line.
template <typename Number>
bool takeNumber(std::string_view& line, Number& value)
{
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc() || end == line.data() + line.size() || *end != ' ')
        return false;
    line.remove_prefix(static_cast<std::size_t>(end - line.data()) + 1);
    return true;
}

std::string writtenLine(std::string_view name, const FileStamp& stamp)
{
    return "= " + std::to_string(stamp.size) + ' ' + std::to_string(stamp.modified) + ' ' + escapedName(name) + "\r\n";
}

// The user hears of a record only on the command line; once a build for each folder.
void tellRecordFailure(Platform& p, JobVariables& job, const std::string& folder, const Failure& failure)
{
    if (job.recordsFailed.insert(folder).second)
        p.ui.untold("Elenco dei file creati non registrato: " + buildRecordPath(folder) + " ERR=" +
                    numberForMessage(failure.code) + " - " + failure.description);
}

} // namespace

std::string buildRecordPath(const std::string& folder) { return folder + std::string(kBuildRecordName); }

namespace {

// Writes a folder's record anew: the files this build wrote (`names`) as they lie now,
// and those of earlier builds that still lie there as they were written. Nothing is
// written where there is no record and nothing to keep, unless `always`.
void rewriteRecord(Platform& p, JobVariables& job, const std::string& folder, std::vector<std::string>& names, bool always)
{
    const BuildRecord earlier(p.fs, folder);
    if (earlier.unreadable() && !job.recordsFailed.contains(folder))
        p.ui.untold("Elenco dei file creati non leggibile, rifatto: " + buildRecordPath(folder));
    std::ranges::sort(names);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    std::string text = std::string(kRecordStart) + "\r\n";
    std::set<std::string, std::less<>> kept;
    const auto keep = [&](const std::string& name) {
        if (const auto stamp = p.fs.fileStamp(folder + name); stamp && kept.insert(name).second)
            text += writtenLine(name, *stamp);
    };
    for (const auto& name : names)
        keep(name);
    for (const auto& name : earlier.names())
        if (!kept.contains(name) && earlier.wrote(name))
            keep(name);
    if (kept.empty() && !always && !earlier.unreadable() && !p.fs.fileStamp(buildRecordPath(folder)))
        return;
    if (Failure failure = p.fs.writeWholeFile(buildRecordPath(folder), text))
        tellRecordFailure(p, job, folder, failure);
}

} // namespace

void noteWriting(Platform& p, JobVariables& job, const std::string& folder, const std::vector<std::string>& names)
{
    // The first time in a build, the record is made current: what it holds that is
    // not ours (junk, names of files since replaced) goes before a line is added.
    if (!job.written.contains(folder)) {
        std::vector<std::string> none;
        rewriteRecord(p, job, folder, none, true);
        job.written[folder];
    }
    if (names.empty() || job.recordsFailed.contains(folder))
        return;
    std::string lines;
    lines.reserve(names.size() * 24);
    for (const auto& name : names)
        lines.append("+ ").append(escapedName(name)).append("\r\n");
    const std::string path = buildRecordPath(folder);
    Failure failure = p.fs.appendToFile(path, lines);
    if (const auto took = failure ? std::nullopt : p.fs.fileStamp(path))
        failure = p.fs.appendToFile(path, "@ " + std::to_string(took->modified) + "\r\n");
    if (failure)
        tellRecordFailure(p, job, folder, failure);
}

void noteWritten(JobVariables& job, const std::string& folder, std::string_view name)
{
    job.written[folder].emplace_back(name);
}

void keepBuildRecords(Platform& p, JobVariables& job)
{
    for (auto& [folder, names] : job.written)
        rewriteRecord(p, job, folder, names, false);
    job.written.clear();
    job.recordsFailed.clear();
}

RecordsKeptAtEnd::~RecordsKeptAtEnd()
{
    try {
        keepBuildRecords(p_, job_);
    } catch (...) {
        // Out of memory while unwinding: the records keep what was noted before writing.
    }
}

BuildRecord::BuildRecord(FileSystem& fs, const std::string& folder)
    : fs_(&fs), folder_(folder), caseSensitive_(fs.caseSensitive())
{
    const std::string path = buildRecordPath(folder);
    const auto stamp = fs.fileStamp(path);
    const auto text = stamp ? fs.readRegularFile(path, kBuildRecordLimit, Links::NotFollowed) : std::nullopt;
    if (!text) {
        // Something of that name that is no record of ours (a link, a folder, a pipe, a file too long to be one).
        unreadable_ = stamp.has_value() || fs.canRead(path);
        return;
    }
    recordTime_ = stamp->modified;
    read(*text);
}

void BuildRecord::read(const std::string& text)
{
    const std::vector<std::string> lines = textLines(text);
    const bool current = !lines.empty() && lines.front() == kRecordStart;
    std::vector<Kept*> unclosed;  // "+" lines that wait for their time
    for (std::size_t i = current ? 1 : 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        Kept kept;
        if (current && line.starts_with("@ ")) {
            std::int64_t since = 0;
            line.remove_prefix(2);
            if (std::from_chars(line.data(), line.data() + line.size(), since).ptr == line.data() + line.size())
                for (Kept* waiting : std::exchange(unclosed, {}))
                    waiting->since = since;
            continue;
        }
        if (!current) {
            kept.how = Kept::How::Unstamped;
        } else if (line.starts_with("= ")) {
            line.remove_prefix(2);
            if (!takeNumber(line, kept.stamp.size) || !takeNumber(line, kept.stamp.modified))
                continue;
        } else if (line.starts_with("+ ")) {
            line.remove_prefix(2);
            kept.how = Kept::How::Writing;
            kept.since = recordTime_;
        } else {
            continue;
        }
        auto name = unescapedName(line);
        if (!name)
            continue;
        kept.name = std::move(*name);
        // A file written after it was about to be: its written line counts.
        auto [at, added] = kept_.try_emplace(key(kept.name));
        if (added || kept.how == Kept::How::Written)
            at->second = std::move(kept);
        if (at->second.how == Kept::How::Writing)
            unclosed.push_back(&at->second);
    }
}

std::string BuildRecord::key(std::string_view name) const { return caseSensitive_ ? std::string(name) : upperCase(name); }

bool BuildRecord::wrote(std::string_view name) const
{
    if (kept_.empty())
        return false;
    const auto found = kept_.find(key(name));
    if (found == kept_.end())
        return false;
    const auto stamp = fs_->fileStamp(folder_ + std::string(name));
    if (!stamp)
        return false;
    const Kept& kept = found->second;
    switch (kept.how) {
    case Kept::How::Written: return *stamp == kept.stamp;
    case Kept::How::Writing: return stamp->modified >= kept.since;
    case Kept::How::Unstamped: return stamp->modified <= recordTime_;
    }
    return false;
}

std::vector<std::string> BuildRecord::names() const
{
    std::vector<std::string> names;
    names.reserve(kept_.size());
    for (const auto& [k, kept] : kept_)
        names.push_back(kept.name);
    return names;
}

bool holdsBuildRecord(const std::vector<FolderEntry>& names)
{
    return std::ranges::any_of(names, [](const FolderEntry& e) { return !e.isFolder && e.name == kBuildRecordName; });
}

} // namespace tavlo
