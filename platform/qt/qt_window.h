#pragma once
// frmTAVLO as a Qt Widgets window: the controls of the design table at their
// places, and the user-interaction services (message boxes, pointer, picker,
// browser) of the desktop.

#include "platform/desktop.h"
#include "platform/entry_store.h"

#include <QElapsedTimer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QListView;
class QProgressDialog;

namespace tavlo {

class EntryListModel;

class QtWindow final : public QWidget, public ProgramWindow {
    Q_OBJECT
public:
    QtWindow();
    ~QtWindow() override;

    /// The widget that stands for a control (nullptr for the picker, which draws nothing).
    QWidget* widget(ControlId id) const;

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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    /// A click on a push button or a check box goes to onClick.
    void connectClick(QWidget* control, ControlId id);
    /// Takes the list box's view as List1, over a model of its own.
    void adoptList(QListView* list);
    int pixels(int twips) const;

    std::map<ControlId, QWidget*> widgets_;
    // List1: a view that draws only the rows in sight, over a model that keeps the
    // entries once, as the system wrote them, byte for byte (a name that is not valid
    // UTF-8 cannot pass through the toolkit's strings unchanged).
    QListView* list_ = nullptr;
    EntryListModel* entries_ = nullptr;
    // Text boxes' texts as last set by the system, for the same reason.
    std::map<ControlId, std::string> setTexts_;
    std::unique_ptr<QProgressDialog> progress_;
    bool busy_ = false;
    bool ended_ = false;
    // Since pending events last ran, while busy: they run at most once a frame then.
    QElapsedTimer sinceEventsRan_;
};

} // namespace tavlo
