// Start-up and the main window's own handlers: the page-size default by screen
// width, the locked build commands, the window-mode question and what each answer
// hides, the program-folder paths, and clicks that must do nothing.
#include "support/rig_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <string>
#include <vector>

namespace tavlo::test {
namespace {

using enum ControlId;

const std::string kQuestionBox = "box:4:Si desidera la Versione Semplificata (Si) o Completa (No) ";

// --- page size by screen width ------------------------------------------------------

struct Screen {
    double pixels;
    double twipsPerPixel;
    const char* pageSize;
};

void PrintTo(const Screen& s, std::ostream* out)
{
    *out << std::setprecision(10) << s.pixels << " px at " << s.twipsPerPixel << " twips/px gives " << s.pageSize;
}

class PageSize : public RigTestWithParam<Screen> {};

TEST_P(PageSize, FollowsTheScreenWidthInPixels)
{
    rig.ui.screenWidthPixels = GetParam().pixels;
    rig.ui.twipsPerPixel = GetParam().twipsPerPixel;
    rig.start();
    EXPECT_EQ(rig.text(txtMAX_N_FILES), GetParam().pageSize);
    EXPECT_EQ(rig.text(txtMAX_PER_RIGA), "5");
}

INSTANTIATE_TEST_SUITE_P(Widths, PageSize,
                         ::testing::Values(Screen{799, 15, "6"}, Screen{800, 15, "10"}, Screen{640, 15, "6"},
                                           Screen{1920, 15, "10"}, Screen{800, 12, "10"}, Screen{799, 12, "6"},
                                           // the width is rounded to single precision before the test
                                           Screen{799.999, 15, "6"}, Screen{799.99999, 15, "10"}));

// --- the window mode --------------------------------------------------------------

const std::vector<ControlId> kHiddenInTheSimplifiedWindow{Command2, Command1, Label5, txtNOME_FILE_HTM};
const std::vector<ControlId> kLockedUntilTheListHoldsSomething{Command1, Command4, Command5};

bool isOneOf(ControlId id, const std::vector<ControlId>& ids) { return std::ranges::find(ids, id) != ids.end(); }

class WindowMode : public RigTestWithParam<bool> {
protected:
    bool simplified() const { return GetParam(); }
};

TEST_P(WindowMode, QuestionIsTheOnlyThingTheUserSees)
{
    rig.start(simplified());
    EXPECT_EQ(rig.ui.log, std::vector<std::string>{kQuestionBox});
}

TEST_P(WindowMode, QuestionComesAfterTheDefaultsAndBeforeAnythingIsHiddenOrPointedAtTheProgram)
{
    std::vector<std::string> seen;
    rig.ui.onMsgBox = [&](const HeadlessUi::Box&) { seen = windowState(rig.controls); };
    rig.start(simplified());
    rig.ui.onMsgBox = nullptr;

    HeadlessControls atQuestion;  // the design values, with the page sizes set and the builds locked
    atQuestion.setText(txtMAX_N_FILES, "10");
    atQuestion.setText(txtMAX_PER_RIGA, "5");
    for (ControlId id : kLockedUntilTheListHoldsSomething)
        atQuestion.setEnabled(id, false);
    EXPECT_EQ(seen, windowState(atQuestion));
}

TEST_P(WindowMode, BuildAndViewCommandsAreLockedAndEverythingElseEnabled)
{
    rig.start(simplified());
    for (const auto& design : controlDesigns())
        EXPECT_EQ(rig.controls.isEnabled(design.id), !isOneOf(design.id, kLockedUntilTheListHoldsSomething))
            << design.name;
}

TEST_P(WindowMode, SimplifiedWindowHidesExactlyFourControls)
{
    rig.start(simplified());
    for (const auto& design : controlDesigns())
        EXPECT_EQ(rig.controls.isVisible(design.id),
                  !(simplified() && isOneOf(design.id, kHiddenInTheSimplifiedWindow)))
            << design.name;
}

TEST_P(WindowMode, SearchFolderAndOutputPageStartInTheProgramFolder)
{
    rig.start(simplified());
    EXPECT_EQ(rig.text(txtPATH_RICERCA), rig.programFolder() + kSep);
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), rig.programFolder() + kSep + "TAVLO.HTM");
}

TEST_P(WindowMode, OtherControlsKeepTheirDesignValues)
{
    rig.start(simplified());
    EXPECT_EQ(rig.text(txtESTENSIONE), "JPG");
    EXPECT_EQ(rig.text(txtNUM_FILE), "");
    EXPECT_EQ(rig.controls.listCount(), 0);
    EXPECT_EQ(rig.controls.checkValue(), 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, WindowMode, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Simplified" : "Complete"; });

TEST(StartUp, UnansweredQuestionIsSkippedAndTheRestStillRuns)
{
    Rig rig;
    rig.form.Form_Load();  // no answer scripted: the box fails, and start-up goes on
    EXPECT_EQ(rig.ui.unexpected.size(), 1u);
    EXPECT_EQ(rig.text(txtPATH_RICERCA), rig.programFolder() + kSep);
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), rig.programFolder() + kSep + "TAVLO.HTM");
    EXPECT_TRUE(rig.controls.isVisible(Command1));
}

TEST(StartUp, ProgramFolderIsTakenAsReportedAndTheSeparatorAppendedBlindly)
{
    const auto fs = createPlatformFileSystem(fromRoot("/opt/tavlo/"));
    HeadlessControls controls;
    HeadlessUi ui;
    frmTAVLO form(controls, ui, *fs);
    ui.answerNext(kAnswerNo);
    form.Form_Load();
    EXPECT_EQ(controls.text(txtPATH_RICERCA), fromRoot("/opt/tavlo//"));
    EXPECT_EQ(controls.text(txtNOME_FILE_HTM), fromRoot("/opt/tavlo//TAVLO.HTM"));
}

// --- clicks the window ignores, and its own two handlers ----------------------------

class MainWindow : public RigTest {
protected:
    /// Clicks a control and tells whether the window or the user saw any change.
    bool clickChangesSomething(ControlId id)
    {
        const auto before = windowState(rig.controls);
        const auto logSize = rig.ui.log.size();
        rig.click(id);
        return windowState(rig.controls) != before || rig.ui.log.size() != logSize;
    }
};

TEST_F(MainWindow, DisabledCommandsCannotBeClicked)
{
    rig.start();
    for (ControlId id : kLockedUntilTheListHoldsSomething)
        EXPECT_FALSE(clickChangesSomething(id)) << controlDesign(id).name;
    rig.controls.setEnabled(cmdCONFERMA, false);
    rig.controls.setEnabled(cmdCANC_FILE, false);
    EXPECT_FALSE(clickChangesSomething(cmdCONFERMA));
    EXPECT_FALSE(clickChangesSomething(cmdCANC_FILE));
}

TEST_F(MainWindow, HiddenCommandsCannotBeClickedEvenWhenEnabled)
{
    rig.start(true);
    rig.tree.file("photos/a.jpg");
    load(rig.tree.at("photos"), "JPG");
    ASSERT_TRUE(rig.controls.isEnabled(Command1));
    EXPECT_FALSE(clickChangesSomething(Command1));  // would ask about the page
    EXPECT_FALSE(clickChangesSomething(Command2));  // would empty the list
    EXPECT_FALSE(rig.tree.exists("program/TAVLO.HTM"));
}

TEST_F(MainWindow, CheckBoxClickChangesNothing)
{
    rig.start();
    rig.tree.file("photos/a.jpg");
    load(rig.tree.at("photos"), "JPG");
    rig.controls.select(0);
    EXPECT_FALSE(clickChangesSomething(Check1));
    rig.controls.setChecked(true);
    EXPECT_FALSE(clickChangesSomething(Check1));
    EXPECT_EQ(rig.controls.checkValue(), 1);
}

TEST_F(MainWindow, EndButtonEndsTheProgramWithoutAQuestion)
{
    rig.start();
    rig.tree.file("photos/a.jpg");
    load(rig.tree.at("photos"), "JPG");
    const auto boxes = rig.ui.boxes.size();
    rig.click(cmdFINE);
    EXPECT_TRUE(rig.ui.programEnded());
    EXPECT_EQ(rig.ui.boxes.size(), boxes);
    EXPECT_FALSE(clickChangesSomething(Command2));  // nothing runs after the end
}

} // namespace
} // namespace tavlo::test
