#pragma once
// One build as its pages see it: what it reaches the world through, whom it asks, and
// what it holds from its start to its end. Each build has its own, so nothing of one
// build is left for the next.

#include "pages/build_questions.h"
#include "pages/entry_pictures.h"
#include "pages/job_variables.h"
#include "pages/record_keeping.h"
#include "platform/platform.h"

#include <set>
#include <string>

namespace tavlo {

struct BuildContext {
    BuildContext(Services& services, BuildQuestions& asked) : p(services), questions(asked), records(services) {}

    Services& p;
    BuildQuestions& questions;
    BuildRecords records;   // kept when the build ends, however it ends
    JobVariables job;
    EntryPictures pictures;  // the thumbnails and screen copies made for the cells
    // The pages this build wrote, so that a fallback never puts a second page under
    // the name of one already written; and whether the last page ended with nothing
    // written anywhere, so that a build does not go on failing page after page.
    std::set<std::string> pagesWritten;
    bool pageLost = false;
};

} // namespace tavlo
