#pragma once
// A test fixture with the whole system on the headless window. It fails a test in
// which a message box or picker came that the test did not script, also when the
// procedure that met it swallowed the error (start-up skips failing steps), and one
// that scripted an answer no prompt used.

#include "platform/form_layout.h"
#include "support/rig.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace tavlo {

/// Names a control in the messages of a failing test.
inline void PrintTo(ControlId id, std::ostream* out) { *out << controlDesign(id).name; }

} // namespace tavlo

namespace tavlo::test {

/// Every control's text, enabled and visible state, then the list, its selection and
/// the check box, one line each: two states compare equal when nothing changed.
inline std::vector<std::string> windowState(const HeadlessControls& controls)
{
    std::vector<std::string> lines;
    for (const auto& design : controlDesigns())
        lines.push_back(std::string(design.name) + " text=\"" + controls.text(design.id) +
                        "\" enabled=" + std::to_string(controls.isEnabled(design.id)) +
                        " visible=" + std::to_string(controls.isVisible(design.id)));
    for (const auto& entry : controls.entries())
        lines.push_back("List1 entry " + entry);
    lines.push_back("List1 selected " + std::to_string(controls.listIndex()));
    lines.push_back("Check1 value " + std::to_string(controls.checkValue()));
    return lines;
}

class RigTest : public ::testing::Test {
protected:
    explicit RigTest(RigOptions options = {}) : rig(options) {}

    void TearDown() override
    {
        EXPECT_EQ(rig.ui.unexpected, std::vector<std::string>{}) << "prompts nobody scripted";
        EXPECT_TRUE(rig.ui.allAnswersUsed()) << "a scripted answer was never asked for";
    }

    /// Scripts the answers to the next message boxes, in order.
    void answer(std::initializer_list<int> answers)
    {
        for (int code : answers)
            rig.ui.answerNext(code);
    }

    /// Clicks a control, answering the message boxes it shows.
    void click(ControlId id, std::initializer_list<int> answers)
    {
        answer(answers);
        rig.click(id);
    }

    /// Loads the files of a folder tree through the load button.
    const std::vector<std::string>& load(const std::string& folder, std::string_view filter)
    {
        rig.type(ControlId::txtPATH_RICERCA, folder);
        rig.type(ControlId::txtESTENSIONE, filter);
        rig.click(ControlId::cmdCONFERMA);
        return rig.controls.entries();
    }

    Rig rig;
};

template <typename Param>
class RigTestWithParam : public RigTest, public ::testing::WithParamInterface<Param> {};

} // namespace tavlo::test
