#pragma once
// Command4_Click: the file list as a series of pages PAG_1.HTM, PAG_2.HTM...
// of at most txtMAX_N_FILES entries each, and an index page linking to them.

#include "pages/build_settings.h"
#include "pages/job_variables.h"
#include "platform/platform.h"

namespace tavlo {

void Command4_Click(Platform& p, JobVariables& job, const BuildSettings& settings);

} // namespace tavlo
