#pragma once
// The command line: no arguments start the window, and so does --finestra, with a
// folder to search when one follows; options ask for one batch build without any
// window, over the same window logic (see batch_run.h).

#include "app/batch_run.h"
#include "platform/console.h"

#include <string>
#include <vector>

namespace tavlo {

struct CommandLine {
    enum class Action { Window, Batch, Help, Version, Wrong };
    Action action = Action::Window;
    BatchOptions batch;
    std::string wrong;  // what is wrong with the options, in one line
    std::string searchFolder;  // the window's search folder, from --finestra
};

/// Reads the arguments that follow the program's name.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

/// Runs what the command line asks for other than the window; returns the exit status:
/// 0 the gallery was written where asked (or help or version shown), 1 a build was
/// refused, not confirmed or written to a fallback place, 2 the options are wrong.
int runCommandLine(const CommandLine& line, Console& console);

} // namespace tavlo
