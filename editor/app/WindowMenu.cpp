// Filling and choosing from the Window menu's window list.
#include "editor/app/WindowMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

#include <algorithm>

namespace mirtala::app {

namespace {

// Marks the actions of the list, the separator before it included.
const char* const kListProperty = "mirtalaWindowList";

}  // namespace

QList<QAction*> WindowListActions(const QMenu& menu) {
    QList<QAction*> entries;
    for (QAction* action : menu.actions())
        if (action->property(kListProperty).toBool() && !action->isSeparator()) entries << action;
    return entries;
}

void FillWindowList(QMenu& menu, QMdiArea& area) {
    for (QAction* action : menu.actions())
        if (action->property(kListProperty).toBool()) {
            menu.removeAction(action);
            action->deleteLater();  // may be the one being chosen
        }
    const QList<QMdiSubWindow*> windows = area.subWindowList();
    if (windows.isEmpty()) return;
    QAction* separator = menu.addSeparator();
    separator->setProperty(kListProperty, true);
    auto* group = new QActionGroup(separator);  // goes with the list
    QMdiSubWindow* active = area.activeSubWindow() ? area.activeSubWindow() : area.currentSubWindow();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        // Numbers from 1 are the mnemonics; a title's own '&' stays a character.
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title), &menu);
        action->setProperty(kListProperty, true);
        action->setStatusTip(QStringLiteral("Activate this window"));
        action->setCheckable(true);
        action->setChecked(window == active);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, &area, [areaPtr = &area, target = QPointer(window)] {
            if (!target) return;
            if (target->isMinimized()) target->showNormal();
            areaPtr->setActiveSubWindow(target);
        });
        menu.addAction(action);
    }
}

void TileWindows(QMdiArea& area) {
    const QRect bounds = area.viewport()->rect();
    int x = 0, y = 0, rowHeight = 0;
    for (QMdiSubWindow* window : area.subWindowList()) {
        if (window->isMinimized() || window->isHidden()) continue;
        if (window->isMaximized()) window->showNormal();
        const QSize size = window->size();
        if (x > 0 && x + size.width() > bounds.width()) x = 0, y += rowHeight, rowHeight = 0;
        // Past the bottom the windows overlap rather than leave the area.
        const int top = std::max(0, std::min(y, bounds.height() - size.height()));
        window->move(x, top);
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

void AttachWindowList(QMenu& menu, QMdiArea& area) {
    QObject::connect(&menu, &QMenu::aboutToShow, &area, [&menu, &area] { FillWindowList(menu, area); });
    FillWindowList(menu, area);
}

}  // namespace mirtala::app
