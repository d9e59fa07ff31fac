#include "app/program.h"

#include "app/frm_tavlo.h"

#include <exception>

namespace tavlo {

void startWindow(ProgramWindow& window, frmTAVLO& form)
{
    window.onClick = [&window, &form](ControlId id) {
        try {
            form.click(id);
        } catch (const std::exception& error) {
            // Nothing may unwind through the toolkit's own frames: a handler that
            // fails past every failure handling of its own ends the program.
            window.showFailure(error.what());
            window.endProgram();
        }
    };
    window.onClose = [&form] { form.close(); };

    // The window-mode question comes before the window shows.
    form.Form_Load();
    if (!window.programEnded())
        window.showWindow();
}

int runWindowProgram(Desktop& desktop)
{
    ProgramWindow& window = desktop.window();
    const auto pictures = createPictures();
    frmTAVLO form(window, window, desktop.fileSystem(), pictures.get());
    startWindow(window, form);
    const int exitCode = window.programEnded() ? 0 : window.runEventLoop();
    window.onClick = nullptr;
    window.onClose = nullptr;
    return exitCode;
}

} // namespace tavlo
