#include "gallery/build.h"

#include "gallery/build_steps.h"
#include "gallery/paged_build.h"
#include "gallery/single_page_build.h"

namespace tavlo {
namespace {

// The single page checks the count of files and the row size; a series its page size between them.
bool passesChecks(Services& p, const BuildSettings& settings, BuildKind kind)
{
    return refuseWithoutFiles(p, settings) && (kind == BuildKind::SinglePage || refuseWithoutPageSize(p, settings)) &&
           refuseWithoutRowSize(p, settings);
}

} // namespace

BuildOutcome buildGallery(Services& p, BuildQuestions& questions, const BuildSettings& settings, BuildKind kind)
{
    BuildContext b(p, questions);
    if (!passesChecks(p, settings, kind) || !questions.starting(planPages(p, settings, kind == BuildKind::Series)))
        return {};
    const auto start = startBuild(b, settings);
    if (!start)
        return {b.job};
    const bool whole = kind == BuildKind::Series ? writeSeries(b, settings, start->output)
                                                 : (writeSinglePage(b, settings, start->output), true);
    if (!whole)
        return {b.job};
    tellKeptOriginals(p, start->thumbnails);
    const bool offered = offerToView(b, kind == BuildKind::Series ? kViewFirstPageQuestion : kViewQuestion);
    return {b.job, offered};
}

} // namespace tavlo
