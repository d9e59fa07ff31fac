// Every caption of the window shows whole in its control at the design size: a
// label's line within its width, a button's wrapped lines within its face, a
// check box's text beside its mark.
#include "platform/form_layout.h"
#include "platform/qt/qt_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace tavlo::test {
namespace {

// The room a caption needs in its control, with the control's own font.
QSize neededFor(QWidget* control)
{
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        auto* face = button->findChild<QLabel*>();  // the wrapped caption drawn on the button
        return {face->minimumSizeHint().width(), face->heightForWidth(face->width())};
    }
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        const int mark = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                         box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
        return box->fontMetrics().size(Qt::TextSingleLine, box->text()) + QSize(mark, 0);
    }
    auto* label = qobject_cast<QLabel*>(control);
    return label->fontMetrics().size(Qt::TextSingleLine, label->text());
}

QSize roomIn(QWidget* control)
{
    if (auto* button = qobject_cast<QPushButton*>(control))
        return button->findChild<QLabel*>()->size();
    return control->size();
}

TEST(CaptionFit, EveryCaptionShowsWholeInItsControl)
{
    QtWindow window;
    window.show();  // lays out the buttons' faces
    for (const ControlDesign& design : controlDesigns()) {
        if (design.designText.empty() || design.kind == ControlKind::TextBox || design.kind == ControlKind::Picker)
            continue;
        QWidget* control = window.widget(design.id);
        const QSize needed = neededFor(control), room = roomIn(control);
        EXPECT_TRUE(needed.width() <= room.width() && needed.height() <= room.height())
            << design.name << " needs " << needed.width() << "x" << needed.height() << " px, has " << room.width()
            << "x" << room.height();
    }
}

} // namespace
} // namespace tavlo::test
