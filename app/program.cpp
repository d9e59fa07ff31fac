#include "app/program.h"

#include "app/frm_tavlo.h"

#include <exception>

namespace tavlo {

namespace {

// A folder as the search box holds it: a full path ending in the separator.
std::string asSearchFolder(FileSystem& fs, std::string_view folder)
{
    std::string full = fs.fullFolderPath(std::string(folder));
    if (!full.ends_with(fs.separator()))
        full.push_back(fs.separator());
    return full;
}

} // namespace

void startWindow(ProgramWindow& window, frmTAVLO& form, std::string_view searchFolder)
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
    if (window.programEnded())
        return;
    if (!searchFolder.empty())
        window.setText(ControlId::txtPATH_RICERCA, searchFolder);
    window.showWindow();
}

int runWindowProgram(Desktop& desktop, std::string_view searchFolder)
{
    ProgramWindow& window = desktop.window();
    const auto pictures = createPictures();
    frmTAVLO form(window, window, desktop.fileSystem(), pictures.get());
    startWindow(window, form, searchFolder.empty() ? std::string() : asSearchFolder(desktop.fileSystem(), searchFolder));
    const int exitCode = window.programEnded() ? 0 : window.runEventLoop();
    window.onClick = nullptr;
    window.onClose = nullptr;
    return exitCode;
}

} // namespace tavlo
