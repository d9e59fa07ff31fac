#pragma once
// Runs the program with the Qt window: start-up, then the event loop.

namespace tavlo {

int runQtProgram(int argc, char** argv);

} // namespace tavlo
