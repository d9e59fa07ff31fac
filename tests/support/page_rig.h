#pragma once
// What the page and build tests set up on a rig: a small header and footer of our
// own beside the program (so that expected pages stay short), and a file list
// filled as a load fills it; and how the pages name files where letter case
// matters on disk (Linux) and where it does not (Windows).

#include "platform/text_case.h"
#include "support/page_text.h"
#include "support/rig.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tavlo::test {

inline const Lines kHeaderLines{"<HEAD><TITLE>Prova</TITLE></HEAD>", "<BODY>", "<div align=\"center\"><center>"};
inline const Lines kHeader2Lines{"<HEAD></HEAD>", "<BODY bgcolor=\"#000000\"><div><center>"};
inline const Lines kFooterLines{"</BODY>", "</HTML>"};

/// Replaces the header and footer beside the program by small ones of our own.
inline void useSmallTemplates(Rig& rig)
{
    rig.tree.file("program/INTESTAZ.HTM", crlfText(kHeaderLines));
    rig.tree.file("program/INTEST_2.HTM", crlfText(kHeader2Lines));
    rig.tree.file("program/PIEDE.HTM", crlfText(kFooterLines));
}

/// Puts the entries in the file list, shows their count and unlocks the build
/// buttons, as a load does.
inline void fillList(Rig& rig, const std::vector<std::string>& entries)
{
    for (const auto& entry : entries)
        rig.controls.listAdd(entry);
    rig.type(ControlId::txtNUM_FILE, std::to_string(rig.controls.listCount()));
    rig.controls.setEnabled(ControlId::Command1, true);
    rig.controls.setEnabled(ControlId::Command4, true);
}

/// The page of a build with the small templates: header, back link or not, cells, footer.
inline Lines smallPage(bool backLink, std::vector<Lines> cells, int perRow)
{
    return expected::page({kHeaderLines, backLink, std::move(cells), perRow, kFooterLines});
}

/// A page folder as a build forms it from the typed one: where letter case does
/// not matter on disk, upper-cased as the tool does.
inline std::string builtFolder(const Rig& rig, const std::string& folder)
{
    return rig.fs.caseSensitive() ? folder : upperCase(folder);
}

/// A page's link to a file below the page folder, given as it lies on disk with "/"
/// between names: where letter case matters on disk, exactly as there; where it
/// does not, as the tool forms it, the folders upper-cased and the name lower-cased.
inline std::string linkTo(const Rig& rig, std::string_view asOnDisk)
{
    const std::string path = native(asOnDisk);
    if (rig.fs.caseSensitive())
        return path;
    const auto name = path.rfind(kSep) + 1;  // 0 where there is no folder
    return upperCase(path.substr(0, name)) + lowerCase(path.substr(name));
}

/// A page's link to a view page (the tool names those in upper case): lower-cased
/// where letter case does not matter on disk.
inline std::string viewLink(const Rig& rig, std::string_view viewPage)
{
    return rig.fs.caseSensitive() ? std::string(viewPage) : lowerCase(viewPage);
}

/// The picture a view page shows, given as it lies on disk below the page folder:
/// upper-cased where letter case does not matter on disk.
inline std::string viewSource(const Rig& rig, std::string_view asOnDisk)
{
    return rig.fs.caseSensitive() ? native(asOnDisk) : upperCase(native(asOnDisk));
}

/// The message of a page given up: the place that failed, the failure code and its description.
inline std::string pageGivenUp(const std::string& page, int code, const std::string& description)
{
    return "Errore in registrazione Elenco " + page + "\r\r ERR= " + std::to_string(code) + " - " + description;
}

/// A build makes the page folder the current folder; this puts the test's own back
/// (or, when an earlier test left it in a folder since removed, the temporary folder).
class CurrentFolderKept {
public:
    CurrentFolderKept()
    {
        std::error_code failed;
        folder_ = std::filesystem::current_path(failed);
        if (failed)
            folder_ = std::filesystem::temp_directory_path();
    }
    ~CurrentFolderKept()
    {
        std::error_code ignored;
        std::filesystem::current_path(folder_, ignored);
    }
    CurrentFolderKept(const CurrentFolderKept&) = delete;
    CurrentFolderKept& operator=(const CurrentFolderKept&) = delete;

private:
    std::filesystem::path folder_;
};

} // namespace tavlo::test
