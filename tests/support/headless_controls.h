#pragma once
// A window without a screen for the tests: its controls live in memory, and the
// tests click through them.

#include "platform/controls.h"
#include "platform/entry_store.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tavlo {

class HeadlessControls final : public Controls {
public:
    HeadlessControls();  // every control at its design value

    std::string text(ControlId id) const override;
    void setText(ControlId id, std::string_view text) override;
    bool isEnabled(ControlId id) const override;
    void setEnabled(ControlId id, bool enabled) override;
    bool isVisible(ControlId id) const override;
    void setVisible(ControlId id, bool visible) override;
    using Controls::checkValue;
    int checkValue(ControlId id) const override { return checked_.contains(id) ? 1 : 0; }
    void listAdd(std::string_view entry) override;
    long listCount() const override;
    std::string listItem(long index) const override;
    long listIndex() const override { return selected_; }
    void listRemove(long index) override;
    void listClear() override;

    // What a user does.
    void setChecked(bool checked) { setChecked(ControlId::Check1, checked); }
    void setChecked(ControlId id, bool checked) { checked ? (void)checked_.insert(id) : (void)checked_.erase(id); }
    void select(long index) { selected_ = index; }
    /// Every entry, as a copy made anew at each call.
    const std::vector<std::string>& entries() const;

private:
    struct State {
        std::string text;
        bool enabled = true;
        bool visible = true;
    };
    std::map<ControlId, State> states_;
    EntryStore list_;
    mutable std::vector<std::string> copied_;  // what entries() last returned
    long selected_ = -1;
    std::set<ControlId> checked_;
};

} // namespace tavlo
