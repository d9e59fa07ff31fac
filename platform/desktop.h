#pragma once
// What a window backend provides to run the program: its one window (the
// controls, the user interaction on them, their events and the event loop) and
// the platform's file system. A backend knows nothing of the app; main() wires
// the two.

#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/ui.h"

#include <functional>
#include <memory>

namespace tavlo {

class ProgramWindow : public Controls, public Ui {
public:
    std::function<void(ControlId)> onClick;
    std::function<void()> onClose;

    /// Shows the window with the focus in the first control of the tab order.
    virtual void showWindow() = 0;
    /// Runs the event loop until the program ends; returns the exit code.
    virtual int runEventLoop() = 0;
    /// Tells the user of a failure that nothing in the program handled, right before
    /// the program ends on it.
    virtual void showFailure(std::string_view what) { msgBox(MessageKind::Notice, what, Buttons::OkOnly); }
};

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual ProgramWindow& window() = 0;
    virtual FileSystem& fileSystem() = 0;
};

/// The toolkit set up for the program's arguments, and the window created hidden.
/// Each window backend defines it; the build picks one.
std::unique_ptr<Desktop> createDesktop(int& argc, char** argv);

} // namespace tavlo
