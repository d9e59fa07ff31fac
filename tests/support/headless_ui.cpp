#include "support/headless_ui.h"

namespace tavlo {

Answer HeadlessUi::msgBox(MessageKind kind, std::string_view prompt, Buttons buttons)
{
    boxes.push_back({std::string(prompt), buttons, kind});
    log.push_back("box:" + std::to_string(buttons == Buttons::YesNo ? 4 : 0) + ":" + std::string(prompt));
    if (onMsgBox)
        onMsgBox(Box{boxes.back()});  // a copy: the hook may show boxes of its own
    if (answers_.empty()) {
        unexpected.push_back("message box: " + std::string(prompt));
        throw UnexpectedPrompt("unexpected " + unexpected.back());
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void HeadlessUi::beep()
{
    ++beeps;
    log.emplace_back("beep");
}

void HeadlessUi::setScreenPointer(int pointer)
{
    pointers.push_back(pointer);
    log.push_back("pointer:" + std::to_string(pointer));
}

void HeadlessUi::doEvents()
{
    ++doEventsCalls;
    if (onDoEvents)
        onDoEvents();
}

void HeadlessUi::endProgram()
{
    ended_ = true;
    log.emplace_back("end");
}

std::optional<std::string> HeadlessUi::showPicker(const PickerRequest& request)
{
    pickers.push_back(request);
    log.emplace_back("picker");
    if (picks_.empty()) {
        unexpected.push_back("picker: " + request.title);
        throw UnexpectedPrompt("unexpected " + unexpected.back());
    }
    auto chosen = std::move(picks_.front());
    picks_.pop_front();
    return chosen;
}

void HeadlessUi::openPage(const OpenRequest& request)
{
    opened.push_back(request);
    log.push_back("open:" + request.documentPath);
}

bool HeadlessUi::showProgress(std::string_view text, std::string_view cancelCaption)
{
    progress.push_back(std::string(text) + " [" + std::string(cancelCaption) + "]");
    log.push_back("progress:" + progress.back());
    return cancelAtShow > 0 && --cancelAtShow == 0;
}

void HeadlessUi::closeProgress() { log.emplace_back("progress closed"); }

} // namespace tavlo
