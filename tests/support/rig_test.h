#pragma once
// A fixture with the rig, failing a test on a prompt it did not script (even one a procedure swallowed)
// or a scripted answer no prompt used; windowState: every control's state, the list and the check box.
#include "platform/form_layout.h"
#include "support/rig.h"

#include <gtest/gtest.h>

namespace tavlo::test {

inline std::vector<std::string> windowState(const HeadlessControls& controls)
{
    std::vector<std::string> lines;
    for (const auto& design : controlDesigns())
        lines.push_back(std::string(design.name) + " \"" + controls.text(design.id) + "\" " +
                        std::to_string(controls.isEnabled(design.id)) + std::to_string(controls.isVisible(design.id)));
    lines.insert(lines.end(), controls.entries().begin(), controls.entries().end());
    lines.push_back(std::to_string(controls.listIndex()) + " " + std::to_string(controls.checkValue()));
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
    void answer(std::initializer_list<Answer> answers)
    {
        for (Answer code : answers)
            rig.ui.answerNext(code);
    }
    void click(ControlId id, std::initializer_list<Answer> answers) { answer(answers), rig.click(id); }
    const std::vector<std::string>& load(const std::string& folder, std::string_view filter)  // by the load button
    {
        rig.type(ControlId::txtPATH_RICERCA, folder);
        rig.type(ControlId::txtESTENSIONE, filter);
        rig.click(ControlId::cmdCONFERMA);
        return rig.controls.entries();
    }

    Rig rig;
};

} // namespace tavlo::test
