#pragma once
// The window's services for tests, without a screen: message boxes and pickers are
// answered from queues the test fills (a box nobody expected is an error, never a
// silent default), and every box, beep, pointer change and open request is recorded.

#include "platform/ui.h"

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavlo {

/// Raised when a message box or picker comes that the script did not expect.
struct UnexpectedPrompt : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class HeadlessUi final : public Ui {
public:
    struct Box {
        std::string prompt;
        Buttons buttons;
        MessageKind kind;
    };

    Answer msgBox(MessageKind kind, std::string_view prompt, Buttons buttons) override;
    void beep() override;
    void setScreenPointer(int pointer) override;
    void doEvents() override;
    void endProgram() override;
    bool programEnded() const override { return ended_; }
    double screenWidthTwips() const override { return screenWidthPixels * twipsPerPixel; }
    double twipsPerPixelX() const override { return twipsPerPixel; }
    std::optional<std::string> showPicker(const PickerRequest& request) override;
    void openPage(const OpenRequest& request) override;
    bool showProgress(std::string_view text, std::string_view cancelCaption) override;
    void closeProgress() override;

    // The script.
    void answerNext(Answer answer) { answers_.push_back(answer); }
    void pickNext(std::optional<std::string> chosenPath) { picks_.push_back(std::move(chosenPath)); }
    bool allAnswersUsed() const { return answers_.empty() && picks_.empty(); }
    /// Runs at every doEvents: stands for what the user does while a scan runs.
    std::function<void()> onDoEvents;
    /// The user cancels at this showing of a progress window (1: as soon as it shows); 0: never.
    int cancelAtShow = 0;
    /// Runs when a message box is shown, before it is answered: what the user sees then.
    std::function<void(const Box&)> onMsgBox;

    // The screen.
    double screenWidthPixels = 1024;
    double twipsPerPixel = 15;

    // What was recorded.
    std::vector<Box> boxes;
    std::vector<PickerRequest> pickers;
    std::vector<OpenRequest> opened;
    std::vector<int> pointers;
    /// Every text a progress window showed, followed by its button's caption in brackets.
    std::vector<std::string> progress;
    int beeps = 0;
    int doEventsCalls = 0;
    /// Prompts that came with no answer scripted, also those whose error a caller swallowed.
    std::vector<std::string> unexpected;
    /// Every interaction in order: "beep", "box:<buttons>:<prompt>" (buttons as the classic values: 0 OK only, 4 Yes and No), "pointer:<n>", "open:<command>", "picker",
    /// "progress:<text> [<button>]", "progress closed".
    std::vector<std::string> log;

private:
    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> picks_;
    bool ended_ = false;
};

} // namespace tavlo
