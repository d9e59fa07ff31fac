#pragma once
// The window program: the form on a backend's window, start-up, then the event
// loop until the program ends.

#include "platform/desktop.h"

namespace tavlo {

class frmTAVLO;

/// Routes the window's clicks and its closing to the form and runs start-up; the
/// window shows unless start-up ended the program. A search folder given (a folder
/// opened with the program from the desktop), as the search box holds it, takes the
/// place of start-up's own.
void startWindow(ProgramWindow& window, frmTAVLO& form, std::string_view searchFolder = {});

int runWindowProgram(Desktop& desktop, std::string_view searchFolder = {});

} // namespace tavlo
