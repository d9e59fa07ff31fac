#include "gallery/single_page_build.h"

#include "gallery/build_steps.h"
#include "pages/record_keeping.h"

namespace tavlo {

void Command1_Click(Platform& p, JobVariables& job, const BuildSettings& settings)
{
    job.Elenco_Confermato = 0;
    job.viewPages = {};
    job.pagesWritten.clear();
    if (!refuseWithoutFiles(p, settings) || !refuseWithoutRowSize(p, settings))
        return;
    // However the build ends, each folder's record tells what it wrote there.
    const RecordsKeptAtEnd records(p, job);
    p.form.setText(ControlId::txtMAX_N_FILES, "0");
    const auto start = startBuild(p, job, settings);
    if (!start)
        return;

    planViewPages(p, job, settings);
    writeWholeListPage(p, job, start->output, settings);
    tellKeptOriginals(p, start->thumbnails);
    // The open command names the page alone, in the folder just made current.
    offerToView(p, job, kViewQuestion);
}

} // namespace tavlo
