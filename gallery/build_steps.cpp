#include "gallery/build_steps.h"

#include "gallery/open_page.h"
#include "gallery/template_copy.h"
#include "pages/build_record.h"
#include "pages/page_writer.h"
#include "platform/text_case.h"
#include "platform/text_rules.h"

#include <cmath>

namespace tavlo {
namespace {

bool hasFiles(Platform& p) { return numericValue(p.form.text(ControlId::txtNUM_FILE)) != 0; }
bool hasRowSize(Platform& p) { return numericValue(p.form.text(ControlId::txtMAX_PER_RIGA)) >= 1; }
// Only a whole number of at least 1 makes a series in which every entry lands on one page.
bool hasPageSize(double perPage) { return perPage >= 1 && perPage == std::floor(perPage); }
double pageSize(Platform& p) { return numericValue(p.form.text(ControlId::txtMAX_N_FILES)); }

} // namespace

bool refuseWithoutFiles(Platform& p)
{
    if (hasFiles(p))
        return true;
    refuse(p, "Nessun files da elaborare !!!");
    return false;
}

bool refuseWithoutRowSize(Platform& p)
{
    if (hasRowSize(p))
        return true;
    refuse(p, "Indicare quante immagini si voglio per ogni riga !!!");
    return false;
}

bool refuseWithoutPageSize(Platform& p)
{
    if (hasPageSize(pageSize(p)))
        return true;
    refuse(p, "Indicare numero massimo files per pagina .HTM da elaborare !!!");
    return false;
}

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
    // What a run killed mid-write left there goes before this one writes.
    p.fs.sweepTemporaries(folder);
    return true;
}

std::string pageNameFrom(const std::string& name) { return name.substr(0, name.find('.')) + ".HTM"; }

void planViewPages(Platform& p, JobVariables& job)
{
    job.viewPages = planViewPageNames(p.form, p.fs.separator(), 0, p.form.listCount());
}

void writeWholeListPage(Platform& p, JobVariables& job, const OutputPath& output)
{
    job.Cartella_Tavlo = output.folder;
    job.Nome_File_Htm = output.name;
    job.Num_Files = p.form.listCount();
    job.Primo_File = 1;
    job.Ultimo_File = static_cast<double>(job.Num_Files);
    job.Nome_Pagina = pageNameFrom(job.Nome_File_Htm);
    Crea_Pagina(p, job);
    // A page that went nowhere has no folder to put the templates in.
    if (!job.pageLost)
        Copia_Modelli(p, job);
    keepBuildRecords(p, job);
}

std::vector<std::string> seriesPageNames(long entries, double perPage)
{
    std::vector<std::string> names;
    for (double assigned = 0; names.empty() || assigned < static_cast<double>(entries); assigned += perPage)
        names.push_back("PAG_" + std::to_string(names.size() + 1) + ".HTM");
    return names;
}

std::optional<PagePlan> planPages(Platform& p, bool paged)
{
    if (!hasFiles(p) || !hasRowSize(p) || (paged && !hasPageSize(pageSize(p))))
        return std::nullopt;
    const OutputPath output = splitOutputPath(p);
    PagePlan plan{output.folder, {}, output.folder + pageNameFrom(output.name)};
    if (paged)
        plan.series = seriesPageNames(p.form.listCount(), pageSize(p));
    return plan;
}

void offerToView(Platform& p, const JobVariables& job, std::string_view question)
{
    // A build that wrote no page has nothing to show.
    if (job.pageLost)
        return;
    // The page's final place: the write-failure fallback may have moved it.
    const std::string page = job.Cartella_Tavlo + job.Nome_Pagina;
    if (p.ui.msgBox(MessageKind::View, std::string(question) + page + " (S/N) ", kYesNo) == kAnswerYes)
        openPage(p, page);
    p.form.setEnabled(ControlId::Command5, true);
}

} // namespace tavlo
