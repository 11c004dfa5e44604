// Choosing the window a box belongs to.
#include "editor/document/DialogOwner.h"

#include <QApplication>
#include <QMainWindow>
#include <QWidget>

namespace mirtala {

QWidget* DialogOwner(QWidget* requested) {
    if (requested) return requested->window();
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    // No window of ours has the focus (a close request to a window in the
    // background, or no window manager): the main window stands for the program.
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(top) && top->isVisible()) return top;
    return nullptr;
}

}  // namespace mirtala
