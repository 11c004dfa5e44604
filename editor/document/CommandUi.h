// The state of a menu item or tool button as an update handler sets it:
// enabled and text. A QAction is driven from it with ApplyTo.
#pragma once

#include <QAction>
#include <QString>

namespace mirtala {

struct CCmdUI {
    bool enabled = false;
    QString text;  // a tab separates the shortcut shown in a menu

    void Enable(bool on) { enabled = on; }
    void SetText(const QString& value) { text = value; }
    void ApplyTo(QAction& action) const {
        action.setEnabled(enabled);
        action.setText(text);
    }
};

}  // namespace mirtala
