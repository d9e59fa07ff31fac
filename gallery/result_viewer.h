#pragma once
// Command5_Click: opens the page of the last build again.

#include "pages/job_variables.h"
#include "platform/platform.h"

namespace tavlo {

void Command5_Click(Services& p, const JobVariables& job);

} // namespace tavlo
