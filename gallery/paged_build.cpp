#include "gallery/paged_build.h"

#include "gallery/build_steps.h"
#include "gallery/thumbnails.h"
#include "pages/build_record.h"
#include "pages/page_writer.h"
#include "platform/text_rules.h"

namespace tavlo {

void Command4_Click(Platform& p, JobVariables& job)
{
    job.Elenco_Confermato = 0;
    job.viewPages = {};
    job.pagesWritten.clear();
    if (!refuseWithoutFiles(p) || !refuseWithoutPageSize(p) || !refuseWithoutRowSize(p))
        return;
    const OutputPath output = splitOutputPath(p);
    if (!enterPageFolder(p, output.folder))
        return;
    const ThumbnailRun thumbnails = makeThumbnails(p, job, output.folder);
    if (thumbnails.stopped) {
        keepBuildRecords(p, job);  // the thumbnails made before it stopped
        return;
    }
    job.Cartella_Tavlo = output.folder;
    planViewPages(p, job);  // across every page of the series

    job.Num_Files = p.form.listCount();
    const double perPage = numericValue(p.form.text(ControlId::txtMAX_N_FILES));
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
        Crea_Pagina(p, job);
        // A page that went nowhere (every place failed): the next would only fail the same way.
        if (job.pageLost)
            return;
    }

    job.viewPages = {};  // the index page lists the series pages instead
    p.form.listClear();
    for (long page = 1; page <= job.Num_Pagina; ++page)
        p.form.listAdd(job.Pagine[static_cast<std::size_t>(page)]);
    p.form.setText(ControlId::txtMAX_N_FILES, "0");

    // The index page goes where the output path says, also when a fallback moved the series.
    writeWholeListPage(p, job, output);
    tellKeptOriginals(p, thumbnails);
    offerToView(p, job, kViewFirstPageQuestion);
}

} // namespace tavlo
