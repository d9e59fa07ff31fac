#pragma once
// What the system's procedures reach the world through: the user-interaction services,
// the file system and the imaging of pictures, which a build needs; and, for the
// window's own procedures, its controls.

#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/pictures.h"
#include "platform/ui.h"

namespace tavlo {

/// What a build reaches the world through: a window's or the command line's services.
struct Services {
    Ui& ui;
    FileSystem& fs;
    /// The imaging the thumbnails need; none where the program has none.
    const Pictures* pictures = nullptr;
};

/// The window's procedures reach its controls too.
struct Platform : Services {
    Controls& form;
};

/// Runs every step in turn; a step that fails is skipped without a message.
template <typename... Steps>
void runSkippingFailures(Steps&&... steps)
{
    auto run = [](auto&& step) {
        try {
            step();
        } catch (const ProgramEnded&) {
            throw;
        } catch (...) {
            // A failing step is skipped: the procedure goes on with the next one.
        }
    };
    (run(steps), ...);
}

} // namespace tavlo

namespace tavlo {

/// Lets pending window events run; when one of them ended the program, the
/// procedure that yielded stops here.
inline void letEventsRun(Services& p)
{
    p.ui.doEvents();
    if (p.ui.programEnded())
        throw ProgramEnded{};
}

/// A refusal: a beep, then the text with only an OK button.
inline void refuse(Services& p, std::string_view text)
{
    p.ui.beep();
    p.ui.msgBox(MessageKind::Refusal, text, Buttons::OkOnly);
}

} // namespace tavlo
