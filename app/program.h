#pragma once
// The window program: the form on a backend's window, start-up, then the event
// loop until the program ends.

#include "platform/desktop.h"

namespace tavlo {

class frmTAVLO;

/// Routes the window's clicks and its closing to the form and runs start-up; the
/// window shows unless start-up ended the program.
void startWindow(ProgramWindow& window, frmTAVLO& form);

int runWindowProgram(Desktop& desktop);

} // namespace tavlo
