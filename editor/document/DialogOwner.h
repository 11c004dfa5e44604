// The window a message box or file dialog belongs to when its caller named
// none. A box that belongs to no window is a top-level window of its own: the
// window manager may stack it behind the main window or leave the focus
// elsewhere, and while it is up (unseen) every other window of the program is
// blocked, so a click on the main window's close box seems to do nothing.
#pragma once

class QWidget;

namespace mirtala {

// `requested` when given; else the modal dialog that is up, the active window,
// or the program's main window, in that order; null when there is no window.
QWidget* DialogOwner(QWidget* requested);

}  // namespace mirtala
