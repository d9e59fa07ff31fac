#pragma once
// One batch build without any window: the load and the build that the window's
// buttons run, on the settings the options give, every question answered from the
// options. Each message the window would show
// goes to standard error in the window's own words.

#include "platform/console.h"
#include "platform/ui.h"

#include <optional>
#include <string>

namespace tavlo {

/// The settings of a batch build, as the options give them.
struct BatchOptions {
    std::string folder;                    // --cartella: the search folder
    std::optional<std::string> extension;  // --estensione, one or several split by commas; none: every known type
    std::optional<std::string> page;       // --pagina; none: TAVLO.HTM in the search folder
    std::optional<std::string> perPage;    // --per-pagina, digits; none: the single-page build
    std::string perRow = "5";              // --per-riga, digits
    bool withoutBackground = false;        // --senza-sfondo: Check1 ticked
    bool thumbnails = false;               // --miniature
    bool overwrite = false;                // --sovrascrivi: Yes to the overwrite question
    bool open = false;                     // --apri: Yes to the view question
};

/// How the command line answers a box of the window, and what the box makes of the run.
struct BatchAnswer {
    Answer answer = Answer::Ok;  // the answer given
    bool shown = true;       // written to standard error
    int exitStatus = 0;      // the run's exit status is at least this
};
BatchAnswer batchAnswer(MessageKind kind, const BatchOptions& options);

/// Returns the exit status: 0 the gallery was written where asked, 1 the build was
/// refused, not confirmed or written to a fallback place.
int runBatch(const BatchOptions& options, Console& console);

} // namespace tavlo
