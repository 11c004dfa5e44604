// F10: the menu bar takes the keyboard, as with Alt pressed and released alone.
#pragma once

class QMainWindow;

namespace mirtala::app {

// Gives `window` an F10 key that highlights its menu bar's first menu and
// hands the bar the keyboard (arrows move, Enter or Down opens, Escape gives
// the keyboard back); F10 again leaves the bar. It works while the window is
// active, so a modal dialog keeps the key.
void AddMenuBarKey(QMainWindow& window);

}  // namespace mirtala::app
