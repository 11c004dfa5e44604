// The User Guide command.
#include "editor/app/UserGuide.h"

#include "editor/app/MirtalaApp.h"
#include "editor/document/MessageService.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace mirtala::app {

int OpenUserGuide(const QString& helpFile) {
    const QFileInfo file(helpFile);
    if (!file.absoluteDir().exists()) return kGuidePathNotFound;
    if (!file.isFile()) return kGuideFileNotFound;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath())) ? 33 : kGuideNoApplication;
}

void ShowUserGuide(const QString& helpFile, QWidget* owner) {
    const int result = OpenUserGuide(helpFile);
    if (result > 32) return;
    QApplication::beep();
    ShowMessage({kAppTitle, QStringLiteral("Unable to view the user guide [error code %1]").arg(result),
                 MessageIcon::Warning, MessageButtons::Ok, owner});
}

}  // namespace mirtala::app
