#include "gallery/build_steps.h"

#include "gallery/open_page.h"
#include "gallery/template_copy.h"
#include "pages/record_keeping.h"
#include "pages/page_writer.h"
#include "platform/text_case.h"
#include "platform/text_rules.h"

#include <cmath>

namespace tavlo {
namespace {

bool hasFiles(const BuildSettings& s) { return s.filesFound != 0; }
bool hasRowSize(const BuildSettings& s) { return s.rowSize >= 1; }
// Only a whole number of at least 1 makes a series in which every entry lands on one page.
bool hasPageSize(const BuildSettings& s) { return s.pageSize >= 1 && s.pageSize == std::floor(s.pageSize); }

bool refuseUnless(Platform& p, bool passes, std::string_view refusal)
{
    if (!passes)
        refuse(p, refusal);
    return passes;
}

// Makes the page folder the current folder and sweeps the temporaries of killed runs
// from it; refuses the build (false) when there is no such folder.
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

} // namespace

bool refuseWithoutFiles(Platform& p, const BuildSettings& settings)
{
    return refuseUnless(p, hasFiles(settings), "Nessun files da elaborare !!!");
}

bool refuseWithoutRowSize(Platform& p, const BuildSettings& settings)
{
    return refuseUnless(p, hasRowSize(settings), "Indicare quante immagini si voglio per ogni riga !!!");
}

bool refuseWithoutPageSize(Platform& p, const BuildSettings& settings)
{
    return refuseUnless(p, hasPageSize(settings), "Indicare numero massimo files per pagina .HTM da elaborare !!!");
}

OutputPath splitOutputPath(Platform& p, const BuildSettings& settings)
{
    const PathParts parts = Dividi_Percorso(trimBlanks(settings.pagePath), p.fs.separator());
    const std::string folder = p.fs.fullFolderPath(parts.folder);
    // Where letter case matters on disk the folder keeps its own; the page name is formed in upper case.
    return {p.fs.caseSensitive() ? folder : upperCase(folder), upperCase(parts.name)};
}

std::optional<BuildStart> startBuild(Platform& p, JobVariables& job, const BuildSettings& settings)
{
    BuildStart start{splitOutputPath(p, settings), {}};
    if (!enterPageFolder(p, start.output.folder))
        return std::nullopt;
    start.thumbnails = makeThumbnails(p, job, settings, start.output.folder);
    if (start.thumbnails.stopped) {
        keepBuildRecords(p, job);  // the thumbnails made before it stopped
        return std::nullopt;
    }
    return start;
}

std::string pageNameFrom(const std::string& name) { return name.substr(0, name.find('.')) + ".HTM"; }

void planViewPages(Platform& p, JobVariables& job, const BuildSettings& settings)
{
    job.viewPages = planViewPageNames(settings.entries, p.fs.separator(), 0, static_cast<long>(settings.entries.size()));
}

void writeWholeListPage(Platform& p, JobVariables& job, const OutputPath& output, const BuildSettings& settings)
{
    job.Cartella_Tavlo = output.folder;
    job.Nome_File_Htm = output.name;
    job.Num_Files = static_cast<long>(settings.entries.size());
    job.Primo_File = 1;
    job.Ultimo_File = static_cast<double>(job.Num_Files);
    job.Nome_Pagina = pageNameFrom(job.Nome_File_Htm);
    Crea_Pagina(p, job, settings);
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

std::optional<PagePlan> planPages(Platform& p, const BuildSettings& settings, bool paged)
{
    if (!hasFiles(settings) || !hasRowSize(settings) || (paged && !hasPageSize(settings)))
        return std::nullopt;
    const OutputPath output = splitOutputPath(p, settings);
    PagePlan plan{output.folder, {}, output.folder + pageNameFrom(output.name)};
    if (paged)
        plan.series = seriesPageNames(static_cast<long>(settings.entries.size()), settings.pageSize);
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
