#pragma once
// Command1_Click: the whole file list as one page.

#include "pages/build_settings.h"
#include "pages/job_variables.h"
#include "platform/platform.h"

namespace tavlo {

void Command1_Click(Platform& p, JobVariables& job, const BuildSettings& settings);

} // namespace tavlo
