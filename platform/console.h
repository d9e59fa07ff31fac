#pragma once
// What a run without any window needs of the platform: the file system, the
// standard output and error of the console it was started from, and the browser.
// Each backend defines createConsole(); the build picks one, as for the window.

#include "platform/file_system.h"
#include "platform/ui.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

class Console {
public:
    virtual ~Console() = default;

    virtual FileSystem& fileSystem() = 0;
    /// Writes text (UTF-8, as the core keeps it) to standard output or standard error.
    virtual void writeOutput(std::string_view text) = 0;
    virtual void writeError(std::string_view text) = 0;
    /// Whether standard error is a terminal, where a progress line can be drawn over.
    virtual bool errorIsTerminal() const = 0;
    /// Opens a page in the browser, without waiting; never reports a failure.
    virtual void openPage(const OpenRequest& request) = 0;
    /// The signal that asked the run to stop (a terminal's interrupt or hang-up, a
    /// request to terminate), 0 while none has: the run then stops where it stands,
    /// with nothing half written.
    virtual int stopSignal() const { return 0; }
};

/// The platform set up for a run without any window: no window toolkit is started.
/// On Windows, where the program is a windowed one, standard output and error reach
/// the console it was started from.
std::unique_ptr<Console> createConsole();

/// The arguments that follow the program's name, in UTF-8: on Windows read anew as
/// the system's wide characters, which spell every name whatever the code page.
std::vector<std::string> programArguments(int argc, char** argv);

} // namespace tavlo
