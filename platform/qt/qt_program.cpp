#include "platform/qt/qt_program.h"

#include "app/frm_tavlo.h"
#include "platform/posix/posix_file_system.h"
#include "platform/program.h"
#include "platform/qt/qt_window.h"

#include <QApplication>
#include <QIcon>

namespace tavlo {
namespace {

// The fixed template folder: the installed data folder for an installed program,
// the source tree's template folder for one run from its build tree.
std::string templateFolder()
{
    return executableFolder() == TAVLO_INSTALLED_PROGRAM_DIR ? TAVLO_INSTALLED_TEMPLATE_DIR
                                                             : TAVLO_SOURCE_TEMPLATE_DIR;
}

} // namespace

void startQtWindow(QtWindow& window, frmTAVLO& form)
{
    window.onClick = [&form](ControlId id) { form.click(id); };
    window.onClose = [&form] { form.close(); };

    // The window-mode question comes before the window shows.
    form.Form_Load();
    if (window.programEnded())
        return;
    window.show();
    window.widget(ControlId::txtPATH_RICERCA)->setFocus();
}

int runQtProgram(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TAVLO"));
    QApplication::setDesktopFileName(QStringLiteral("tavlo"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/tavlo/tavlo-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/tavlo/tavlo-32.png"), QSize(32, 32));
    QApplication::setWindowIcon(icon);

    QtWindow window;
    PosixFileSystemOptions options;
    options.templateFolder = templateFolder();
    const auto fs = createPosixFileSystem(options);
    const auto pictures = createPictures();
    frmTAVLO form(window, window, *fs, pictures.get());
    startQtWindow(window, form);
    if (window.programEnded())
        return 0;
    return QApplication::exec();
}

int runProgram(int argc, char** argv) { return runQtProgram(argc, argv); }

} // namespace tavlo
