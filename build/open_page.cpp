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

void splitOutputPath(Platform& p, JobVariables& job)
{
    const std::string typed = trimBlanks(p.form.text(ControlId::txtNOME_FILE_HTM));
    const PathParts parts = Dividi_Percorso(typed, p.fs.separator());
    // Where letter case matters on disk the folder keeps its own; the page name is formed in upper case.
    job.Cartella_Tavlo = p.fs.caseSensitive() ? parts.folder : upperCase(parts.folder);
    job.Nome_File_Htm = upperCase(parts.name);
}

bool enterPageFolder(Platform& p, const JobVariables& job)
{
    if (job.Cartella_Tavlo.empty()) {
        refuse(p, "Indicare la cartella in cui creare la pagina .HTM !!!");
        return false;
    }
    if (p.fs.setCurrentFolder(job.Cartella_Tavlo)) {
        refuse(p, "La cartella " + job.Cartella_Tavlo + " non esiste !!!");
        return false;
    }
    p.fs.setCurrentDrive(job.Cartella_Tavlo.substr(0, 1));
    return true;
}

} // namespace tavlo
