// Start-up and the window's own handlers: defaults, window mode, clicks that do nothing.
#include "support/rig_test.h"

namespace tavlo::test {
namespace {

using enum ControlId;

TEST(StartUp, PageSizeFollowsTheScreenWidthInPixelsInSinglePrecisionAndAFailingStepIsSkipped)
{
    for (const auto& [pixels, twipsPerPixel, pageSize] : {std::tuple{799.0, 15.0, "6"}, {800.0, 15.0, "10"},
             {800.0, 12.0, "10"}, {799.999, 15.0, "6"}, {799.99999, 15.0, "10"}}) {
        Rig rig;
        rig.ui.screenWidthPixels = pixels, rig.ui.twipsPerPixel = twipsPerPixel;
        rig.form.Form_Load();  // no answer scripted: the question fails, and start-up goes on
        EXPECT_EQ(rig.text(txtMAX_N_FILES) + rig.text(txtNOME_FILE_HTM), pageSize + rig.programFolder() + kSep + "TAVLO.HTM");
        EXPECT_EQ(rig.ui.unexpected.size(), 1u);
    }
}

class StartUp : public RigTest, public ::testing::WithParamInterface<bool> {};

TEST_P(StartUp, TheQuestionComesAfterTheDefaultsYesHidesFourControlsAndLockedOrHiddenCommandsDoNothing)
{
    std::vector<std::string> atQuestion;
    rig.ui.onMsgBox = [&](const HeadlessUi::Box&) { atQuestion = windowState(rig.controls); };
    rig.start(GetParam());
    EXPECT_EQ(rig.ui.log, std::vector<std::string>{"box:4:Si desidera la Versione Semplificata (Si) o Completa (No) "});
    HeadlessControls expected;  // the design values, then what start-up sets
    expected.setText(txtMAX_N_FILES, "10"), expected.setText(txtMAX_PER_RIGA, "5");
    for (ControlId id : {Command1, Command4, Command5})
        expected.setEnabled(id, false);
    EXPECT_EQ(atQuestion, windowState(expected));
    expected.setText(txtPATH_RICERCA, rig.programFolder() + kSep), expected.setText(txtNOME_FILE_HTM, rig.programFolder() + kSep + "TAVLO.HTM");
    for (ControlId id : {Command2, Command1, Label5, txtNOME_FILE_HTM})
        expected.setVisible(id, !GetParam());
    EXPECT_EQ(windowState(rig.controls), windowState(expected));

    rig.controls.setEnabled(Command1, true), rig.controls.setEnabled(cmdCANC_FILE, false);
    const auto before = windowState(rig.controls);
    if (!GetParam())
        answer({Answer::Ok});  // Command1 runs in the complete window only: it refuses an empty list
    for (ControlId id : {Command1, Command4, Command5, Check1, cmdCANC_FILE, cmdFINE, cmdCONFERMA})
        rig.click(id);  // nothing runs after the end
    EXPECT_EQ(windowState(rig.controls), before);
    EXPECT_EQ(std::to_string(rig.ui.log.size()) + rig.ui.log.back(), GetParam() ? "2end" : "4end");
}

INSTANTIATE_TEST_SUITE_P(Answers, StartUp, ::testing::Bool());

} // namespace
} // namespace tavlo::test
