#include "platform/qt/qt_program.h"

#include "app/frm_tavlo.h"
#include "platform/posix/posix_file_system.h"
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
    frmTAVLO form(window, window, *fs);
    window.onClick = [&form](ControlId id) { form.click(id); };
    window.onClose = [&form] { form.close(); };

    form.Form_Load();
    if (window.programEnded())
        return 0;
    window.show();
    window.widget(ControlId::txtPATH_RICERCA)->setFocus();
    return QApplication::exec();
}

} // namespace tavlo
