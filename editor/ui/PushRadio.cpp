// The push-like radio button's look.
#include "editor/ui/PushRadio.h"

namespace mirtala::ui {

CPushRadio::CPushRadio(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setCheckable(true);
    setFlat(true);
    setAutoDefault(false);
    setFocusPolicy(Qt::TabFocus);
    setStyleSheet(
        QStringLiteral("QPushButton { border: 1px solid palette(mid); padding: 0; }"
                       "QPushButton:checked { background: palette(highlight); color: palette(highlighted-text); }"));
}

}  // namespace mirtala::ui
