#pragma once
// Legge_Dir: walks a folder and its sub-folders depth first and appends a file
// list entry for each selected file, or, with a blank filter, a folder heading
// entry ("<" + folder + ">") for each sub-folder.

#include "platform/platform.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

inline constexpr int kDeepestLevel = 50;

struct ScanState {
    int Livello = 0;                // level of the folder being scanned, 0 for the start folder
    std::string Cartella_Corrente;  // the folder being scanned, ending in a separator
    std::vector<long> Conta_Cartelle = std::vector<long>(kDeepestLevel + 1);
    std::vector<long> Indice_Cartella = std::vector<long>(kDeepestLevel + 1);
    // Per level, the full paths of the sub-folders found; intact while deeper levels are scanned.
    std::vector<std::vector<std::string>> Sotto_Cartelle = std::vector<std::vector<std::string>>(kDeepestLevel + 1);
    // The folders open along the current walk, so that a link back up is not entered again.
    std::vector<FolderIdentity> openFolders;
    // Ours, for the command line: a filter of four letters or more (HEIC, TIFF), which
    // the window's rule never selects, selects the names ending in "." and that filter.
    bool longExtensions = false;
};

/// Where a scan puts the entries it finds, and the filter it reads anew as it goes (an
/// event may change it): the window's list and extension box, or the command line's own.
class ScanList {
public:
    virtual ~ScanList() = default;
    virtual std::string filter() const = 0;
    virtual void add(std::string_view entry) = 0;
};

void Legge_Dir(Services& p, ScanState& scan, ScanList& list, const std::string& Path_Ricerca);

/// Whether a file name passes the extension filter (already trimmed).
bool passesFilter(std::string_view name, std::string_view filter, bool longExtensions = false);

} // namespace tavlo
