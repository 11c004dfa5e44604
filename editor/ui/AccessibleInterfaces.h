// Accessible interfaces of our own where Qt's tell assistive tools the wrong
// thing: a combo box is named by its label and gives its current text as its
// value (Qt on this desktop names it by its text), and a push-like radio
// button is a radio button with a checked state, not a check box.
#pragma once

class QWidget;

namespace mirtala::ui {

// Installs the factory of these interfaces; once is enough, later calls do
// nothing. Needs the application object.
void InstallAccessibleInterfaces();

// The label that names a control it is not the buddy of (the second combo
// of a row that one label names); assistive tools get it as a label relation.
void SetAccessibleLabel(QWidget* control, QWidget* label);

}  // namespace mirtala::ui
