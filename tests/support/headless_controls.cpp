#include "support/headless_controls.h"

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

} // namespace tavlo
