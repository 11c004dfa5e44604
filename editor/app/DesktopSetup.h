// What the editor sets once for the whole application before its first
// window: accessible interfaces of its own, no icons on dialog buttons (the
// desktop's style puts them on some boxes' buttons and not others), the menu
// the menu bar's keyboard is on drawn highlighted, and Qt's
// own texts (file dialogs, message box buttons) in the user's language.
#pragma once

#include <QLocale>

namespace mirtala::app {

void SetUpDesktop();

// Loads and installs the translation of Qt's own texts for `locale` in place
// of the one installed before; false when there is none (the translations
// are not installed), and Qt speaks English. The program's own
// texts stay as they are.
bool InstallQtTranslation(const QLocale& locale);

}  // namespace mirtala::app
