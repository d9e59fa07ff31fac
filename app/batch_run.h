#pragma once
// One batch build without any window: the window's logic on the headless controls,
// the settings typed in from the options, the load and build buttons clicked, and
// every question answered from the options. Each message the window would show
// goes to standard error in the window's own words.

#include "app/command_line.h"
#include "platform/console.h"

namespace tavlo {

/// Returns the exit status (see runCommandLine).
int runBatch(const BatchOptions& options, Console& console);

} // namespace tavlo
