// The real Qt window, offscreen: what only the widgets show. The controls as the design
// table lays them out, focus, stacking, the real message boxes and picker, the
// hourglass and locked buttons of a load, and the ways the program ends.
#include "platform/form_layout.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_window.h"
#include "support/rig.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace tavlo::test {
namespace {

using enum ControlId;

class Window : public ::testing::Test {
protected:
    /// Acts on the next modal dialog, once it runs its loop, while `step` waits on it.
    void onModal(const std::function<void()>& step, const std::function<void(QWidget&)>& act)
    {
        bool acted = false;
        QTimer::singleShot(0, &window, [&] {
            QWidget* dialog = nullptr;
            if (QTest::qWaitFor([&] { return (dialog = QApplication::activeModalWidget()) && dialog->isVisible(); }))
                acted = true, act(*dialog);
        });
        step();
        EXPECT_TRUE(acted && QTest::qWaitFor([] { return !QApplication::activeModalWidget(); })) << "no dialog";
    }
    /// Clicks a button of the message box that `step` opens; the box's text, buttons and more.
    std::string answerBox(const std::function<void()>& step, QMessageBox::StandardButton answer)
    {
        std::string seen;
        onModal(step, [&](QWidget& dialog) {
            auto& box = dynamic_cast<QMessageBox&>(dialog);
            seen = QString("%1|%2|%3|%4|%5|%6").arg(box.windowTitle(), box.text()).arg(box.standardButtons().toInt())
                       .arg(box.defaultButton() && box.defaultButton() == box.button(QMessageBox::Yes)).arg(box.icon())
                       .arg(box.parentWidget() == &window && window.QWidget::isVisible()).toStdString();
            QTest::mouseClick(box.button(answer), Qt::LeftButton);
        });
        return seen;
    }
    std::string start(bool simplified = false)
    {
        const std::string seen = answerBox([&] { startQtWindow(window, form); }, simplified ? QMessageBox::Yes : QMessageBox::No);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return seen;
    }
    QWidget* widget(ControlId id) const { return window.widget(id); }
    void click(ControlId id) { QTest::mouseClick(widget(id), Qt::LeftButton); }
    int px(int twips) const { return qRound(twips / window.twipsPerPixelX()); }

    TempTree tree;
    std::unique_ptr<FileSystem> fs = createPlatformFileSystem(tree.folder("program"));
    QtWindow window;
    frmTAVLO form{window, window, *fs};
};

TEST_F(Window, EveryControlAsDesignedAndNothingElseTheFocusWalksInTableOrder)
{
    EXPECT_EQ(window.windowTitle().toStdString(), formDesign().caption);
    EXPECT_EQ(window.size(), QSize(px(9285), px(6750)));
    const char* kinds[] = {"QLineEdit", "QListWidget", "QPushButton", "QLabel", "QCheckBox"};
    const std::pair<double, bool> fonts[] = {{0, false}, {8.25, true}, {9.75, false}, {13.5, true}, {9.75, true}};
    QStringList designed, focusable, present, walked;
    for (const ControlDesign& c : controlDesigns()) {
        QWidget* w = widget(c.id);
        if (c.kind == ControlKind::Picker) {
            EXPECT_EQ(w, nullptr) << "the picker draws nothing";
            continue;
        }
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(w && w->inherits(kinds[static_cast<int>(c.kind)]));
        designed << w->objectName();
        EXPECT_EQ(designed.back().toStdString(), c.name);
        if (c.kind != ControlKind::Label)
            focusable << designed.back();
        EXPECT_EQ(w->geometry(), QRect(px(c.left), px(c.top), px(c.width), px(c.height)));
        EXPECT_TRUE(w->isEnabled() && !w->isHidden());
        const QWidget* drawn = w->findChild<QLabel*>() ? w->findChild<QLabel*>() : w;  // a wrapping caption's label
        EXPECT_EQ(window.text(c.id), c.designText);
        EXPECT_EQ(drawn->property("text").toString().toStdString(), c.designText);
        const auto [points, bold] = fonts[static_cast<int>(c.font)];  // 0: the window's regular font, ours to choose
        EXPECT_EQ(drawn->font().pointSizeF(), points ? points : drawn->font().pointSizeF());
        EXPECT_EQ(drawn->font().bold(), bold);
        EXPECT_EQ(w->palette().color(QPalette::Base) == QColor(255, 255, 128), c.colours == ColourScheme::LightYellowBackground);
    }
    for (const QWidget* w : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        present << w->objectName();
    present.sort(), designed.sort();
    EXPECT_EQ(present, designed);
    EXPECT_EQ(widget(Label6_4)->palette().color(QPalette::WindowText), QColor(128, 128, 255));  // the credit's shadow
    EXPECT_TRUE(widget(Label6_4)->autoFillBackground() && widget(Label6_5)->testAttribute(Qt::WA_TranslucentBackground));
    const QObjectList order = window.children();  // bottom first: the labels, Command1 under Command4
    EXPECT_LT(order.indexOf(widget(Label6_5)), order.indexOf(widget(txtPATH_RICERCA)));
    EXPECT_EQ(order.indexOf(widget(Label6_5)), order.indexOf(widget(Label6_4)) + 1);
    EXPECT_GT(order.indexOf(widget(Command4)), order.indexOf(widget(Command1)));

    start();
    window.setEnabled(Command1, true), window.setEnabled(Command4, true), window.setEnabled(Command5, true);
    for (QWidget* focus = QApplication::focusWidget(); focus && walked.size() <= focusable.size();
         QTest::keyClick(focus, Qt::Key_Tab), focus = QApplication::focusWidget())
        walked << focus->objectName();
    EXPECT_EQ(walked, focusable << focusable.front());
}

class StartUp : public Window, public ::testing::WithParamInterface<bool> {};

TEST_P(StartUp, TheQuestionComesBeforeTheWindowWhichThenShowsItsModeAndLoads)
{
    EXPECT_EQ(start(GetParam()), "TAVLO|Si desidera la Versione Semplificata (Si) o Completa (No) |"
                                 + std::to_string((QMessageBox::Yes | QMessageBox::No).toInt()) + "|1|0|0");
    EXPECT_EQ(widget(Command2)->isHidden(), GetParam());
    for (const char* name : {"a.jpg", "b.JPG", "notes.txt", "sub/c.jpg"})
        tree.file(std::string("photos/") + name);
    window.setText(txtPATH_RICERCA, tree.at("photos"));
    bool lockedWhileLoading = false;
    QTimer::singleShot(0, &window, [&] {  // runs when the load first lets events run
        lockedWhileLoading = !widget(cmdCONFERMA)->isEnabled() && !widget(cmdCONFERMA_Tutti)->isEnabled() &&
                             QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    click(cmdCONFERMA);
    EXPECT_TRUE(lockedWhileLoading);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    auto* list = qobject_cast<QListWidget*>(widget(List1));
    EXPECT_EQ(list->count() == 3 ? list->item(2)->text().toStdString() : "", tree.at("photos/sub/c.jpg"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(widget(txtNUM_FILE))->text(), "3");
    EXPECT_TRUE(widget(Command4)->isEnabled() && widget(cmdCONFERMA)->isEnabled());

    list->setCurrentRow(1);  // deleted, it leaves none selected: the next delete is refused
    EXPECT_TRUE(answerBox([&] { click(cmdCANC_FILE); }, QMessageBox::Yes).starts_with("TAVLO|Confermi"));
    const std::string refusal = answerBox([&] { click(cmdCANC_FILE); }, QMessageBox::Ok);
    EXPECT_EQ(refusal, "TAVLO|SELEZIONARE UN FILE IN ELENCO tra i possibili  2 files !!!|"
                       + std::to_string(QMessageBox::Ok) + "|0|0|1");
    EXPECT_EQ(window.listItem(1), tree.at("photos/sub/c.jpg"));
    GetParam() ? window.listClear() : click(Command2);
    EXPECT_EQ(list->count() + window.listCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, StartUp, ::testing::Bool());

// The toolkit's own picker over the window, starting in the search folder; an empty path cancels it.
TEST_F(Window, ThePickersChooseAFileOrAFolderOrNothing)
{
    start();
    tree.file("trip/day 1/x.jpg");
    const auto pick = [&](ControlId command, const std::string& typed) {
        onModal([&] { click(command); }, [&](QWidget& dialog) {
            auto& picker = dynamic_cast<QFileDialog&>(dialog);
            EXPECT_EQ(picker.windowTitle(), "Ricerca cartelle/directory contenenti Foto/Film/Suoni");
            EXPECT_EQ(picker.directory().absolutePath().toStdString(), tree.at("program"));
            EXPECT_EQ(picker.nameFilters(), QStringList{"*"});
            EXPECT_EQ(picker.parentWidget(), &window);
            auto* buttons = picker.findChild<QDialogButtonBox*>("buttonBox");
            picker.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(typed));
            QPushButton* button = buttons->button(typed.empty() ? QDialogButtonBox::Cancel : QDialogButtonBox::Open);
            EXPECT_TRUE(QTest::qWaitFor([&] { return button->isEnabled(); }));
            QTest::mouseClick(button, Qt::LeftButton);
        });
        window.setText(txtPATH_RICERCA, tree.at("program/"));
    };
    pick(Command3, "");
    pick(cmdIns_File, "");
    EXPECT_EQ(window.text(txtNOME_FILE_HTM) + std::to_string(window.listCount()), tree.at("program/TAVLO.HTM0"));
    pick(Command3, tree.at("trip/day 1/x.jpg"));
    EXPECT_EQ(window.text(txtNOME_FILE_HTM), tree.at("trip/day 1/TAVLO.HTM"));
    pick(Command3, tree.at("trip"));
    EXPECT_EQ(window.text(txtNOME_FILE_HTM), tree.at("trip/TAVLO.HTM"));
    pick(cmdIns_File, tree.at("trip/day 1/x.jpg"));
    EXPECT_EQ(window.listItem(0), tree.at("trip/day 1/x.jpg"));
}

// "F I N E" and closing the window end the program alike, also in the middle of a
// load, where the click waits in the event queue until the load lets events run.
class Ending : public Window, public ::testing::WithParamInterface<std::pair<bool, bool>> {};

TEST_P(Ending, EndsTheProgramAndAnyLoadThere)
{
    const auto [byClosing, midLoad] = GetParam();
    start();
    tree.file("photos/a.jpg"), tree.file("photos/b.jpg");
    window.setText(txtPATH_RICERCA, tree.at("photos"));
    const auto end = [&] { byClosing ? void(window.close()) : click(cmdFINE); };
    midLoad ? QTimer::singleShot(0, &window, end), click(cmdCONFERMA) : end();
    EXPECT_TRUE(window.programEnded() && !window.QWidget::isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(window.listCount(), midLoad ? 1 : 0) << "the load went on after the end";
    EXPECT_EQ(window.text(txtNUM_FILE), "");
}

INSTANTIATE_TEST_SUITE_P(Ways, Ending, ::testing::Values(std::pair{false, false}, std::pair{true, false},
                                                         std::pair{false, true}, std::pair{true, true}));

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
