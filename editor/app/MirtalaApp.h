// CMirtalaApp: the editor's application object. It starts the editor (the
// settings, the name file, the main window, the documents named on the
// command line, the help paths) and saves the name file at exit; the open
// documents are its document manager's, the recent files their own list's.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "editor/app/DocumentManager.h"
#include "editor/app/InstallPaths.h"
#include "editor/app/RecentFileList.h"
#include "editor/document/GeneDialog.h"

#include <memory>
#include <optional>
#include <vector>

namespace mirtala {
class CMirtalaDoc;
}

namespace mirtala::ui {
class CEditorDialogFactory;
}

namespace mirtala::app {

class CMainFrame;

inline const QString kCompanyKey = QStringLiteral("Vantrelle Technology");
inline const QString kAppTitle = QStringLiteral("Mirtala");

class CMirtalaApp : public QObject {
    Q_OBJECT
public:
    // `programPath`: the program file, whose folder holds the default name file.
    explicit CMirtalaApp(QString programPath);
    ~CMirtalaApp() override;
    static CMirtalaApp* Instance();

    // Start-up: false when the main window cannot be created or no document opens.
    bool InitInstance(const QStringList& files);
    // Exit processing: settings and the name file. Returns the exit status.
    int ExitInstance();

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    const QString& NameFile() const { return m_strNameFile; }
    const QString& HelpDirectory() const { return m_helpDirectory; }
    const QString& HelpFile() const { return m_helpFile; }
    // The user's data folder's posegait.txt for an installed program;
    // otherwise the program folder's, or the data folder's when the program
    // folder cannot be written.
    static QString DefaultNameFile(const QString& programPath);
    // Where the program's own files are (module, demo creature, guide, names).
    const InstallPaths& Paths() const { return m_paths; }

    // The open documents and their windows; the recent files.
    CDocumentManager& DocumentManager() { return m_documentManager; }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    // Before InitInstance: where recovery copies go and how often (tests use short ones).
    void SetRecovery(QString folder, int intervalMs);

    void OnImportPoseNames();
    void OnAppAbout();

private:
    QString m_programPath;
    InstallPaths m_paths;
    QString m_strNameFile;
    QString m_helpDirectory;
    QString m_helpFile;
    CRecentFileList m_recentFiles;
    CDocumentManager m_documentManager{m_recentFiles};
    std::unique_ptr<CMainFrame> m_mainFrame;
    QString m_recoveryFolder;
    int m_recoveryIntervalMs = 60000;
    std::unique_ptr<class CRecovery> m_recovery;
    // The pose and gait dialogs open as windows of the main frame.
    std::unique_ptr<ui::CEditorDialogFactory> m_dialogFactory;
    std::optional<ScopedDialogFactory> m_useDialogFactory;
};

}  // namespace mirtala::app
