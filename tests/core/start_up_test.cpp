// Start-up and the main window's own handlers: the page-size default by screen
// width, the locked build commands, the window-mode question and what each answer
// hides, the program-folder paths, and clicks that must do nothing.
#include "support/rig_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo::test {
namespace {

using enum ControlId;

const std::vector<ControlId> kLockedUntilTheListHoldsSomething{Command1, Command4, Command5};

TEST(StartUp, PageSizeFollowsTheScreenWidthInPixels)
{
    const struct {
        double pixels, twipsPerPixel;
        const char* pageSize;
    } screens[] = {{799, 15, "6"}, {800, 15, "10"}, {640, 15, "6"}, {1920, 15, "10"}, {800, 12, "10"}, {799, 12, "6"},
                   // the width is rounded to single precision before the test
                   {799.999, 15, "6"}, {799.99999, 15, "10"}};
    for (const auto& screen : screens) {
        Rig rig;
        rig.ui.screenWidthPixels = screen.pixels;
        rig.ui.twipsPerPixel = screen.twipsPerPixel;
        rig.start();
        EXPECT_EQ(rig.text(txtMAX_N_FILES), screen.pageSize) << screen.pixels << " px at " << screen.twipsPerPixel;
    }
}

class WindowMode : public RigTest, public ::testing::WithParamInterface<bool> {};

TEST_P(WindowMode, TheQuestionComesAfterTheDefaultsAndItsAnswerHidesOrKeepsFourControls)
{
    const bool simplified = GetParam();
    std::vector<std::string> atQuestion;
    rig.ui.onMsgBox = [&](const HeadlessUi::Box&) { atQuestion = windowState(rig.controls); };
    rig.start(simplified);
    rig.ui.onMsgBox = nullptr;

    EXPECT_EQ(rig.ui.log, std::vector<std::string>{"box:4:Si desidera la Versione Semplificata (Si) o Completa (No) "});
    // At the question: the design values, with the page sizes set and the builds locked.
    HeadlessControls expected;
    expected.setText(txtMAX_N_FILES, "10");
    expected.setText(txtMAX_PER_RIGA, "5");
    for (ControlId id : kLockedUntilTheListHoldsSomething)
        expected.setEnabled(id, false);
    EXPECT_EQ(atQuestion, windowState(expected));

    // After it: the search folder and the output page in the program folder, four controls hidden or not.
    expected.setText(txtPATH_RICERCA, rig.programFolder() + kSep);
    expected.setText(txtNOME_FILE_HTM, rig.programFolder() + kSep + "TAVLO.HTM");
    for (ControlId id : {Command2, Command1, Label5, txtNOME_FILE_HTM})
        expected.setVisible(id, !simplified);
    EXPECT_EQ(windowState(rig.controls), windowState(expected));
}

INSTANTIATE_TEST_SUITE_P(Answers, WindowMode, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Simplified" : "Complete"; });

TEST(StartUp, AnUnansweredQuestionIsSkippedAndTheRestStillRuns)
{
    Rig rig;
    rig.form.Form_Load();  // no answer scripted: the box fails, and start-up goes on
    EXPECT_EQ(rig.ui.unexpected.size(), 1u);
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

TEST_F(MainWindow, DisabledCommandsAndTheCheckBoxChangeNothingAndTheEndButtonEndsWithoutAQuestion)
{
    rig.start();
    for (ControlId id : kLockedUntilTheListHoldsSomething)
        EXPECT_FALSE(clickChangesSomething(id)) << controlDesign(id).name;
    rig.controls.setEnabled(cmdCONFERMA, false);
    rig.controls.setEnabled(cmdCANC_FILE, false);
    EXPECT_FALSE(clickChangesSomething(cmdCONFERMA));
    EXPECT_FALSE(clickChangesSomething(cmdCANC_FILE));
    rig.controls.setChecked(true);
    EXPECT_FALSE(clickChangesSomething(Check1));

    rig.ui.log.clear();
    rig.click(cmdFINE);
    EXPECT_TRUE(rig.ui.programEnded());
    EXPECT_EQ(rig.ui.log, std::vector<std::string>{"end"});
    rig.controls.setEnabled(cmdCONFERMA, true);
    EXPECT_FALSE(clickChangesSomething(cmdCONFERMA));  // nothing runs after the end
}

TEST_F(MainWindow, HiddenCommandsCannotBeClickedEvenWhenEnabled)
{
    rig.start(true);
    rig.tree.file("photos/a.jpg");
    load(rig.tree.at("photos"), "JPG");
    ASSERT_TRUE(rig.controls.isEnabled(Command1));
    EXPECT_FALSE(clickChangesSomething(Command1));  // would ask about the page
    EXPECT_FALSE(clickChangesSomething(Command2));  // would empty the list
    // The folder picker still moves the hidden output page.
    rig.ui.pickNext(fromRoot("/x/Foto/Mare/img001.jpg"));
    rig.click(Command3);
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), fromRoot("/x/Foto/Mare/TAVLO.HTM"));
}

} // namespace
} // namespace tavlo::test
