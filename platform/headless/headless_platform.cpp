#include "platform/headless/headless_platform.h"

#include "platform/form_layout.h"

namespace tavlo {

HeadlessControls::HeadlessControls()
{
    for (const auto& design : controlDesigns())
        states_[design.id] = State{std::string(design.designText), true, true};
}

std::string HeadlessControls::text(ControlId id) const { return states_.at(id).text; }

void HeadlessControls::setText(ControlId id, std::string_view text) { states_.at(id).text = text; }

bool HeadlessControls::isEnabled(ControlId id) const { return states_.at(id).enabled; }

void HeadlessControls::setEnabled(ControlId id, bool enabled) { states_.at(id).enabled = enabled; }

bool HeadlessControls::isVisible(ControlId id) const { return states_.at(id).visible; }

void HeadlessControls::setVisible(ControlId id, bool visible) { states_.at(id).visible = visible; }

void HeadlessControls::listAdd(std::string_view entry) { list_.append(entry); }

long HeadlessControls::listCount() const { return list_.size(); }

std::string HeadlessControls::listItem(long index) const { return std::string(list_.at(index)); }

const std::vector<std::string>& HeadlessControls::entries() const
{
    copied_.clear();
    for (long i = 0; i < list_.size(); ++i)
        copied_.emplace_back(list_.at(i));
    return copied_;
}

void HeadlessControls::listRemove(long index)
{
    if (index < 0 || index >= listCount())
        return;
    list_.remove(index);
    selected_ = -1;  // as a list box does: removing an entry leaves none selected
}

void HeadlessControls::listClear()
{
    list_.clear();
    selected_ = -1;
}

int HeadlessUi::msgBox(std::string_view prompt, int buttons)
{
    boxes.push_back({std::string(prompt), buttons});
    log.push_back("box:" + std::to_string(buttons) + ":" + std::string(prompt));
    if (onMsgBox)
        onMsgBox(Box{boxes.back()});  // a copy: the hook may show boxes of its own
    if (answers_.empty()) {
        unexpected.push_back("message box: " + std::string(prompt));
        throw UnexpectedPrompt("unexpected " + unexpected.back());
    }
    const int answer = answers_.front();
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
    return cancelProgress;
}

void HeadlessUi::closeProgress() { log.emplace_back("progress closed"); }

} // namespace tavlo
