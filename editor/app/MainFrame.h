// CMainFrame: the main window. A workspace of document windows, the menu bar
// (one menu without documents, another while a genome window is active), the
// toolbar, the status bar with its lock indicators, and the routing of every
// command to the application, the active document or the active view.
#pragma once

#include <QMainWindow>

#include <map>

class QDockWidget;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;
class QUndoGroup;
class QUndoView;

namespace mirtala {
class CMirtalaDoc;
}
namespace mirtala::ui {
class CLargePreview;
class CMirtalaView;
}  // namespace mirtala::ui

namespace mirtala::app {

class CChildFrame;
class CMirtalaApp;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CMirtalaApp& app);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return m_mdiArea; }
    void AddChild(CChildFrame* frame);
    CChildFrame* ActiveChild() const;
    ui::CMirtalaView* ActiveView() const;
    CMirtalaDoc* ActiveDocument() const;

    // The action of a command identifier (menu item, toolbar button, accelerator).
    QAction* Action(int id) const;
    // The genome menu while a genome window is active, the no-document menu otherwise.
    bool ShowsDocumentMenu() const { return m_documentMenu; }
    // Enables and names every command for the current state.
    void UpdateCommandUi();
    // Runs a command as its menu item would.
    void OnCommand(int id);
    void ShowPoseSheet(CMirtalaDoc& doc);
    // View › Large Preview: the one preview window, on this dialog if given.
    ui::CLargePreview& LargePreview() const { return *m_largePreview; }
    void ShowLargePreview(QWidget* dialog = nullptr);
    // Edit › Check Genome: the document's check window, raised when it is open already.
    void ShowCheckGenome(CMirtalaDoc& doc);
    static int PoseSheetSizeFactor();
    QToolBar* ToolBar() const { return m_toolBar; }
    // Edit, Undo History: the active document's undo stack in a dock.
    QDockWidget* UndoHistory() const { return m_undoHistory; }
    QUndoView* UndoHistoryView() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QAction* MakeAction(int id, const QString& text, const QString& prompt, const QList<QKeySequence>& keys = {});
    // Gives an action its command id, prompt, icon and shortcuts.
    QAction* AddAction(QAction* action, int id, const QString& prompt, const QList<QKeySequence>& keys = {});
    void CreateActions();
    void CreateUndoHistory();
    void CreateToolBar();
    void CreateStatusBar();
    void RebuildMenus();
    void AddRecentFiles(QMenu* file);
    void OnActiveChildChanged();
    void UpdateLockPanes();
    void ScheduleMessagePane();
    void UpdateMessagePane();
    void ArrangeIcons();

    CMirtalaApp& m_app;
    QMdiArea* m_mdiArea;
    // Follows the active document's undo stack: the Undo and Redo actions and the history view.
    QUndoGroup* m_undoGroup;
    QDockWidget* m_undoHistory = nullptr;
    QToolBar* m_toolBar = nullptr;
    std::map<int, QAction*> m_actions;
    QList<QAction*> m_recentActions;
    QLabel* m_lockPanes[3] = {};
    QLabel* m_readyPane = nullptr;
    bool m_documentMenu = false;
    bool m_messagePending = false;
    int m_lockTimer = 0;
    // Made with the window, so that it knows the last active dialog when opened.
    ui::CLargePreview* m_largePreview;
};

}  // namespace mirtala::app
