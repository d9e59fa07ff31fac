// Peak memory of the Qt window's list holding many entries of typical length,
// against the same program with an empty list. Each is its own process.
//
// Usage: memory_bench [ENTRIES]             runs both and reports
//        memory_bench --fill ENTRIES        fills the list, prints its peak RSS in KiB

#include "bench_support.h"
#include "platform/qt/qt_window.h"
#include "qt_bench_support.h"

#include <QApplication>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

using namespace tavlo;
using namespace tavlo::bench;

// About sixty bytes, like a picture in a dated album below the home folder.
std::string typicalEntry(long index)
{
    char entry[96];
    std::snprintf(entry, sizeof entry, "/home/user/Pictures/Holidays 2023/Day %03ld/IMG_20230815_%06ld.jpg",
                  index / 1000, index);
    return entry;
}

int fill(int argc, char** argv, long entries)
{
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    QtWindow window;
    window.show();
    QCoreApplication::processEvents();
    for (long i = 0; i < entries; ++i)
        window.listAdd(typicalEntry(i));
    // Let the list lay out and paint what it holds.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    if (window.listCount() != entries)
        fail("the list holds " + std::to_string(window.listCount()) + " entries");
    std::printf("%ld\n", peakRssKiB());
    return 0;
}

long peakOfFilled(long entries)
{
    const Finished finished = runProgram({ownFolder() + "/memory_bench", "--fill", std::to_string(entries)}, true);
    if (finished.exitCode != 0)
        fail("the list of " + std::to_string(entries) + " entries could not be filled");
    return std::stol(finished.output);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::string(argv[1]) == "--fill")
        return fill(argc, argv, std::stol(argv[2]));
    const long entries = argc > 1 ? std::stol(argv[1]) : 100000;

    const long empty = peakOfFilled(0);
    const long full = peakOfFilled(entries);
    const double perEntry = static_cast<double>(full - empty) * 1024 / static_cast<double>(entries);

    std::cout << "Peak memory of a list of " << countText(entries) << " entries of " << typicalEntry(entries - 1).size()
              << " bytes\n";
    printFigure("empty list", mebibytes(static_cast<double>(empty)));
    printFigure("full list", mebibytes(static_cast<double>(full)));
    printFigure("per entry", std::to_string(static_cast<long>(perEntry)) + " bytes");
    printRow("Peak RSS, " + countText(entries) + "-entry list vs empty list",
             mebibytes(static_cast<double>(full)), mebibytes(static_cast<double>(empty)),
             ratioText(static_cast<double>(full) / static_cast<double>(empty)), "-", "-");
    const std::size_t entryBytes = typicalEntry(entries - 1).size();
    printRow("List, bytes per " + std::to_string(entryBytes) + "-byte entry above the empty list",
             std::to_string(static_cast<long>(perEntry)) + " bytes", "-", "-", "<= 150 bytes",
             perEntry <= 150 ? "met" : "MISSED");
    printMemory("List of " + countText(entries) + " entries, above the empty list",
                mebibytes(static_cast<double>(full - empty)));
    printMemory("List, per entry", std::to_string(static_cast<long>(perEntry)) + " bytes");
    return 0;
}
