// The Qt desktop: the application object, the window and the Linux file system.

#include "platform/desktop.h"
#include "platform/posix/posix_file_system.h"
#include "platform/qt/qt_italian.h"
#include "platform/qt/qt_window.h"

#include <QApplication>
#include <QIcon>

namespace tavlo {
namespace {

// The application object, named and with the program's icon before any window shows.
class Application final : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv)
    {
        setApplicationName(QStringLiteral("TAVLO"));
        setDesktopFileName(QStringLiteral("tavlo"));
        QIcon icon;
        icon.addFile(QStringLiteral(":/tavlo/tavlo-16.png"), QSize(16, 16));
        icon.addFile(QStringLiteral(":/tavlo/tavlo-32.png"), QSize(32, 32));
        setWindowIcon(icon);
        speakItalian(*this);
    }
};

class QtDesktop final : public Desktop {
public:
    QtDesktop(int& argc, char** argv) : app_(argc, argv) {}

    ProgramWindow& window() override { return window_; }
    FileSystem& fileSystem() override { return *fs_; }

private:
    Application app_;
    QtWindow window_;
    std::unique_ptr<FileSystem> fs_ = createProgramFileSystem();
};

} // namespace

std::unique_ptr<Desktop> createDesktop(int& argc, char** argv) { return std::make_unique<QtDesktop>(argc, argv); }

} // namespace tavlo
