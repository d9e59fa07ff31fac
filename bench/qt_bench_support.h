#pragma once
// Helpers for benchmarks that run a real Qt window without a person in front of it.

#include <QMessageBox>

#include <functional>

namespace tavlo::bench {

/// Makes the application draw off screen unless a platform was chosen already.
void useOffscreenPlatformByDefault();

/// From now on every message box of the application is answered with `button`,
/// as soon as it shows.
void answerMessageBoxesWith(QMessageBox::StandardButton button);

/// When the first widget for which `isTheWindow` holds gets its show event, prints
/// the monotonic clock in seconds on standard output and ends the process at once.
void reportShownAndExit(std::function<bool(QObject*)> isTheWindow);

} // namespace tavlo::bench
