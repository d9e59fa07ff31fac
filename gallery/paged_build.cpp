#include "gallery/paged_build.h"

namespace tavlo {

bool writeSeries(BuildContext& b, const BuildSettings& settings, const OutputPath& output)
{
    JobVariables& job = b.job;
    job.Cartella_Tavlo = output.folder;
    job.Num_Files = settings.entries.size();
    // The view pages are named across every page of the series.
    const PageList list{settings.entries, ViewPageNames(settings.entries, b.p.fs.separator(), 0, job.Num_Files),
                        settings.rowSize, settings.withoutBackground};
    const double perPage = settings.pageSize;
    const std::vector<std::string> series = seriesPageNames(job.Num_Files, perPage);
    for (std::size_t i = 0; i < series.size(); ++i) {
        const double assigned = static_cast<double>(i) * perPage;  // Files_Assegnati
        job.Num_Pagina = static_cast<long>(i) + 1;
        job.Primo_File = assigned + 1;
        job.Ultimo_File = assigned + perPage;
        job.Nome_Pagina = series[i];
        job.Nome_File_Htm = job.Nome_Pagina;
        job.Pagine.push_back(job.Nome_Pagina);
        Crea_Pagina(b, list);
        // A page that went nowhere (every place failed): the next would only fail the same way.
        if (b.pageLost)
            return false;
    }

    // The index page lists the series' pages, in the window's list too. It goes where the
    // output path says, also when a fallback moved the series.
    const std::vector<std::string> pages(job.Pagine.begin() + 1, job.Pagine.end());
    b.questions.seriesWritten(pages);
    EntryStore index;
    for (const std::string& page : pages)
        index.append(page);
    writeWholeListPage(b, output, indexList(index, settings));
    return true;
}

PageList indexList(const EntryStore& pages, const BuildSettings& settings)
{
    return {pages, ViewPageNames(), settings.rowSize, settings.withoutBackground};
}

} // namespace tavlo
