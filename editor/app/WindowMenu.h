// The Window menu's list of open document windows and its tiling. The list:
// under the fixed items,
// one numbered entry per window in the workspace's order, the active one
// checked; choosing an entry activates that window. Filled each time the
// menu is about to show, so titles and order are always current.
#pragma once

#include <QList>

class QAction;
class QMdiArea;
class QMenu;

namespace mirtala::app {

// Keeps `menu`'s window list in step with `area` from now on.
void AttachWindowList(QMenu& menu, QMdiArea& area);

// Replaces the list under the menu's fixed items with the current windows.
void FillWindowList(QMenu& menu, QMdiArea& area);

// Tile for windows of a fixed size: rows from the top left, a window that
// would cross the right edge starts the next row, and none is pushed past
// the bottom while there is room for it (the workspace's own tiling sizes
// every window to a grid cell, which a fixed-size window cannot take).
void TileWindows(QMdiArea& area);

// The list's entries, in order.
QList<QAction*> WindowListActions(const QMenu& menu);

}  // namespace mirtala::app
