// CMirtalaApp: the editor's application object. It starts the editor (the
// settings, the name file, the main window, the documents named on the
// command line, the help paths), keeps the open documents and their windows,
// the recent-file list, and saves the name file at exit.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "editor/app/InstallPaths.h"
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

class CChildFrame;
class CMainFrame;

inline const QString kCompanyKey = QStringLiteral("Vantrelle Technology");
inline const QString kAppTitle = QStringLiteral("Mirtala");
inline constexpr int kRecentFiles = 4;

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

    // Documents and their windows.
    CMirtalaDoc* OnFileNew();
    void OnFileOpen();
    // Opens (or activates, when already open) the genome file; null when it cannot be read.
    CMirtalaDoc* OpenDocumentFile(const QString& path);
    void OnWindowNew();
    // Opens a recovery copy as a modified document with its former path and title.
    CMirtalaDoc* OpenRecoveredDocument(const QString& copy, const QString& originalPath, const QString& title);
    // Before InitInstance: where recovery copies go and how often (tests use short ones).
    void SetRecovery(QString folder, int intervalMs);
    std::vector<CMirtalaDoc*> Documents() const;
    int FramesOf(const CMirtalaDoc& doc) const;
    int FrameNumber(const CChildFrame* frame) const;
    // True when the document may close: asks Yes/No/Cancel when it is modified.
    bool CanCloseDocument(CMirtalaDoc& doc);
    // Asks for every modified document in turn; false when one answer was Cancel.
    bool SaveAllModified();
    void CloseAllDocuments();

    const QStringList& RecentFiles() const { return m_recentFiles; }
    void AddToRecentFileList(const QString& path);
    void OpenRecentFile(int index);

    void OnImportPoseNames();
    void OnAppAbout();

signals:
    void documentsChanged();
    void recentFilesChanged();

private:
    void LoadSettings();
    void SaveRecentFiles();
    CChildFrame* CreateFrame(CMirtalaDoc& doc);
    void UpdateFrameTitles(const CMirtalaDoc& doc);
    CMirtalaDoc* FindDocument(const QString& path) const;

    QString m_programPath;
    InstallPaths m_paths;
    QString m_strNameFile;
    QString m_helpDirectory;
    QString m_helpFile;
    QStringList m_recentFiles;
    int m_untitledCount = 0;
    std::vector<std::unique_ptr<CMirtalaDoc>> m_documents;
    std::vector<CChildFrame*> m_frames;
    std::unique_ptr<CMainFrame> m_mainFrame;
    QString m_recoveryFolder;
    int m_recoveryIntervalMs = 60000;
    std::unique_ptr<class CRecovery> m_recovery;
    // The pose and gait dialogs open as windows of the main frame.
    std::unique_ptr<ui::CEditorDialogFactory> m_dialogFactory;
    std::optional<ScopedDialogFactory> m_useDialogFactory;
};

}  // namespace mirtala::app
