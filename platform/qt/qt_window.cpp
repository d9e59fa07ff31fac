#include "platform/qt/qt_window.h"

#include "platform/form_layout.h"
#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_entry_list_model.h"
#include "platform/qt/qt_italian.h"
#include "platform/qt/qt_picker.h"
#include "platform/qt/qt_text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScreen>
#include <QUrl>

namespace tavlo {

QtWindow::QtWindow()
{
    build();
}

QtWindow::~QtWindow() = default;

int QtWindow::pixels(int twips) const
{
    // 15 twips to a pixel at 96 dpi, scaled with the desktop's scale factor.
    return qRound(twips / twipsPerPixelX());
}

void QtWindow::build()
{
    const FormDesign& form = formDesign();
    setWindowTitle(fromSystem(form.caption));
    setFixedSize(pixels(form.clientWidth), pixels(form.clientHeight));
    move(pixels(form.left), pixels(form.top));

    std::vector<QWidget*> focusOrder;
    for (const ControlDesign& design : controlDesigns()) {
        if (design.kind == ControlKind::Picker)
            continue;  // the picker takes no part in the layout
        QWidget* control = makeControl(design, this, twipsPerPixelX());
        connectClick(control, design.id);
        if (auto* list = qobject_cast<QListView*>(control))
            adoptList(list);
        if (design.kind != ControlKind::Label)
            focusOrder.push_back(control);
        widgets_[design.id] = control;
    }
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1], focusOrder[i]);

    // Labels lie underneath every other control; the credit's top text lies right
    // above its shadow, and Command4 on top of Command1, which it overlaps.
    for (const ControlDesign& design : controlDesigns())
        if (design.kind == ControlKind::Label)
            widgets_[design.id]->lower();
    widgets_[ControlId::Label6_5]->stackUnder(widgets_[ControlId::txtPATH_RICERCA]);
    widgets_[ControlId::Label6_4]->stackUnder(widgets_[ControlId::Label6_5]);
    widgets_[ControlId::Command4]->raise();
    widgets_[ControlId::txtPATH_RICERCA]->setFocus();
}

void QtWindow::connectClick(QWidget* control, ControlId id)
{
    // Push buttons and check boxes alike.
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            if (onClick)
                onClick(id);
        });
}

void QtWindow::adoptList(QListView* list)
{
    list_ = list;
    entries_ = new EntryListModel(list_);
    list_->setModel(entries_);
}

QWidget* QtWindow::widget(ControlId id) const
{
    const auto found = widgets_.find(id);
    return found == widgets_.end() ? nullptr : found->second;
}

std::string QtWindow::text(ControlId id) const
{
    QWidget* w = widget(id);
    QString shown;
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        shown = edit->text();
    else if (auto* button = dynamic_cast<WrappingButton*>(w))
        shown = button->caption();
    else if (auto* label = qobject_cast<QLabel*>(w))
        shown = label->text();
    else if (auto* box = qobject_cast<QCheckBox*>(w))
        shown = box->text();
    // A text the system set and the user has not changed since keeps its exact bytes.
    if (const auto set = setTexts_.find(id); set != setTexts_.end() && fromSystem(set->second) == shown)
        return set->second;
    return toSystem(shown);
}

void QtWindow::setText(ControlId id, std::string_view text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget(id))) {
        setTexts_[id] = std::string(text);
        edit->setText(fromSystem(text));
    }
}

bool QtWindow::isEnabled(ControlId id) const
{
    QWidget* w = widget(id);
    return w != nullptr && w->isEnabled();
}

void QtWindow::setEnabled(ControlId id, bool enabled)
{
    if (QWidget* w = widget(id))
        w->setEnabled(enabled);
}

bool QtWindow::isVisible(ControlId id) const
{
    QWidget* w = widget(id);
    return w != nullptr && !w->isHidden();
}

void QtWindow::setVisible(ControlId id, bool visible)
{
    if (QWidget* w = widget(id))
        w->setVisible(visible);
}

int QtWindow::checkValue(ControlId id) const
{
    const auto* box = qobject_cast<QCheckBox*>(widget(id));
    return box != nullptr && box->isChecked() ? 1 : 0;
}

void QtWindow::listAdd(std::string_view entry)
{
    entries_->append(entry);
    if (!busy_)
        entries_->announce();
}

long QtWindow::listCount() const { return entries_->store().size(); }

std::string QtWindow::listItem(long index) const { return std::string(entries_->store().at(index)); }

long QtWindow::listIndex() const
{
    entries_->announce();
    const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : static_cast<long>(selected.first().row());
}

void QtWindow::listRemove(long index)
{
    if (index < 0 || index >= listCount())
        return;
    entries_->remove(index);
    // Removing an entry leaves none selected, so a second delete asks for a selection.
    list_->clearSelection();
    list_->setCurrentIndex(QModelIndex());
}

void QtWindow::listClear() { entries_->clear(); }

Answer QtWindow::msgBox(MessageKind, std::string_view prompt, Buttons buttons)
{
    entries_->announce();  // the box lets the window draw again
    // Shown before the window itself at start-up: then it has no parent.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("TAVLO"),
                    fromSystem(prompt).replace(QLatin1Char('\r'), QLatin1Char('\n')), QMessageBox::NoButton,
                    QWidget::isVisible() ? this : nullptr);
    setItalianButtons(box, buttons == Buttons::YesNo);
    box.setObjectName(QStringLiteral("TavloMessageBox"));
    const int answer = box.exec();
    if (answer == QMessageBox::Yes)
        return Answer::Yes;
    if (answer == QMessageBox::No)
        return Answer::No;
    return Answer::Ok;
}

void QtWindow::showWindow()
{
    show();
    widget(ControlId::txtPATH_RICERCA)->setFocus();
}

int QtWindow::runEventLoop() { return QApplication::exec(); }

void QtWindow::beep() { QApplication::beep(); }

void QtWindow::setScreenPointer(int pointer)
{
    const bool busy = pointer == kPointerHourglass;
    if (busy == busy_)
        return;
    busy_ = busy;
    if (!busy)
        entries_->announce();
    sinceEventsRan_.invalidate();  // the first yield of a busy spell lets events run at once
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtWindow::doEvents()
{
    // A scan yields after every entry it adds, thousands of times a second. While it is
    // busy, pending events run at most once a frame: the list still grows on screen and
    // a click still lands at once to the eye, but the whole list is not laid out and
    // painted again for every single entry.
    constexpr qint64 kFrameMilliseconds = 16;
    if (busy_ && sinceEventsRan_.isValid() && sinceEventsRan_.elapsed() < kFrameMilliseconds)
        return;
    entries_->announce();
    QCoreApplication::processEvents();
    sinceEventsRan_.start();
}

void QtWindow::endProgram()
{
    if (ended_)
        return;
    ended_ = true;
    setScreenPointer(kPointerDefault);
    hide();
    QCoreApplication::quit();
}

double QtWindow::twipsPerPixelX() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

double QtWindow::screenWidthTwips() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().width() * twipsPerPixelX() : 0;
}

std::optional<std::string> QtWindow::showPicker(const PickerRequest& request)
{
    return showPickerDialog(this, request);
}

void QtWindow::openPage(const OpenRequest& request)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(fromSystem(request.documentPath)));
}

bool QtWindow::showProgress(std::string_view text, std::string_view cancelCaption)
{
    if (progress_ == nullptr) {
        // Modal to the window, but not run modally: the work goes on while it shows.
        progress_ = std::make_unique<QProgressDialog>(this);
        progress_->setObjectName(QStringLiteral("TavloProgress"));
        progress_->setWindowTitle(QStringLiteral("TAVLO"));
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setRange(0, 0);
        progress_->setMinimumDuration(0);
        progress_->setAutoReset(false);
        progress_->setAutoClose(false);
        progress_->show();
    }
    progress_->setLabelText(fromSystem(text));
    progress_->setCancelButtonText(fromSystem(cancelCaption));
    QCoreApplication::processEvents();
    return progress_ != nullptr && progress_->wasCanceled();
}

void QtWindow::closeProgress() { progress_.reset(); }

void QtWindow::closeEvent(QCloseEvent* event)
{
    if (onClose)
        onClose();
    event->accept();
}

} // namespace tavlo
