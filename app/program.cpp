#include "app/program.h"

#include "app/frm_tavlo.h"

namespace tavlo {

void startWindow(ProgramWindow& window, frmTAVLO& form)
{
    window.onClick = [&form](ControlId id) { form.click(id); };
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
