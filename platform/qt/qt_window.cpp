#include "platform/qt/qt_window.h"

#include "platform/form_layout.h"
#include "platform/qt/qt_italian.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractListModel>
#include <QListView>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace tavlo {
namespace {

QString fromSystem(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string toSystem(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A push button whose caption wraps onto several lines, as the long captions need.
class WrappingButton final : public QPushButton {
public:
    WrappingButton(const QString& caption, QWidget* parent) : QPushButton(parent), label_(new QLabel(caption, this))
    {
        label_->setWordWrap(true);
        label_->setAlignment(Qt::AlignCenter);
        label_->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(2, 0, 2, 0);
        layout->addWidget(label_);
        setAccessibleName(caption);
    }
    QString caption() const { return label_->text(); }
    QLabel* label() const { return label_; }

private:
    QLabel* label_;
};

// The toolkit's own file dialog. Its folder mode lets no file be chosen, so the folder
// picker lists files as the file picker does, and confirming a folder there takes the
// folder where the toolkit would enter it.
class PickerDialog final : public QFileDialog {
public:
    PickerDialog(QWidget* parent, const QString& title, const QString& folder, bool folderMayBeChosen)
        : QFileDialog(parent, title, folder), folderMayBeChosen_(folderMayBeChosen)
    {
    }

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (folderMayBeChosen_ && chosen.size() == 1 && QFileInfo(chosen.first()).isDir())
            QDialog::accept();
        else
            QFileDialog::accept();
    }

private:
    bool folderMayBeChosen_;
};

// "MS Sans Serif" is drawn in Liberation Sans, Arial's metric twin, which is as
// narrow as the face the layout was drawn for; "Arial" is Arial or its twin.
QFont fontFor(FontFace face)
{
    QFont font = QApplication::font();  // the desktop's sans-serif UI font, where neither is there
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), font.family()});
    font.setPointSizeF(8.25);  // the window's regular size
    switch (face) {
    case FontFace::Regular: break;
    case FontFace::SansBold825: font.setBold(true); break;
    case FontFace::Sans975: font.setPointSizeF(9.75); break;
    case FontFace::SansBold135: font.setPointSizeF(13.5), font.setBold(true); break;
    case FontFace::ArialBold975:
        font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
        font.setPointSizeF(9.75);
        font.setBold(true);
        break;
    }
    return font;
}

// A one-line caption wider than its control in its face is drawn in the narrow face
// of the same family, so that it shows whole at the design size.
void narrowWhereCut(QWidget* control, const QString& caption)
{
    int room = control->width();
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        const QStyle* style = box->style();
        room -= style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
    } else if (!qobject_cast<QLabel*>(control)) {
        return;
    }
    if (QFontMetrics(control->font()).horizontalAdvance(caption) <= room)
        return;
    QFont narrow = control->font();
    narrow.setFamilies({QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow")});
    narrow.setStretch(QFont::SemiCondensed);  // where neither narrow face is there
    control->setFont(narrow);
}

void applyColours(QWidget* widget, ColourScheme scheme)
{
    QPalette palette = widget->palette();
    switch (scheme) {
    case ColourScheme::Default: return;
    case ColourScheme::LightYellowBackground: palette.setColor(QPalette::Base, QColor(255, 255, 128)); break;
    case ColourScheme::LightBlueOpaque:
        palette.setColor(QPalette::WindowText, QColor(128, 128, 255));
        widget->setAutoFillBackground(true);
        break;
    case ColourScheme::Transparent: widget->setAttribute(Qt::WA_TranslucentBackground); break;
    }
    widget->setPalette(palette);
}

} // namespace

// The rows of List1 for its view. Entries added while the system is busy reach the
// view in batches (see announce), so that a scan adding thousands of entries a second
// does not lay the list out anew for every one of them.
class EntryListModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    const EntryStore& store() const { return store_; }
    void append(std::string_view entry) { store_.append(entry); }

    /// Tells the view of the entries added since it last heard.
    void announce()
    {
        const long total = store_.size();
        if (total <= shown_)
            return;
        beginInsertRows({}, static_cast<int>(shown_), static_cast<int>(total - 1));
        shown_ = total;
        endInsertRows();
    }

    void remove(long index)
    {
        announce();
        beginRemoveRows({}, static_cast<int>(index), static_cast<int>(index));
        store_.remove(index);
        --shown_;
        endRemoveRows();
    }

    void clear()
    {
        beginResetModel();
        store_.clear();
        shown_ = 0;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : static_cast<int>(shown_); }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= shown_ || role != Qt::DisplayRole)
            return {};
        return fromSystem(store_.at(index.row()));
    }

private:
    EntryStore store_;
    long shown_ = 0;  // the rows the view knows of
};

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
        QWidget* w = nullptr;
        const QString caption = fromSystem(design.designText);
        switch (design.kind) {
        case ControlKind::TextBox: w = new QLineEdit(caption, this); break;
        case ControlKind::ListBox: {
            list_ = new QListView(this);
            entries_ = new EntryListModel(list_);
            list_->setModel(entries_);
            list_->setSelectionMode(QAbstractItemView::SingleSelection);
            list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
            list_->setUniformItemSizes(true);
            w = list_;
            break;
        }
        case ControlKind::Button: {
            auto* button = new WrappingButton(caption, this);
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, id = design.id] {
                if (onClick)
                    onClick(id);
            });
            w = button;
            break;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(caption, this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            w = label;
            break;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(caption, this);
            connect(box, &QCheckBox::clicked, this, [this, id = design.id] {
                if (onClick)
                    onClick(id);
            });
            w = box;
            break;
        }
        case ControlKind::Picker: continue;  // the picker takes no part in the layout
        }
        w->setObjectName(QString::fromLatin1(design.name.data(), static_cast<qsizetype>(design.name.size())));
        w->setGeometry(pixels(design.left), pixels(design.top), pixels(design.width), pixels(design.height));
        w->setFont(fontFor(design.font));
        narrowWhereCut(w, caption);
        applyColours(w, design.colours);
        if (auto* button = dynamic_cast<WrappingButton*>(w))
            button->label()->setFont(w->font());
        if (design.kind == ControlKind::Label)
            w->setFocusPolicy(Qt::NoFocus);
        else
            focusOrder.push_back(w);
        widgets_[design.id] = w;
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

int QtWindow::msgBox(std::string_view prompt, int buttons)
{
    entries_->announce();  // the box lets the window draw again
    // Shown before the window itself at start-up: then it has no parent.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("TAVLO"),
                    fromSystem(prompt).replace(QLatin1Char('\r'), QLatin1Char('\n')), QMessageBox::NoButton,
                    QWidget::isVisible() ? this : nullptr);
    setItalianButtons(box, buttons == kYesNo);
    box.setObjectName(QStringLiteral("TavloMessageBox"));
    box.setProperty("buttonsValue", buttons);
    const int answer = box.exec();
    if (answer == QMessageBox::Yes)
        return kAnswerYes;
    if (answer == QMessageBox::No)
        return kAnswerNo;
    return kAnswerOk;
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
    // Our own toolkit's dialog, not the desktop's, so that it behaves the same everywhere.
    PickerDialog dialog(this, fromSystem(request.title), fromSystem(request.startFolder), request.folderMayBeChosen);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setObjectName(QStringLiteral("TavloPicker"));
    // "*.*" means every file, as it does where the picker comes from.
    QStringList filters;
    for (const std::string& pattern : {request.firstPattern, request.secondPattern}) {
        const QString filter = pattern == "*.*" ? QStringLiteral("*") : fromSystem(pattern);
        if (!filters.contains(filter))
            filters << filter;
    }
    dialog.setNameFilters(filters);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::string();
    QString chosen = dialog.selectedFiles().first();
    // A chosen folder ends in the separator, so that the folder part is the folder itself.
    if (QFileInfo(chosen).isDir() && !chosen.endsWith(QLatin1Char('/')))
        chosen += QLatin1Char('/');
    return toSystem(chosen);
}

void QtWindow::openPage(const OpenRequest& request)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(fromSystem(request.documentPath)));
}

bool QtWindow::showProgress(std::string_view text, std::string_view cancelCaption)
{
    if (progress_ == nullptr) {
        // Modal to the window, but not run modally: the work goes on while it shows.
        progress_ = new QProgressDialog(this);
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

void QtWindow::closeProgress()
{
    delete progress_;
    progress_ = nullptr;
}

void QtWindow::closeEvent(QCloseEvent* event)
{
    if (onClose)
        onClose();
    event->accept();
}

} // namespace tavlo
