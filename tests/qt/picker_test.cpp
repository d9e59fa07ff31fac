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

constexpr char kTitle[] = "Ricerca cartelle/directory contenenti Foto/Film/Suoni";

struct PickerSeen {
    QString objectName;
    QString title;
    QString folder;  // where it started
    const QWidget* parent = nullptr;
    bool ownDialog = false;  // the toolkit's own, not the desktop's
};

class Picker : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.start(false);
        rig.tree.file("photos/a.jpg", "x");
        rig.tree.file("trip/day 1/x.jpg", "x");
    }

    /// Clicks a command and, in the picker that it opens, types a path into the name
    /// field and confirms it; an empty path cancels the picker.
    PickerSeen pick(ControlId command, const std::string& typed)
    {
        PickerSeen seen;
        OnNextModal modal([&](QWidget& dialog) {
            auto* picker = qobject_cast<QFileDialog*>(&dialog);
            if (picker == nullptr) {
                ADD_FAILURE() << "the modal dialog is no picker: " << dialog.metaObject()->className();
                closeUnexpected(dialog);
                return;
            }
            seen = {picker->objectName(), picker->windowTitle(), picker->directory().absolutePath(),
                    picker->parentWidget(), picker->testOption(QFileDialog::DontUseNativeDialog)};
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
        return seen;
    }

    void expectOurPicker(const PickerSeen& seen, const std::string& startFolder)
    {
        EXPECT_EQ(seen.objectName, QStringLiteral("TavloPicker"));
        EXPECT_EQ(seen.title, QString::fromUtf8(kTitle));
        EXPECT_EQ(seen.folder, QString::fromStdString(startFolder));
        EXPECT_EQ(seen.parent, &rig.window);
        EXPECT_TRUE(seen.ownDialog);
    }

    QtRig rig;
};

TEST_F(Picker, FolderPickerTakesTheFolderOfTheChosenFile)
{
    rig.type(txtPATH_RICERCA, rig.tree.at("photos/"));
    const PickerSeen seen = pick(Command3, rig.tree.at("trip/day 1/x.jpg"));

    expectOurPicker(seen, rig.tree.at("photos"));
    EXPECT_EQ(rig.shown(txtPATH_RICERCA), rig.tree.at("trip/day 1/"));
    EXPECT_EQ(rig.shown(txtNOME_FILE_HTM), rig.tree.at("trip/day 1/TAVLO.HTM"));
    EXPECT_EQ(rig.window.listCount(), 0);
}

TEST_F(Picker, FolderPickerTakesAChosenFolderItself)
{
    rig.type(txtNOME_FILE_HTM, rig.tree.at("photos/Mare.htm"));
    const PickerSeen seen = pick(Command3, rig.tree.at("trip"));

    expectOurPicker(seen, rig.programFolder());
    EXPECT_EQ(rig.shown(txtPATH_RICERCA), rig.tree.at("trip/"));
    EXPECT_EQ(rig.shown(txtNOME_FILE_HTM), rig.tree.at("trip/Mare.htm"));
}

TEST_F(Picker, InsertAppendsTheChosenFileAndUnlocksTheBuilds)
{
    rig.type(txtPATH_RICERCA, rig.tree.at("photos/sub"));  // no trailing "/": starts in photos
    const PickerSeen seen = pick(cmdIns_File, rig.tree.at("trip/day 1/x.jpg"));

    expectOurPicker(seen, rig.tree.at("photos"));
    EXPECT_EQ(rig.shownEntries(), std::vector<std::string>{rig.tree.at("trip/day 1/x.jpg")});
    EXPECT_EQ(rig.shown(txtNUM_FILE), "1");
    for (ControlId id : {Command1, Command4, Command5})
        EXPECT_TRUE(rig.widget(id)->isEnabled());
    EXPECT_EQ(rig.shown(txtPATH_RICERCA), rig.tree.at("photos/sub"));
    EXPECT_EQ(rig.shown(txtNOME_FILE_HTM), rig.programFolder() + "/TAVLO.HTM");

    pick(cmdIns_File, rig.tree.at("trip/day 1/x.jpg"));
    EXPECT_EQ(rig.shownEntries(), std::vector<std::string>(2, rig.tree.at("trip/day 1/x.jpg")));
    EXPECT_EQ(rig.shown(txtNUM_FILE), "2");
}

TEST_F(Picker, CancellingChangesNothing)
{
    for (ControlId command : {Command3, cmdIns_File}) {
        pick(command, "");
        EXPECT_EQ(rig.shown(txtPATH_RICERCA), rig.programFolder() + "/");
        EXPECT_EQ(rig.shown(txtNOME_FILE_HTM), rig.programFolder() + "/TAVLO.HTM");
        EXPECT_EQ(rig.window.listCount(), 0);
        EXPECT_EQ(rig.shown(txtNUM_FILE), "");
        for (ControlId id : {Command1, Command4, Command5})
            EXPECT_FALSE(rig.widget(id)->isEnabled());
    }
}

} // namespace
} // namespace tavlo::test
