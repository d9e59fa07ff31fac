#pragma once
// The one build that the window and the command line both call: a gallery made from a
// plain value (the settings and the entries), its questions put to the caller.

#include "pages/build_questions.h"
#include "pages/build_settings.h"
#include "pages/job_variables.h"
#include "platform/platform.h"

namespace tavlo {

enum class BuildKind {
    SinglePage,  // the whole list as one page
    Series,      // pages PAG_1.HTM, PAG_2.HTM... of at most the page size each, and an index page
};

struct BuildOutcome {
    JobVariables job;      // as the build left them: where its page was finally written
    bool offered = false;  // the view question was asked: the page may be opened again
};

/// Checks the settings (each refusal told), then writes the gallery, asking `questions`
/// what the user must decide, and offers to view the page written.
BuildOutcome buildGallery(Services& p, BuildQuestions& questions, const BuildSettings& settings, BuildKind kind);

} // namespace tavlo
