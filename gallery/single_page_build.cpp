#include "gallery/single_page_build.h"

#include "gallery/build_steps.h"
#include "gallery/thumbnails.h"
#include "pages/build_record.h"

namespace tavlo {

void Command1_Click(Platform& p, JobVariables& job)
{
    job.Elenco_Confermato = 0;
    job.viewPages = {};
    job.pagesWritten.clear();
    if (!refuseWithoutFiles(p) || !refuseWithoutRowSize(p))
        return;
    p.form.setText(ControlId::txtMAX_N_FILES, "0");
    const OutputPath output = splitOutputPath(p);
    if (!enterPageFolder(p, output.folder))
        return;
    const ThumbnailRun thumbnails = makeThumbnails(p, job, output.folder);
    if (thumbnails.stopped) {
        keepBuildRecords(p, job);  // the thumbnails made before it stopped
        return;
    }

    planViewPages(p, job);
    writeWholeListPage(p, job, output);
    tellKeptOriginals(p, thumbnails);
    // The open command names the page alone, in the folder just made current.
    offerToView(p, job, kViewQuestion);
}

} // namespace tavlo
