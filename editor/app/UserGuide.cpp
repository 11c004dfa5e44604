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

QString FindHelpFile(const QString& startFolder, const QString& installedGuide) {
    QString folder = startFolder;
    if (!folder.endsWith('/')) folder += '/';
    const QString started = folder + QStringLiteral("Help/Mirtala.htm");
    if (QFileInfo(started).isFile() || installedGuide.isEmpty() || !QFileInfo(installedGuide).isFile()) return started;
    return QFileInfo(installedGuide).absoluteFilePath();
}

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
    ShowMessage({kAppTitle,
                 QStringLiteral("Unable to view the user guide [error code %1]\n%2")
                     .arg(result)
                     .arg(QDir::toNativeSeparators(QFileInfo(helpFile).absoluteFilePath())),
                 MessageIcon::Warning, MessageButtons::Ok, owner});
}

}  // namespace mirtala::app
