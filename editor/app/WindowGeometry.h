// The main window's size, position and maximised state, kept in the settings
// beside the recent files and brought back inside the screen it opens on.
#pragma once

#include <QRect>

class QMainWindow;

namespace mirtala::app {

// `saved` moved and shrunk to lie inside `available` (a screen's available
// area); an empty `saved` gives the first window's size, centred.
QRect ClampToScreen(const QRect& saved, const QRect& available);

// Shows the window as it was left (or at its first size), inside its screen.
void ShowWithSavedGeometry(QMainWindow& window);
void SaveGeometry(const QMainWindow& window);

}  // namespace mirtala::app
