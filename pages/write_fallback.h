#pragma once
// What the page writer does when the page cannot be written: tell the user and
// move the page to drive C:, then to C:\TAVLO.HTM, or give the page up.

#include "pages/job_variables.h"
#include "platform/platform.h"

namespace tavlo {

enum class AfterFailure { Restart, GiveUp };

/// Handles one failure of the page being written; `retries` counts the fallbacks taken in this call.
AfterFailure handleWriteFailure(Services& p, JobVariables& job, const Failure& failure, int& retries);

} // namespace tavlo
