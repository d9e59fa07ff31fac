#include "pages/record_keeping.h"

#include "platform/text_rules.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace tavlo {
namespace {

// A record line as a text file's line: without the CR LF that its writer adds.
std::string_view withoutLineEnd(std::string_view line)
{
    line.remove_suffix(line.ends_with("\r\n") ? 2 : 0);
    return line;
}

// A thumbnail folder that a record of an earlier version kept out of loads whole gets a
// record of its own, naming the files there no newer than that record.
void handDownThumbnailFolder(Services& p, const std::string& folder, const BuildRecord& earlier)
{
    const std::string thumbnails = folder + std::string(kThumbnailFolder) + p.fs.separator();
    if (!earlier.namesFolder(kThumbnailFolder) || p.fs.fileStamp(buildRecordPath(thumbnails)))
        return;
    const auto names = p.fs.listFolder(thumbnails);
    std::string text = BuildRecord::startLine();
    for (const FolderEntry& entry : names ? *names : std::vector<FolderEntry>{})
        if (const auto stamp = p.fs.fileStamp(thumbnails + entry.name); stamp && stamp->modified <= earlier.stamp()->modified)
            BuildRecord::addWrittenLine(text, entry.name, *stamp);
    p.fs.writeWholeFile(buildRecordPath(thumbnails), text);
}

} // namespace

// The user hears of a record only on the command line; once a build for each folder,
// which is then not tried again.
void BuildRecords::tellFailure(FolderRecord& record, const std::string& folder, const Failure& failure)
{
    if (!std::exchange(record.failed, true))
        p_.ui.untold("Elenco dei file creati non registrato: " + buildRecordPath(folder) + " ERR=" +
                     numberForMessage(failure.code) + " - " + failure.description);
}

BuildRecords::FolderRecord& BuildRecords::touched(const std::string& folder)
{
    auto [at, added] = records_.try_emplace(folder);
    if (added) {
        at->second.earlier = BuildRecord(p_.fs, folder);
        if (at->second.earlier.unreadable())
            p_.ui.untold("Elenco dei file creati non leggibile, rifatto: " + buildRecordPath(folder));
    }
    return at->second;
}

// Writes the record anew from `earlier`: what this build wrote as it lies now, then what
// earlier builds wrote that still lies there as written. Nothing is written where there
// is no record and nothing to keep, unless `always`.
void BuildRecords::write(const std::string& folder, FolderRecord& record, const BuildRecord& earlier, bool always)
{
    Services& p = p_;
    // What was written, by name; a name written twice (a page restarted in the same
    // place) counts as last written.
    const EntryStore& written = record.written;
    std::vector<std::uint32_t> byName(static_cast<std::size_t>(written.size()));
    std::iota(byName.begin(), byName.end(), 0u);
    const auto nameOf = [&](std::uint32_t i) { return written.at(i); };
    std::ranges::stable_sort(byName, {}, nameOf);
    const auto lastOfName = [&](std::size_t at) { return at + 1 == byName.size() || nameOf(byName[at + 1]) != nameOf(byName[at]); };
    // The record goes to its file line by line, made when its first line comes: a record
    // of a million names is never held whole.
    const std::string path = buildRecordPath(folder);
    handDownThumbnailFolder(p, folder, earlier);
    std::unique_ptr<TextWriter> file;
    Failure failure;
    std::string text;
    const auto put = [&] {
        if (!file && !failure)
            if ((file = p.fs.createText(path, failure)))
                failure = file->writeLine(withoutLineEnd(BuildRecord::startLine()));
        if (file && !failure)
            failure = file->writeLine(withoutLineEnd(text));
        text.clear();
    };
    // A file of known size is noted as this record's own, without a look at it.
    for (std::size_t at = 0; at < byName.size(); ++at) {
        if (!lastOfName(at))
            continue;
        const std::string_view name = nameOf(byName[at]);
        const std::uint64_t size = record.sizes[byName[at]];
        if (size != kUnknownSize)
            BuildRecord::addWrittenHereLine(text, name, size), put();
        else if (const auto stamp = p.fs.fileStamp(folder + std::string(name)))
            BuildRecord::addWrittenLine(text, name, *stamp), put();
    }
    for (const auto& name : earlier.names())
        if (!std::ranges::binary_search(byName, std::string_view(name), {}, nameOf))
            if (const auto stamp = earlier.stampIfWritten(name))
                BuildRecord::addWrittenLine(text, name, *stamp), put();
    if (!file && !failure) {
        if (!always && !earlier.unreadable() && !p.fs.fileStamp(path))
            return;
        text = BuildRecord::startLine();  // a record that keeps nothing: its first line alone
        file = p.fs.createText(path, failure);
        if (file)
            failure = file->writeLine(withoutLineEnd(text));
    }
    if (!failure)
        failure = file->close();
    if (failure)
        return tellFailure(record, folder, failure);
    record.left = p.fs.fileStamp(path);
}

const BuildRecord& BuildRecords::found(const std::string& folder) { return touched(folder).earlier; }

void BuildRecords::noteWriting(const std::string& folder, const std::vector<std::string>& names)
{
    FolderRecord& record = touched(folder);
    if (record.failed || names.empty())
        return;
    // A record not in this version's form (or junk) is made anew before a line is added.
    if (!record.left && !record.earlier.current())
        write(folder, record, record.earlier, true);
    if (record.failed)
        return;
    std::string lines;
    lines.reserve(names.size() * 24);
    for (const auto& name : names)
        lines += BuildRecord::writingLine(name);
    const std::string path = buildRecordPath(folder);
    Failure failure = p_.fs.appendToFile(path, lines);
    if (const auto took = failure ? std::nullopt : p_.fs.fileStamp(path))
        failure = p_.fs.appendToFile(path, BuildRecord::tookLine(took->changed));
    if (failure)
        return tellFailure(record, folder, failure);
    record.left = p_.fs.fileStamp(path);
}

void BuildRecords::noteWritten(const std::string& folder, std::string_view name, std::optional<std::uint64_t> size)
{
    FolderRecord& record = records_[folder];
    record.written.append(name);
    record.sizes.push_back(size.value_or(kUnknownSize));
}

void BuildRecords::keep()
{
    for (auto& [folder, record] : records_) {
        if (record.failed)
            continue;
        // Another run may have added to the record since this one found it or last added
        // to it: then it is read again, so that what that run noted stays.
        const auto expected = record.left ? record.left : record.earlier.stamp();
        if (p_.fs.fileStamp(buildRecordPath(folder)) == expected)
            write(folder, record, record.earlier, false);
        else
            write(folder, record, BuildRecord(p_.fs, folder), false);
    }
    records_.clear();
}

BuildRecords::~BuildRecords()
{
    try {
        keep();
    } catch (...) {
        // Out of memory while unwinding: the records keep what was noted before writing.
    }
}

} // namespace tavlo
