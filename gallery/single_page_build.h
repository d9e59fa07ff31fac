#pragma once
// The whole file list as one page.

#include "gallery/build_steps.h"

namespace tavlo {

/// Writes every entry as one page at the output path, the templates copied beside it.
void writeSinglePage(BuildContext& b, const BuildSettings& settings, const OutputPath& output);

} // namespace tavlo
