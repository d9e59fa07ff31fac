#include "platform/qt/qt_controls.h"

#include "platform/qt/qt_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QStyle>
#include <QVBoxLayout>

namespace tavlo {
namespace {

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

QWidget* makeWidget(ControlKind kind, const QString& caption, QWidget* parent)
{
    switch (kind) {
    case ControlKind::TextBox: return new QLineEdit(caption, parent);
    case ControlKind::ListBox: {
        auto* list = new QListView(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setUniformItemSizes(true);
        return list;
    }
    case ControlKind::Button: {
        auto* button = new WrappingButton(caption, parent);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFocusPolicy(Qt::NoFocus);
        return label;
    }
    case ControlKind::CheckBox: return new QCheckBox(caption, parent);
    case ControlKind::Picker: break;
    }
    return nullptr;
}

} // namespace

WrappingButton::WrappingButton(const QString& caption, QWidget* parent)
    : QPushButton(parent), label_(new QLabel(caption, this))
{
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignCenter);
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->addWidget(label_);
    setAccessibleName(caption);
}

QWidget* makeControl(const ControlDesign& design, QWidget* parent, double twipsPerPixel)
{
    const QString caption = fromSystem(design.designText);
    QWidget* control = makeWidget(design.kind, caption, parent);
    if (control == nullptr)
        return nullptr;
    const auto pixels = [twipsPerPixel](int twips) { return qRound(twips / twipsPerPixel); };
    control->setObjectName(QString::fromLatin1(design.name.data(), static_cast<qsizetype>(design.name.size())));
    control->setGeometry(pixels(design.left), pixels(design.top), pixels(design.width), pixels(design.height));
    control->setFont(fontFor(design.font));
    narrowWhereCut(control, caption);
    applyColours(control, design.colours);
    if (auto* button = dynamic_cast<WrappingButton*>(control))
        button->label()->setFont(control->font());
    return control;
}

} // namespace tavlo
