// One run of the program from the command line (a batch build without any window):
// its time and its peak memory.
//
// Usage: batch_bench NAME PROGRAM [ARGUMENTS...]

#include "bench_support.h"

#include <iostream>
#include <string>
#include <vector>

using namespace tavlo::bench;

int main(int argc, char** argv)
{
    if (argc < 3)
        fail("usage: batch_bench NAME PROGRAM [ARGUMENTS...]");
    const std::string name = argv[1];
    const std::vector<std::string> command(argv + 2, argv + argc);
    const Finished finished = runProgram(command, false);
    if (finished.exitCode != 0)
        fail(name + ": the program ended with status " + std::to_string(finished.exitCode));
    const double seconds = finished.endedAt - finished.startedAt;
    std::cout << name << "\n";
    printFigure("time", milliseconds(seconds));
    printFigure("peak RSS", mebibytes(static_cast<double>(finished.peakKiB)));
    printRow(name, milliseconds(seconds), "-", "-", "-", "-");
    printMemory("Peak RSS, " + name, mebibytes(static_cast<double>(finished.peakKiB)));
    return 0;
}
