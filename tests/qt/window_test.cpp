// The real Qt window, offscreen: what only the widgets show.
#include "platform/form_layout.h"
#include "app/program.h"
#include "platform/qt/qt_italian.h"
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

// The suite runs as on an Italian desktop: the program's own audience.
TEST(QtWindow, OnAnItalianDesktopBoxesAndDialogsSpeakItalianAndNumbersReadAsEverywhere)
{
    TempTree tree;
    const auto fs = createPlatformFileSystem(tree.folder("program"));
    QtWindow window;
    frmTAVLO form(window, window, *fs);
    QStringList buttons;
    onModal<QMessageBox>([&] { startWindow(window, form); }, [&](QMessageBox& box) {
        for (const auto* button : box.buttons())
            buttons << button->text();
        QTest::keyClick(&box, Qt::Key_N);  // the complete window
    });
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"&No", "&S\u00EC"}));
    ASSERT_TRUE(window.isVisible(Command1));

    // "2.5" is two and a half, under every locale: no whole number of files per page.
    window.setText(txtNUM_FILE, "3"), window.setText(txtMAX_N_FILES, "2.5"), window.setEnabled(Command4, true);
    std::string refusal;
    onModal<QMessageBox>([&] { form.click(Command4); }, [&](QMessageBox& box) {
        refusal = box.text().toStdString() + "|" + box.buttons().front()->text().toStdString();
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_EQ(refusal, "Indicare numero massimo files per pagina .HTM da elaborare !!!|OK");

    // The real file dialog, in Italian: "*.*" lists every file; the search folder's trailing separator starts it
    // there; a file chosen by the folder picker selects its folder, a folder chosen selects itself; a file is inserted.
    const std::string photos = tree.folder("foto/Mare") + "/", readme = tree.file("foto/Mare/README");
    const auto pick = [&](ControlId button, const std::string& chosen, const std::string& startIn) {
        window.setText(txtPATH_RICERCA, startIn);
        onModal<QFileDialog>([&] { form.click(button); }, [&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.nameFilters(), QStringList{"*"});
            EXPECT_EQ(dialog.directory().absolutePath().toStdString() + "/", startIn);
            EXPECT_TRUE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text() == "Annulla");
            dialog.selectFile(QString::fromStdString(chosen));
            QMetaObject::invokeMethod(&dialog, "accept");  // as its Open button does
        });
    };
    window.setText(txtNOME_FILE_HTM, "/altrove/TAVLO.HTM");
    pick(Command3, readme, tree.at("foto") + "/");
    EXPECT_EQ(window.text(txtPATH_RICERCA) + "|" + window.text(txtNOME_FILE_HTM), photos + "|" + photos + "TAVLO.HTM");
    pick(Command3, tree.at("foto"), photos);
    EXPECT_EQ(window.text(txtPATH_RICERCA), tree.at("foto") + "/");
    pick(cmdIns_File, readme, photos);
    EXPECT_EQ(window.listCount() == 1 ? window.listItem(0) : "", readme);
    window.close();
}

} // namespace
} // namespace tavlo::test

int main(int argc, char** argv)
{
    qputenv("LC_ALL", "it_IT.UTF-8");  // an Italian desktop: the toolkit sets the C library's locale from it
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");  // test discovery runs without the test's environment
    QStandardPaths::setTestModeEnabled(true);  // the file dialog's memory stays away from the user's
    QApplication app(argc, argv);
    tavlo::speakItalian(app);  // as the program does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
