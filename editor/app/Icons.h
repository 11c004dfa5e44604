// The program's icon and toolbar images, drawn by the program itself so they
// look the same on every desktop and stay sharp at every pixel ratio.
#pragma once

#include <QIcon>

namespace mirtala::app {

QIcon ProgramIcon();
QIcon DocumentIcon();
// The toolbar image of a command; a null icon for commands without one.
QIcon CommandIcon(int command);

}  // namespace mirtala::app
