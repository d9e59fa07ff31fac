#pragma once
// The widgets of frmTAVLO's controls, each made from its row of the design table.

#include "platform/form_layout.h"

#include <QLabel>
#include <QPushButton>

namespace tavlo {

/// A push button whose caption wraps onto several lines, as the long captions need.
class WrappingButton final : public QPushButton {
public:
    WrappingButton(const QString& caption, QWidget* parent);
    QString caption() const { return label_->text(); }
    QLabel* label() const { return label_; }

private:
    QLabel* label_;
};

/// The control's widget in `parent`, at its place and size (`twipsPerPixel` on this
/// screen), in its face and colours, its design text shown. The list box is a view
/// without a model yet.
QWidget* makeControl(const ControlDesign& design, QWidget* parent, double twipsPerPixel);

} // namespace tavlo
