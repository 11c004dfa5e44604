// Finding the user guide and opening it with the desktop's viewer, and the
// error codes the program reports when it cannot (as a shell launcher would
// number them).
#pragma once

#include <QString>

class QWidget;

namespace mirtala::app {

inline constexpr int kGuideFileNotFound = 2;
inline constexpr int kGuidePathNotFound = 3;
inline constexpr int kGuideNoApplication = 31;

// The guide: the start folder's Help/Mirtala.htm when it is there, else the
// guide installed with the program (`installedGuide`) when that is there,
// else the start folder's, whose absence the User Guide command reports.
QString FindHelpFile(const QString& startFolder, const QString& installedGuide);
// Asks the desktop to open `helpFile`; above 32 when it did, an error code otherwise.
int OpenUserGuide(const QString& helpFile);
// Opens the guide; on failure beeps and says so with the error code, and the
// guide's path on a second line.
void ShowUserGuide(const QString& helpFile, QWidget* owner);

}  // namespace mirtala::app
