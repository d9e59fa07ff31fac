#pragma once
// The whole program on the real Qt window: a temporary program folder with the page
// header and footer beside it, the real Linux file system, and frmTAVLO wired to the
// window the way the program wires them. Also the way the tests act on the modal
// dialogs that the program opens and waits for.

#include "app/frm_tavlo.h"
#include "platform/qt/qt_window.h"
#include "support/temp_tree.h"

#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QLineEdit;

namespace tavlo::test {

/// Acts on the next modal dialog as soon as it shows. Make one before the step that
/// opens the dialog: that step does not return until the dialog has closed.
class OnNextModal {
public:
    explicit OnNextModal(std::function<void(QWidget& dialog)> act);
    /// Whether a dialog showed and was acted on, once no dialog is left open.
    bool done();

private:
    QTimer timer_;
    bool acted_ = false;
};

/// Closes a dialog that a test did not expect, so that the step waiting on it returns.
void closeUnexpected(QWidget& dialog);

/// What a message box showed, and whether the main window was visible meanwhile.
struct BoxSeen {
    QString title, text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    const QWidget* parent = nullptr;
    bool windowVisible = false;
};

/// Clicks one button of the next message box, recording what the box showed.
class AnswerNextBox {
public:
    AnswerNextBox(const QWidget& window, QMessageBox::StandardButton answer);
    bool done() { return modal_.done(); }
    BoxSeen seen;

private:
    OnNextModal modal_;
};

class QtRig {
public:
    QtRig();
    ~QtRig();

    TempTree tree;

private:
    std::unique_ptr<FileSystem> fs_;  // built before the members that use it

public:
    QtWindow window;
    frmTAVLO form;

    std::string programFolder() const { return tree.at("program"); }
    /// Starts the program as a user does: answers the window-mode question (Yes
    /// for the simplified window) and waits until the window is active.
    BoxSeen start(bool simplified);

    QWidget* widget(ControlId id) const { return window.widget(id); }
    bool enabled(ControlId id) const;
    /// A click with the mouse in the middle of a control.
    void click(ControlId id);
    /// Replaces the whole text of a text box by typing.
    void type(ControlId id, std::string_view text);
    /// The text a text box shows.
    std::string shown(ControlId id) const;
    /// The entries the list box shows, as bytes.
    std::vector<std::string> shownEntries() const;
};

} // namespace tavlo::test
