#include "gallery/build_steps.h"

#include "gallery/open_page.h"
#include "gallery/template_copy.h"
#include "platform/text_case.h"
#include "platform/text_rules.h"

#include <cmath>

namespace tavlo {
namespace {

bool hasFiles(const BuildSettings& s) { return s.filesFound != 0; }
bool hasRowSize(const BuildSettings& s) { return s.rowSize >= 1; }
// Only a whole number of at least 1 makes a series in which every entry lands on one page.
bool hasPageSize(const BuildSettings& s) { return s.pageSize >= 1 && s.pageSize == std::floor(s.pageSize); }

bool refuseUnless(Services& p, bool passes, std::string_view refusal)
{
    if (!passes)
        refuse(p, refusal);
    return passes;
}

// Makes the page folder the current folder and sweeps the temporaries of killed runs
// from it; refuses the build (false) when there is no such folder.
bool enterPageFolder(Services& p, const std::string& folder)
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

bool refuseWithoutFiles(Services& p, const BuildSettings& settings)
{
    return refuseUnless(p, hasFiles(settings), "Nessun files da elaborare !!!");
}

bool refuseWithoutRowSize(Services& p, const BuildSettings& settings)
{
    return refuseUnless(p, hasRowSize(settings), "Indicare quante immagini si voglio per ogni riga !!!");
}

bool refuseWithoutPageSize(Services& p, const BuildSettings& settings)
{
    return refuseUnless(p, hasPageSize(settings), "Indicare numero massimo files per pagina .HTM da elaborare !!!");
}

OutputPath splitOutputPath(Services& p, const BuildSettings& settings)
{
    const PathParts parts = Dividi_Percorso(trimBlanks(settings.pagePath), p.fs.separator());
    const std::string folder = p.fs.fullFolderPath(parts.folder);
    // Where letter case matters on disk the folder keeps its own; the page name is formed in upper case.
    return {p.fs.caseSensitive() ? folder : upperCase(folder), upperCase(parts.name)};
}

std::optional<BuildStart> startBuild(BuildContext& b, const BuildSettings& settings)
{
    BuildStart start{splitOutputPath(b.p, settings), {}};
    if (!enterPageFolder(b.p, start.output.folder))
        return std::nullopt;
    start.thumbnails = makeThumbnails(b, settings, start.output.folder);
    if (start.thumbnails.stopped)
        return std::nullopt;
    return start;
}

std::string pageNameFrom(const std::string& name) { return name.substr(0, name.find('.')) + ".HTM"; }

void writeWholeListPage(BuildContext& b, const OutputPath& output, const PageList& list)
{
    JobVariables& job = b.job;
    job.Cartella_Tavlo = output.folder;
    job.Nome_File_Htm = output.name;
    job.Num_Files = list.entries.size();
    job.Primo_File = 1;
    job.Ultimo_File = static_cast<double>(job.Num_Files);
    job.Nome_Pagina = pageNameFrom(job.Nome_File_Htm);
    Crea_Pagina(b, list);
    // A page that went nowhere has no folder to put the templates in.
    if (!b.pageLost)
        Copia_Modelli(b);
    // Before the view question, which may stay unanswered for long.
    b.records.keep();
}

std::vector<std::string> seriesPageNames(long entries, double perPage)
{
    std::vector<std::string> names;
    for (double assigned = 0; names.empty() || assigned < static_cast<double>(entries); assigned += perPage)
        names.push_back("PAG_" + std::to_string(names.size() + 1) + ".HTM");
    return names;
}

PagePlan planPages(Services& p, const BuildSettings& settings, bool paged)
{
    const OutputPath output = splitOutputPath(p, settings);
    PagePlan plan{output.folder, {}, output.folder + pageNameFrom(output.name)};
    if (paged)
        plan.series = seriesPageNames(settings.entries.size(), settings.pageSize);
    return plan;
}

bool offerToView(BuildContext& b, std::string_view question)
{
    // A build that wrote no page has nothing to show.
    if (b.pageLost)
        return false;
    // The page's final place: the write-failure fallback may have moved it.
    const std::string page = b.job.Cartella_Tavlo + b.job.Nome_Pagina;
    if (b.questions.ask(MessageKind::View, std::string(question) + page + " (S/N) ") == Answer::Yes)
        openPage(b.p, page);
    return true;
}

} // namespace tavlo
