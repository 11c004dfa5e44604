// The F10 key of the main window's menu bar.
#include "editor/app/MenuBarKey.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>

namespace mirtala::app {

namespace {

// The bar offers no call for its keyboard mode. Opening the first menu and
// leaving it with Escape is what puts it there, that menu highlighted and the
// focus to give back remembered; the menu is never drawn, as both happen
// before any painting. (Alt's own way, a press and release the bar watches
// its window for, does nothing unless the keys were really typed.)
void ToggleMenuBarKeyboard(QMainWindow& window) {
    QMenuBar& bar = *window.menuBar();
    if (QApplication::focusWidget() == &bar) {  // F10 again: as Escape, back to the focus before
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&bar, &escape);
        return;
    }
    const QList<QAction*> menus = bar.actions();
    if (menus.isEmpty() || !menus.front()->menu()) return;
    bar.setActiveAction(menus.front());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(menus.front()->menu(), &escape);
}

}  // namespace

void AddMenuBarKey(QMainWindow& window) {
    auto* key = new QAction(&window);
    key->setShortcut(QKeySequence(Qt::Key_F10));
    key->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(key, &QAction::triggered, &window, [&window] { ToggleMenuBarKeyboard(window); });
    window.addAction(key);
}

}  // namespace mirtala::app
