#include "gallery/paged_build.h"

#include "gallery/build_steps.h"
#include "gallery/thumbnails.h"
#include "pages/build_record.h"
#include "pages/page_writer.h"
#include "platform/text_rules.h"

#include <cmath>

namespace tavlo {

void Command4_Click(Platform& p, JobVariables& job)
{
    job.Elenco_Confermato = 0;
    job.viewPages = {};
    job.pagesWritten.clear();
    if (!refuseWithoutFiles(p))
        return;
    // Only a whole number of at least 1 makes a series in which every entry lands on one page.
    const double perPage = numericValue(p.form.text(ControlId::txtMAX_N_FILES));
    if (perPage < 1 || perPage != std::floor(perPage)) {
        refuse(p, "Indicare numero massimo files per pagina .HTM da elaborare !!!");
        return;
    }
    if (!refuseWithoutRowSize(p))
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
    double assigned = 0;  // Files_Assegnati
    job.Num_Pagina = 1;
    job.Pagine.assign(1, "");
    for (;;) {
        job.Primo_File = assigned + 1;
        job.Ultimo_File = assigned + perPage;
        job.Nome_Pagina = "PAG_" + std::to_string(job.Num_Pagina) + ".HTM";
        job.Nome_File_Htm = job.Nome_Pagina;
        job.Pagine.push_back(job.Nome_Pagina);
        Crea_Pagina(p, job);
        // A page that went nowhere (every place failed): the next would only fail the same way.
        if (job.pageLost)
            return;
        assigned += perPage;
        if (assigned >= static_cast<double>(job.Num_Files))
            break;
        ++job.Num_Pagina;
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
