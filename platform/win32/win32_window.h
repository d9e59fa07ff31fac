#pragma once
// frmTAVLO as a native Windows window: the controls of the design table (EDIT,
// LISTBOX, BUTTON, STATIC) at their places, and the user-interaction services of
// the Windows desktop (message boxes, beep, pointer, the Open dialog, the shell).
// Texts pass as the system's wide characters, and are UTF-8 on this side.

#include "platform/desktop.h"
#include "platform/entry_store.h"
#include "platform/win32/win32_fonts.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_progress.h"

#include <windows.h>

#include <chrono>
#include <map>
#include <optional>
#include <vector>

namespace tavlo {

class Win32Window final : public ProgramWindow {
public:
    /// Creates the window hidden, every control at its design value.
    Win32Window();

    void showWindow() override;
    int runEventLoop() override;

    // Controls
    std::string text(ControlId id) const override;
    void setText(ControlId id, std::string_view text) override;
    bool isEnabled(ControlId id) const override;
    void setEnabled(ControlId id, bool enabled) override;
    bool isVisible(ControlId id) const override;
    void setVisible(ControlId id, bool visible) override;
    using Controls::checkValue;
    int checkValue(ControlId id) const override;
    void listAdd(std::string_view entry) override;
    long listCount() const override;
    std::string listItem(long index) const override;
    long listIndex() const override;
    void listRemove(long index) override;
    void listClear() override;

    // Ui
    Answer msgBox(MessageKind kind, std::string_view prompt, Buttons buttons) override;
    void beep() override;
    void setScreenPointer(int pointer) override;
    void doEvents() override;
    void endProgram() override;
    bool programEnded() const override { return ended_; }
    double screenWidthTwips() const override;
    double twipsPerPixelX() const override;
    std::optional<std::string> showPicker(const PickerRequest& request) override;
    void openPage(const OpenRequest& request) override;
    bool showProgress(std::string_view text, std::string_view cancelCaption) override;
    void closeProgress() override;
    void showFailure(std::string_view what) override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    /// A text box's change notice, or a click; true when a click was handed on.
    bool handleCommand(WPARAM wParam, LPARAM lParam);
    /// The brush of a text box's background; nullptr where the system's own holds.
    HBRUSH textBoxBrush(HWND edit, HDC dc) const;
    void drawItem(const DRAWITEMSTRUCT& item);
    void build();
    void createFrame();
    void createControl(const ControlDesign& design);
    /// Lays the controls on top of each other as the design draws them.
    void stackControls();
    /// The list's entry height and the widths its horizontal extent is measured by.
    void prepareList();
    /// The entry after the caret whose text begins with the typed character, as
    /// a list box that keeps its own strings finds it; -1 when none does.
    long entryTypedTo(wchar_t typed, long caret) const;
    /// Tells the list box how many entries there are now.
    void showEntries();
    /// The width of an entry in the list's font, in pixels.
    int entryWidth(std::string_view entry) const;
    HWND control(ControlId id) const;
    /// Runs one message of the loop.
    void dispatch(MSG& message);
    /// The owner of a modal box: the window once it shows, none before.
    HWND owner() const;

    Win32Fonts fonts_;
    BrushOwner lightYellow_;
    DcOwner measure_;  // for the list's horizontal extent
    std::map<ControlId, HWND> controls_;
    std::vector<HWND> tabOrder_;
    int listExtent_ = 0;
    // The width of each ASCII character in the list's font: a plain path is measured
    // without asking the system for every one.
    std::vector<int> asciiWidths_;
    // The controls' texts as last read or set: a scan reads the filter after every
    // entry it adds. A text box's change notice drops its text from here.
    mutable std::map<HWND, std::string> texts_;
    // List1's entries: the list box holds no data of its own, only their count, and
    // draws the entries in sight from here.
    EntryStore entries_;
    // Since pending messages last ran, and since the list box last heard the count,
    // while busy: then messages run at most once a frame, and the count goes to the
    // list box a few times a second (each time it draws its scroll bar anew).
    std::chrono::steady_clock::time_point eventsRan_{};
    std::chrono::steady_clock::time_point entriesShown_{};
    bool showPosted_ = false;  // the list box hears the count when the pending messages run
    HWND lastFocus_ = nullptr;
    bool busy_ = false;
    bool ended_ = false;
    // Last, so that they go first, while what they draw with is still there.
    WindowOwner window_;
    std::optional<Win32Progress> progress_;
};

} // namespace tavlo
