// Start-up to the first shown window: the program's start-up (startup_probe)
// against a minimal Qt program showing an empty window (empty_window), each started
// as a new process, in turns.
//
// Usage: startup_bench [RUNS]

#include "bench_support.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace tavlo::bench;

// Seconds from starting the program to its window's show event.
double timeToShown(const std::vector<std::string>& command)
{
    const Finished finished = runProgram(command, true);
    if (finished.exitCode != 0 || finished.output.empty())
        fail(command.front() + " did not report its window");
    return std::stod(finished.output) - finished.startedAt;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::stoi(argv[1]) : 9;
    const std::string folder = ownFolder();
    const std::vector<std::string> ours{folder + "/startup_probe"};
    const std::vector<std::string> empty{folder + "/empty_window"};
    const std::vector<std::string> withText{folder + "/empty_window", "--label"};

    for (const auto& command : {ours, empty, withText})
        timeToShown(command);  // brings the libraries and fonts into the cache
    std::vector<double> oursTimes;
    std::vector<double> emptyTimes;
    std::vector<double> withTextTimes;
    for (int run = 0; run < runs; ++run) {
        oursTimes.push_back(timeToShown(ours));
        emptyTimes.push_back(timeToShown(empty));
        withTextTimes.push_back(timeToShown(withText));
    }
    const double oursMedian = median(oursTimes);
    const double emptyMedian = median(emptyTimes);
    const double withTextMedian = median(withTextTimes);

    std::cout << "Start-up to the first shown window\n";
    printFigure("program, median of " + std::to_string(runs), milliseconds(oursMedian));
    printFigure("empty Qt window, median of " + std::to_string(runs), milliseconds(emptyMedian));
    printFigure("Qt window with one label, median of " + std::to_string(runs), milliseconds(withTextMedian));
    printRow("Start-up to shown window vs empty Qt window", milliseconds(oursMedian), milliseconds(emptyMedian),
             ratioText(oursMedian / emptyMedian), "-", "-");
    printRow("Start-up to shown window vs Qt window with a label", milliseconds(oursMedian),
             milliseconds(withTextMedian), ratioText(oursMedian / withTextMedian), "-", "-");
    return 0;
}
