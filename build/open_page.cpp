#include "build/open_page.h"

#include "platform/text_case.h"
#include "platform/text_rules.h"

namespace tavlo {

std::string openCommandLine(const std::string& page)
{
    // The empty title keeps START from taking the quoted page for a window title.
    return "START /max /w \"\" \"" + page + "\"";
}

void openPage(Platform& p, const std::string& named, const std::string& fullPath)
{
    runSkippingFailures([&] { p.ui.openPage({openCommandLine(named), fullPath}); });
}

std::string pageNameFrom(const std::string& name) { return name.substr(0, name.find('.')) + ".HTM"; }

OutputPath splitOutputPath(Platform& p)
{
    const std::string typed = trimBlanks(p.form.text(ControlId::txtNOME_FILE_HTM));
    const PathParts parts = Dividi_Percorso(typed, p.fs.separator());
    const std::string folder = p.fs.fullFolderPath(parts.folder);
    // Where letter case matters on disk the folder keeps its own; the page name is formed in upper case.
    return {p.fs.caseSensitive() ? folder : upperCase(folder), upperCase(parts.name)};
}

bool enterPageFolder(Platform& p, const std::string& folder)
{
    if (folder.empty()) {
        refuse(p, "Indicare la cartella in cui creare la pagina .HTM !!!");
        return false;
    }
    if (p.fs.setCurrentFolder(folder)) {
        refuse(p, "La cartella " + folder + " non esiste !!!");
        return false;
    }
    p.fs.setCurrentDrive(folder.substr(0, 1));
    return true;
}

} // namespace tavlo
