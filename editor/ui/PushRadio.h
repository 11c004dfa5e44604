// CPushRadio: a flat, push-like radio button of a template (the pose
// dialog's slot buttons, the gait dialog's steps). A class of its own so
// that assistive tools are told it is a radio button, not a check box.
#pragma once

#include <QPushButton>

namespace mirtala::ui {

class CPushRadio final : public QPushButton {
    Q_OBJECT
public:
    CPushRadio(const QString& text, QWidget* parent);
};

}  // namespace mirtala::ui
