// The editor's start and end around the event loop.
#include "editor/app/EditorMain.h"

#include "editor/app/MainFrame.h"
#include "editor/app/MirtalaApp.h"
#include "editor/app/SingleInstance.h"

#include <QApplication>
#include <QMdiArea>
#include <QTimer>

#include <iostream>

namespace mirtala {

namespace {

// Saves the main window to `path` once the event loop has laid it out, then quits.
void ScheduleScreenshot(app::CMainFrame* frame, const QString& path) {
    QTimer::singleShot(800, frame, [frame, path] {
        const bool saved = frame->grab().save(path);
        std::cerr << (saved ? "Saved " : "Could not save ") << path.toStdString() << "\n";
        QApplication::exit(saved ? 0 : 1);
    });
}

}  // namespace

int RunEditor(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(app::kAppTitle);
    QApplication::setOrganizationName(app::kCompanyKey);
    QStringList files;
    QString screenshot;
    const QStringList arguments = QApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--screenshot") && i + 1 < arguments.size())
            screenshot = arguments[++i];
        else if (arguments[i].startsWith(QLatin1String("--screenshot=")))
            screenshot = arguments[i].section('=', 1);
        else if (!arguments[i].startsWith('-'))
            files << arguments[i];
    }

    app::SingleInstance instance;
    if (screenshot.isEmpty() && instance.HandOff(files)) return 0;

    app::CMirtalaApp theApp(QApplication::applicationFilePath());
    if (!theApp.InitInstance(files)) return 1;
    if (screenshot.isEmpty()) {
        instance.Listen([&theApp](const QStringList& handed) {
            if (handed.isEmpty()) theApp.OnFileNew();
            for (const QString& file : handed) theApp.OpenDocumentFile(file);
            app::CMainFrame* frame = theApp.MainFrame();
            frame->showNormal();
            frame->raise();
            frame->activateWindow();
        });
    } else {
        ScheduleScreenshot(theApp.MainFrame(), screenshot);
    }
    const int status = QApplication::exec();
    const int exitStatus = theApp.ExitInstance();
    return status != 0 ? status : exitStatus;
}

}  // namespace mirtala
