#pragma once
// The program: its one window on the platform's toolkit, start-up, then the event
// loop until the program ends. Each window backend defines it; the build picks one.

namespace tavlo {

int runProgram(int argc, char** argv);

} // namespace tavlo
