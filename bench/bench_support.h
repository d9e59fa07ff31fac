#pragma once
// What every benchmark shares: a clock, medians, the peak resident size, running
// another program, and the rows that bench/run gathers into its table.

#include <string>
#include <string_view>
#include <vector>

namespace tavlo::bench {

/// Seconds on the monotonic clock, which every process of the machine shares.
double nowSeconds();
double median(std::vector<double> values);
/// The peak resident set size of this process so far, in KiB.
long peakRssKiB();
/// Starts the peak that peakSinceResetKiB() reports afresh, from the present resident size.
void resetPeakRss();
/// The peak resident set size since the last resetPeakRss(), in KiB.
long peakSinceResetKiB();

struct Finished {
    int exitCode = -1;     // -1 when the program did not end normally
    std::string output;    // its standard output, when asked for
    double startedAt = 0;  // nowSeconds() right before the program was started
    double endedAt = 0;    // nowSeconds() right after it ended
    long peakKiB = 0;      // its peak resident set size
};

/// Runs a program (looked up on PATH) and waits for it; its standard output is
/// captured, or sent to /dev/null.
Finished runProgram(const std::vector<std::string>& command, bool captureOutput);

/// The path of the running executable's folder, for the programs built beside it.
std::string ownFolder();

/// A count with thousands separated by commas: 100,000.
std::string countText(long count);
std::string milliseconds(double seconds);
std::string mebibytes(double kibibytes);
std::string ratioText(double ratio);

/// One line of the final table: name | ours | baseline | ratio | target, with
/// whether the target is met ("-" when there is none).
void printRow(std::string_view name, std::string_view ours, std::string_view baseline, std::string_view ratio,
              std::string_view target, std::string_view verdict);
/// One memory figure printed under the table.
void printMemory(std::string_view name, std::string_view value);
/// A figure that belongs to the benchmark's own report only.
void printFigure(std::string_view name, std::string_view value);

/// Stops the benchmark with a message when what it measured is not what it meant to measure.
[[noreturn]] void fail(std::string_view why);

} // namespace tavlo::bench
