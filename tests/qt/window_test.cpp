// The real Qt window, offscreen: what only the widgets show.
#include "platform/form_layout.h"
#include "app/program.h"
#include "platform/qt/qt_window.h"
#include "support/rig.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>

namespace tavlo::test {
namespace {

using enum ControlId;

/// Runs `step`, acting on the modal dialog it opens once the dialog runs its loop.
template <typename Dialog>
void onModal(const std::function<void()>& step, const std::function<void(Dialog&)>& act)
{
    bool acted = false;
    QTimer::singleShot(0, [&] {
        if (QTest::qWaitFor([] { return QApplication::activeModalWidget(); }))
            acted = true, act(dynamic_cast<Dialog&>(*QApplication::activeModalWidget()));
    });
    step();
    EXPECT_TRUE(acted && QTest::qWaitFor([] { return !QApplication::activeModalWidget(); })) << "no dialog";
}

TEST(QtWindow, EveryControlAsDesignedTheQuestionBeforeTheWindowTheFocusInTableOrderAndTheEnd)
{
    TempTree tree;
    const auto fs = createPlatformFileSystem(tree.folder("program"));
    QtWindow window;
    frmTAVLO form(window, window, *fs);
    const auto px = [&](int twips) { return qRound(twips / window.twipsPerPixelX()); };
    EXPECT_EQ(window.windowTitle().toStdString() + std::to_string(window.width()) + "x" + std::to_string(window.height()),
              std::string(formDesign().caption) + std::to_string(px(9285)) + "x" + std::to_string(px(6750)));
    const char* kinds[] = {"QLineEdit", "QListView", "QPushButton", "QLabel", "QCheckBox"};
    const std::pair<double, bool> fonts[] = {{0, false}, {8.25, true}, {9.75, false}, {13.5, true}, {9.75, true}};
    QStringList designed, focusable, present, walked;
    for (const ControlDesign& c : controlDesigns().first(controlDesigns().size() - 1)) {  // not the picker
        QWidget* w = window.widget(c.id);
        ASSERT_TRUE(w && w->inherits(kinds[int(c.kind)]) && w->objectName().toStdString() == c.name) << c.name;
        designed << w->objectName();
        if (c.kind != ControlKind::Label)
            focusable << w->objectName();
        const QWidget* drawn = w->findChild<QLabel*>() ? w->findChild<QLabel*>() : w;  // a wrapping caption's label
        const auto [points, bold] = fonts[int(c.font)];  // 0: the window's regular font, ours to choose
        const bool yellow = w->palette().color(QPalette::Base) == QColor(255, 255, 128);
        EXPECT_TRUE(w->geometry() == QRect(px(c.left), px(c.top), px(c.width), px(c.height)) && w->isEnabled() &&
                    drawn->font().bold() == bold && (!points || drawn->font().pointSizeF() == points) &&
                    yellow == (c.colours == ColourScheme::LightYellowBackground)) << c.name;
        const std::string text(c.designText);
        EXPECT_EQ(window.text(c.id) + "|" + drawn->property("text").toString().toStdString(), text + "|" + text);
    }
    for (const QWidget* w : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        present << w->objectName();
    present.sort(), designed.sort();
    EXPECT_EQ(present, designed) << "nothing else: the picker draws nothing";
    const auto level = [&](ControlId id) { return window.children().indexOf(window.widget(id)); };  // bottom first
    EXPECT_TRUE(level(Label6_5) < level(txtPATH_RICERCA) && level(Label6_5) == level(Label6_4) + 1 &&
                level(Command4) > level(Command1) && window.widget(Label6_4)->autoFillBackground());  // the credit's shadow

    std::string question;
    onModal<QMessageBox>([&] { startWindow(window, form); }, [&](QMessageBox& box) {
        question = QString("%1|%2|%3|%4").arg(box.windowTitle(), box.text()).arg(box.standardButtons().toInt())
                       .arg(box.icon() + 10 * (box.defaultButton() == box.button(QMessageBox::Yes)) + window.QWidget::isVisible())
                       .toStdString();
        QTest::mouseClick(box.button(QMessageBox::No), Qt::LeftButton);
    });
    EXPECT_EQ(question, "TAVLO|Si desidera la Versione Semplificata (Si) o Completa (No) |" +
                            std::to_string((QMessageBox::Yes | QMessageBox::No).toInt()) + "|10");  // no icon, Yes default
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(!window.isEnabled(Command5) && window.isEnabled(Command3) && window.isVisible(Command2));
    window.setEnabled(Command1, true), window.setEnabled(Command4, true), window.setEnabled(Command5, true);
    for (QWidget* focus = QApplication::focusWidget(); focus && walked.size() <= focusable.size();
         QTest::keyClick(focus, Qt::Key_Tab), focus = QApplication::focusWidget())
        walked << focus->objectName();
    EXPECT_EQ(walked, focusable << focusable.front());

    window.close();  // ends the program as "F I N E" does
    EXPECT_TRUE(window.programEnded() && !window.QWidget::isVisible());
}

} // namespace
} // namespace tavlo::test

int main(int argc, char** argv)
{
    qputenv("LC_ALL", "C.UTF-8");  // texts and numbers must not follow the machine's language
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");  // test discovery runs without the test's environment
    QStandardPaths::setTestModeEnabled(true);  // the file dialog's memory stays away from the user's
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
