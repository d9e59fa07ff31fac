#pragma once
// The command line: no arguments start the window; options ask for one batch
// build without any window, over the same window logic (see batch_run.h).

#include "platform/console.h"

#include <optional>
#include <string>
#include <vector>

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

struct CommandLine {
    enum class Action { Window, Batch, Help, Version, Wrong };
    Action action = Action::Window;
    BatchOptions batch;
    std::string wrong;  // what is wrong with the options, in one line
};

/// Reads the arguments that follow the program's name.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

/// Runs what the command line asks for other than the window; returns the exit status:
/// 0 the gallery was written where asked (or help or version shown), 1 a build was
/// refused, not confirmed or written to a fallback place, 2 the options are wrong.
int runCommandLine(const CommandLine& line, Console& console);

} // namespace tavlo
