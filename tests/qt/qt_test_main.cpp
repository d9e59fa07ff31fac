// Runs the widget tests inside one QApplication, built the way the program builds
// its own, but on a fixed locale and, unless told otherwise, the offscreen screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>

int main(int argc, char** argv)
{
    // Texts and numbers must not follow the machine's language.
    qputenv("LC_ALL", "C.UTF-8");
    QLocale::setDefault(QLocale::c());
    // Test discovery runs the binary without the test's environment: it must not
    // need a display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The toolkit's file dialog remembers its last folder in the user's settings:
    // keep the tests' away from the real ones.
    QStandardPaths::setTestModeEnabled(true);

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
