// The editor's start and end around the event loop.
#include "editor/app/EditorMain.h"

#include "editor/app/DesktopSetup.h"
#include "editor/app/MainFrame.h"
#include "editor/app/MirtalaApp.h"
#include "editor/app/SingleInstance.h"
#include "editor/document/PathBytes.h"

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
    app::SetUpDesktop();
    QStringList files;
    QString screenshot;
    // File names from argv as the bytes they are: the toolkit's own decoding would turn
    // a name that is not UTF-8 into replacement characters naming no file. The toolkit
    // has taken its own options out of argv by now.
    for (int i = 1; i < argc; ++i) {
        const QString argument = PathFromBytes(argv[i]);
        if (argument == QLatin1String("--screenshot") && i + 1 < argc)
            screenshot = PathFromBytes(argv[++i]);
        else if (argument.startsWith(QLatin1String("--screenshot=")))
            screenshot = argument.section('=', 1);
        else if (!argument.startsWith('-'))
            files << argument;
    }

    app::SingleInstance instance;
    if (screenshot.isEmpty() && instance.HandOff(files)) return 0;

    app::CMirtalaApp theApp(QApplication::applicationFilePath());
    if (!theApp.InitInstance(files)) return 1;
    if (screenshot.isEmpty()) {
        instance.Listen([&theApp](const QStringList& handed) {
            if (handed.isEmpty()) theApp.DocumentManager().OpenNew();
            app::OpenHandedFiles(handed, [&theApp](const QString& file) { theApp.DocumentManager().OpenFile(file); });
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
