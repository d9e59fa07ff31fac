#pragma once
// The window's build buttons: Command1_Click (the whole list as one page) and
// Command4_Click (a series of pages and their index). Each reads the window's
// controls into a build's settings, calls the one build, and shows its questions.

#include "pages/build_settings.h"
#include "pages/job_variables.h"
#include "platform/platform.h"

namespace tavlo {

/// The window's settings for a build, as its controls hold them now.
BuildSettings settingsFromWindow(const Controls& form);

/// `job`: the window's job variables, which keep where the last build put its page.
void Command1_Click(Platform& p, JobVariables& job);
void Command4_Click(Platform& p, JobVariables& job);

} // namespace tavlo
