// The program's own start-up, run up to the moment its window gets the show event:
// then it prints the monotonic clock and ends at once. The window-mode question is
// answered No (the complete window), as soon as it shows.

#include "app/program.h"
#include "platform/qt/qt_window.h"
#include "qt_bench_support.h"

#include <QCoreApplication>

namespace {

// Runs as the application object is made, before the program's start-up.
void watchStartUp()
{
    tavlo::bench::answerMessageBoxesWith(QMessageBox::No);
    tavlo::bench::reportShownAndExit([](QObject* object) { return qobject_cast<tavlo::QtWindow*>(object) != nullptr; });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchStartUp)

int main(int argc, char** argv)
{
    tavlo::bench::useOffscreenPlatformByDefault();
    const auto desktop = tavlo::createDesktop(argc, argv);
    return tavlo::runWindowProgram(*desktop);
}
