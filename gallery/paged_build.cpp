#include "gallery/paged_build.h"

#include "gallery/build_steps.h"
#include "pages/record_keeping.h"
#include "pages/page_writer.h"

namespace tavlo {

void Command4_Click(Platform& p, JobVariables& job, const BuildSettings& settings)
{
    job.Elenco_Confermato = 0;
    job.viewPages = {};
    job.pagesWritten.clear();
    if (!refuseWithoutFiles(p, settings) || !refuseWithoutPageSize(p, settings) || !refuseWithoutRowSize(p, settings))
        return;
    // However the build ends, each folder's record tells what it wrote there.
    const RecordsKeptAtEnd records(p, job);
    const auto start = startBuild(p, job, settings);
    if (!start)
        return;
    job.Cartella_Tavlo = start->output.folder;
    planViewPages(p, job, settings);  // across every page of the series

    job.Num_Files = static_cast<long>(settings.entries.size());
    const double perPage = settings.pageSize;
    const std::vector<std::string> series = seriesPageNames(job.Num_Files, perPage);
    job.Pagine.assign(1, "");
    for (std::size_t i = 0; i < series.size(); ++i) {
        const double assigned = static_cast<double>(i) * perPage;  // Files_Assegnati
        job.Num_Pagina = static_cast<long>(i) + 1;
        job.Primo_File = assigned + 1;
        job.Ultimo_File = assigned + perPage;
        job.Nome_Pagina = series[i];
        job.Nome_File_Htm = job.Nome_Pagina;
        job.Pagine.push_back(job.Nome_Pagina);
        Crea_Pagina(p, job, settings);
        // A page that went nowhere (every place failed): the next would only fail the same way.
        if (job.pageLost)
            return;
    }

    // The index page lists the series' pages, in the window's list too.
    job.viewPages = {};
    const BuildSettings index{settings.pagePath, {job.Pagine.begin() + 1, job.Pagine.end()}, settings.filesFound,
                              settings.rowSize,  settings.pageSize, settings.withoutBackground, settings.thumbnails};
    p.form.listClear();
    for (const std::string& page : index.entries)
        p.form.listAdd(page);
    p.form.setText(ControlId::txtMAX_N_FILES, "0");

    // The index page goes where the output path says, also when a fallback moved the series.
    writeWholeListPage(p, job, start->output, index);
    tellKeptOriginals(p, start->thumbnails);
    offerToView(p, job, kViewFirstPageQuestion);
}

} // namespace tavlo
