// The picker dialog as a user drives it: the folder picker (Command3) and the
// single-file insert (cmdIns_File), choosing, and cancelling.
#include "qt_rig.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tavlo::test {
namespace {

using enum ControlId;

class Picker : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.start(false);
        rig.tree.file("photos/a.jpg", "x");
        rig.tree.file("trip/day 1/x.jpg", "x");
    }

    /// Clicks a command and checks that the toolkit's own picker of ours opens, over the
    /// window, in `startFolder`; then types a path into its name field and confirms it.
    /// An empty path cancels the picker.
    void pick(ControlId command, const std::string& startFolder, const std::string& typed)
    {
        OnNextModal modal([&](QWidget& dialog) {
            auto* picker = qobject_cast<QFileDialog*>(&dialog);
            if (picker == nullptr) {
                ADD_FAILURE() << "the modal dialog is no picker: " << dialog.metaObject()->className();
                closeUnexpected(dialog);
                return;
            }
            EXPECT_EQ(picker->objectName(), QStringLiteral("TavloPicker"));
            EXPECT_EQ(picker->windowTitle(), QStringLiteral("Ricerca cartelle/directory contenenti Foto/Film/Suoni"));
            EXPECT_EQ(picker->directory().absolutePath(), QString::fromStdString(startFolder));
            EXPECT_EQ(picker->parentWidget(), &rig.window);
            EXPECT_TRUE(picker->testOption(QFileDialog::DontUseNativeDialog));
            auto* buttons = picker->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            if (typed.empty()) {
                QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
                return;
            }
            picker->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QString::fromStdString(typed));
            QPushButton* confirm = buttons->button(QDialogButtonBox::Open);
            if (!QTest::qWaitFor([&] { return confirm->isEnabled(); }, 2000)) {
                ADD_FAILURE() << "the picker does not let the user choose " << typed;
                picker->reject();
                return;
            }
            QTest::mouseClick(confirm, Qt::LeftButton);
            if (picker->isVisible()) {
                ADD_FAILURE() << "the picker stayed open on " << typed;
                picker->reject();
            }
        });
        rig.click(command);
        EXPECT_TRUE(modal.done()) << "no picker showed";
    }

    QtRig rig;
};

TEST_F(Picker, FolderPickerTakesTheFolderOfAChosenFileOrAChosenFolder)
{
    rig.type(txtPATH_RICERCA, rig.tree.at("photos/"));
    pick(Command3, rig.tree.at("photos"), rig.tree.at("trip/day 1/x.jpg"));
    EXPECT_EQ(rig.shown(txtPATH_RICERCA), rig.tree.at("trip/day 1/"));
    EXPECT_EQ(rig.shown(txtNOME_FILE_HTM), rig.tree.at("trip/day 1/TAVLO.HTM"));
    EXPECT_EQ(rig.window.listCount(), 0);

    rig.type(txtPATH_RICERCA, rig.programFolder() + "/");
    rig.type(txtNOME_FILE_HTM, rig.tree.at("photos/Mare.htm"));
    pick(Command3, rig.programFolder(), rig.tree.at("trip"));
    EXPECT_EQ(rig.shown(txtPATH_RICERCA), rig.tree.at("trip/"));
    EXPECT_EQ(rig.shown(txtNOME_FILE_HTM), rig.tree.at("trip/Mare.htm"));
}

TEST_F(Picker, InsertAppendsTheChosenFileAndUnlocksTheBuilds)
{
    rig.type(txtPATH_RICERCA, rig.tree.at("photos/sub"));  // no trailing "/": starts in photos
    const std::string chosen = rig.tree.at("trip/day 1/x.jpg");
    pick(cmdIns_File, rig.tree.at("photos"), chosen);
    EXPECT_EQ(rig.shownEntries(), std::vector<std::string>{chosen});
    EXPECT_EQ(rig.shown(txtNUM_FILE), "1");
    for (ControlId id : {Command1, Command4, Command5})
        EXPECT_TRUE(rig.enabled(id));
    EXPECT_EQ(rig.shown(txtPATH_RICERCA), rig.tree.at("photos/sub"));
    EXPECT_EQ(rig.shown(txtNOME_FILE_HTM), rig.programFolder() + "/TAVLO.HTM");

    pick(cmdIns_File, rig.tree.at("photos"), chosen);
    EXPECT_EQ(rig.shownEntries(), std::vector<std::string>(2, chosen));
    EXPECT_EQ(rig.shown(txtNUM_FILE), "2");
}

TEST_F(Picker, CancellingChangesNothing)
{
    for (ControlId command : {Command3, cmdIns_File}) {
        pick(command, rig.programFolder(), "");
        EXPECT_EQ(rig.shown(txtPATH_RICERCA), rig.programFolder() + "/");
        EXPECT_EQ(rig.shown(txtNOME_FILE_HTM), rig.programFolder() + "/TAVLO.HTM");
        EXPECT_EQ(rig.window.listCount(), 0);
        EXPECT_EQ(rig.shown(txtNUM_FILE), "");
        for (ControlId id : {Command1, Command4, Command5})
            EXPECT_FALSE(rig.enabled(id));
    }
}

} // namespace
} // namespace tavlo::test
