#include "filelist/folder_scan.h"

#include "pages/build_record.h"
#include "pages/known_types.h"
#include "platform/text_case.h"
#include "platform/text_rules.h"

#include <algorithm>

namespace tavlo {
namespace {

std::string currentFilter(const ScanList& list) { return trimBlanks(list.filter()); }

// Keeps a folder marked open while its subtree is walked.
class OpenFolder {
public:
    OpenFolder(ScanState& scan, FolderIdentity id) : scan_(scan) { scan_.openFolders.push_back(id); }
    ~OpenFolder() { scan_.openFolders.pop_back(); }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

private:
    ScanState& scan_;
};

void filePass(Services& p, ScanState& scan, ScanList& list, const std::vector<FolderEntry>& names,
              const BuildRecord& ours)
{
    // The filter is read anew for every file, but only events can change it: reading
    // it again after each yield gives the same value for far less work.
    std::string filter = currentFilter(list);
    for (const auto& found : names) {
        if (found.isFolder)
            continue;
        // A link that leads nowhere is no file to show: told of, and passed over.
        if (found.leadsNowhere) {
            p.ui.scanCannotFollow(scan.Cartella_Corrente + found.name);
            continue;
        }
        if (passesFilter(found.name, filter, scan.longExtensions) && !ours.wrote(found.name)) {
            list.add(scan.Cartella_Corrente + found.name);
            letEventsRun(p);
            filter = currentFilter(list);
        }
    }
}

// Whether a folder holds nothing but what builds of ours wrote there: a thumbnail
// folder with none of the user's files in it.
bool whollyOurs(Services& p, const std::string& folder)
{
    const auto names = p.fs.listFolder(folder, kBuildRecordName);
    if (!names || !holdsBuildRecord(*names))
        return false;
    const BuildRecord ours(p.fs, folder);
    return std::ranges::all_of(*names, [&](const FolderEntry& e) {
        return !e.isFolder && (e.name == kBuildRecordName || ours.wrote(e.name));
    });
}

// The level's sub-folders, but a thumbnail folder that holds only what a build of ours
// wrote, or that the record of an earlier version names.
void noteSubFolders(Services& p, ScanState& scan, int level, const std::vector<FolderEntry>& names, const BuildRecord& ours)
{
    scan.Conta_Cartelle[level] = 0;
    auto& subFolders = scan.Sotto_Cartelle[level];
    subFolders.clear();
    for (const auto& found : names) {
        if (!found.isFolder ||
            (found.name == kThumbnailFolder &&
             (ours.namesFolder(found.name) || whollyOurs(p, scan.Cartella_Corrente + found.name + p.fs.separator()))))
            continue;
        ++scan.Conta_Cartelle[level];
        subFolders.push_back(scan.Cartella_Corrente + found.name);
    }
}

} // namespace

bool passesFilter(std::string_view name, std::string_view filter, bool longExtensions)
{
    if (longExtensions && filter.size() > 3 && name.size() > filter.size()) {
        const std::string_view tail = name.substr(name.size() - filter.size() - 1);
        return tail.front() == '.' && upperCase(tail.substr(1)) == filter;
    }
    // The extension is what follows the first "." among the last four characters.
    const std::string_view tail = lastCharacters(name, 4);
    const auto dot = tail.find('.');
    if (dot == std::string_view::npos || filter.empty())
        return false;
    const std::string extension = upperCase(trimBlanks(tail.substr(dot + 1)));
    return filter == extension || (filter == "*" && isLoadedByEveryTypeLoad(extension));
}

void Legge_Dir(Services& p, ScanState& scan, ScanList& list, const std::string& Path_Ricerca)
{
    const char sep = p.fs.separator();
    scan.Cartella_Corrente = Path_Ricerca;
    if (scan.Cartella_Corrente.empty() || (scan.Cartella_Corrente.back() != sep && scan.Cartella_Corrente.back() != '*'))
        scan.Cartella_Corrente.push_back(sep);
    if (scan.Livello > kDeepestLevel) {
        p.ui.untold("Cartella oltre il livello " + std::to_string(kDeepestLevel) + ", non letta: " + scan.Cartella_Corrente);
        return;
    }

    const auto identity = p.fs.folderIdentity(scan.Cartella_Corrente);
    if (identity && std::find(scan.openFolders.begin(), scan.openFolders.end(), *identity) != scan.openFolders.end()) {
        p.ui.scanCannotFollow(scan.Cartella_Corrente);
        return;
    }
    const OpenFolder open(scan, identity.value_or(FolderIdentity{}));

    // One listing serves both passes: the files of the file pass are the names that
    // are not folders, so the folder is read from the disk once, not twice.
    const auto names = p.fs.listFolder(scan.Cartella_Corrente, kBuildRecordName);
    if (!names)
        p.ui.scanCannotRead(scan.Cartella_Corrente);
    const int level = scan.Livello;
    // What a build of ours wrote here (its pages, their view pages and images, the
    // thumbnails) is the gallery, not pictures for it.
    const BuildRecord ours = names && holdsBuildRecord(*names) ? BuildRecord(p.fs, scan.Cartella_Corrente) : BuildRecord();
    if (ours.unreadable())
        p.ui.untold("Elenco dei file creati non leggibile: " + buildRecordPath(scan.Cartella_Corrente));
    if (names && !currentFilter(list).empty())
        filePass(p, scan, list, *names, ours);

    if (names)
        noteSubFolders(p, scan, level, *names, ours);
    else
        scan.Conta_Cartelle[level] = 0, scan.Sotto_Cartelle[level].clear();
    if (scan.Conta_Cartelle[level] == 0)
        return;
    const auto& subFolders = scan.Sotto_Cartelle[level];

    const long count = static_cast<long>(subFolders.size());
    for (scan.Indice_Cartella[level] = 1; scan.Indice_Cartella[level] <= count; ++scan.Indice_Cartella[level]) {
        const std::string folder = subFolders[static_cast<std::size_t>(scan.Indice_Cartella[level] - 1)];
        if (currentFilter(list).empty()) {
            std::string heading = "<";  // appended, not "<" + text: GCC 12 at -O3 warns falsely on that (its bug 105651)
            heading += trimBlanks(folder);
            heading += '>';
            list.add(heading);
            letEventsRun(p);
        }
        ++scan.Livello;
        try {
            Legge_Dir(p, scan, list, folder);
        } catch (...) {
            --scan.Livello;
            throw;
        }
        --scan.Livello;
    }
    letEventsRun(p);
}

} // namespace tavlo
