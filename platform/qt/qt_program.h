#pragma once
// Runs the program with the Qt window: start-up, then the event loop.

namespace tavlo {

class frmTAVLO;
class QtWindow;

/// Routes the window's clicks and its closing to the form, runs start-up, and shows
/// the window with the focus in the search folder unless start-up ended the program.
void startQtWindow(QtWindow& window, frmTAVLO& form);

int runQtProgram(int argc, char** argv);

} // namespace tavlo
