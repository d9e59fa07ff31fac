#pragma once
// The file list as a series of pages PAG_1.HTM, PAG_2.HTM... of at most the page
// size each, and an index page linking to them.

#include "gallery/build_steps.h"

#include <string>
#include <vector>

namespace tavlo {

/// Writes the series, then the index page at the output path with the templates beside
/// it; false when a page of the series went nowhere, and nothing more was written.
bool writeSeries(BuildContext& b, const BuildSettings& settings, const OutputPath& output);

/// What the index page lists: the series' pages, each a cell, in rows as the series' cells.
PageList indexList(const EntryStore& pages, const BuildSettings& settings);

} // namespace tavlo
