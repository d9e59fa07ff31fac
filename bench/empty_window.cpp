// The baselines of the start-up: a minimal Qt program that shows an empty window,
// or (with --label) a window holding one line of text, which makes the toolkit load
// its fonts as any window with text does. It prints the monotonic clock when the
// window gets its show event.

#include "qt_bench_support.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv)
{
    tavlo::bench::useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    QWidget window;
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0)
        new QLabel(QStringLiteral("Carica i nomi dei files"), &window);
    tavlo::bench::reportShownAndExit([&window](QObject* object) { return object == &window; });
    window.show();
    return QApplication::exec();
}
