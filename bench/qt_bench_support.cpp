#include "qt_bench_support.h"

#include "bench_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace tavlo::bench {
namespace {

class MessageBoxAnswerer final : public QObject {
public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton button) : QObject(qApp), button_(button) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(watched))
                // Clicked once the box runs its own event loop, as a user's click would be.
                QTimer::singleShot(0, box, [box, button = button_] {
                    if (QAbstractButton* answer = box->button(button))
                        answer->click();
                });
        return false;
    }

private:
    QMessageBox::StandardButton button_;
};

class ShownReporter final : public QObject {
public:
    explicit ShownReporter(std::function<bool(QObject*)> isTheWindow)
        : QObject(qApp), isTheWindow_(std::move(isTheWindow))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && isTheWindow_(watched)) {
            std::printf("%.9f\n", nowSeconds());
            std::fflush(stdout);
            std::_Exit(0);  // the time to tear down is not part of the start-up
        }
        return false;
    }

private:
    std::function<bool(QObject*)> isTheWindow_;
};

} // namespace

void useOffscreenPlatformByDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void answerMessageBoxesWith(QMessageBox::StandardButton button)
{
    qApp->installEventFilter(new MessageBoxAnswerer(button));
}

void reportShownAndExit(std::function<bool(QObject*)> isTheWindow)
{
    qApp->installEventFilter(new ShownReporter(std::move(isTheWindow)));
}

} // namespace tavlo::bench
