// The main window: actions, menus, toolbar, status bar and command routing.
#include "editor/app/MainFrame.h"

#include "editor/app/ChildFrame.h"
#include "editor/app/CommandIds.h"
#include "editor/app/DocumentManager.h"
#include "editor/app/HostFoldersDlg.h"
#include "editor/app/Icons.h"
#include "editor/app/LockIndicators.h"
#include "editor/app/MenuBarKey.h"
#include "editor/app/MirtalaApp.h"
#include "editor/app/NameImports.h"
#include "editor/app/UserGuide.h"
#include "editor/app/WindowGeometry.h"
#include "editor/app/WindowMenu.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/ui/CZubrelle.h"
#include "editor/ui/CheckGenomeWindow.h"
#include "editor/ui/LargePreview.h"
#include "editor/ui/MirtalaView.h"
#include "editor/ui/PoseSheetFrame.h"
#include "editor/ui/PoseSheetWindow.h"

#include <QAccessible>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFontMetrics>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUndoGroup>
#include <QUndoStack>
#include <QUndoView>
#include <QWindow>

namespace mirtala::app {

namespace {

// A menu text's accessible name: no '&', no accelerator text.
QString PlainText(const QString& text) { return text.section('\t', 0, 0).remove('&'); }

}  // namespace

CMainFrame::CMainFrame(CMirtalaApp& app)
    : m_app(app), m_mdiArea(new QMdiArea(this)), m_undoGroup(new QUndoGroup(this)) {
    setWindowTitle(kAppTitle);
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setAccessibleName(QStringLiteral("Documents"));
    setCentralWidget(m_mdiArea);
    CreateActions();
    AddMenuBarKey(*this);
    CreateToolBar();
    CreateStatusBar();
    CreateUndoHistory();
    RebuildMenus();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnActiveChildChanged);
    connect(&m_app.RecentFiles(), &CRecentFileList::changed, this, &CMainFrame::RebuildMenus);
    connect(&m_app.DocumentManager(), &CDocumentManager::documentsChanged, this, &CMainFrame::OnActiveChildChanged);
    connect(&m_app.DocumentManager(), &CDocumentManager::frameCreated, this, &CMainFrame::AddChild);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::UpdateCommandUi);
    // The message pane names a load error of the active window's pictures:
    // it changes when a picture's error does or another window becomes active.
    connect(&ui::CZubrelle::Events(), &ui::CZubrelleEvents::LoadErrorChanged, this, &CMainFrame::ScheduleMessagePane);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &CMainFrame::ScheduleMessagePane);
    m_largePreview = new ui::CLargePreview(this);
    connect(&ui::CZubrelle::Events(), &ui::CZubrelleEvents::LargePreviewRequested, this,
            [this](ui::CZubrelle* picture) { ShowLargePreview(picture->window()); });
    resize(900, 640);
    UpdateCommandUi();
    m_lockTimer = startTimer(250);
}

CMainFrame::~CMainFrame() {
    // The workspace reports its windows going away while this frame is half destroyed.
    m_mdiArea->disconnect(this);
    m_undoHistory->disconnect(this);
    killTimer(m_lockTimer);
}

QAction* CMainFrame::MakeAction(int id, const QString& text, const QString& prompt, const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, this);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    return AddAction(action, id, prompt, keys);
}

QAction* CMainFrame::AddAction(QAction* action, int id, const QString& prompt, const QList<QKeySequence>& keys) {
    action->setStatusTip(prompt);
    action->setShortcuts(keys);
    action->setIcon(CommandIcon(id));
    action->setData(id);
    addAction(action);  // accelerators work whichever menu is shown
    m_actions[id] = action;
    return action;
}

void CMainFrame::CreateActions() {
    using QK = QKeySequence;
    MakeAction(cmd::FileNew, "&New", "Create a new document", {QK(Qt::CTRL | Qt::Key_N)});
    MakeAction(cmd::FileOpen, "&Open...", "Open an existing document", {QK(Qt::CTRL | Qt::Key_O)});
    MakeAction(cmd::FileClose, "&Close", "Close the active document");
    MakeAction(cmd::FileSave, "&Save", "Save the active document", {QK(Qt::CTRL | Qt::Key_S)});
    MakeAction(cmd::FileSaveAs, "Save &As...", "Save the active document with a new name");
    MakeAction(cmd::ImportPoseNames, "Import &Pose Names...", "Replace the pose names with those of a pose name file");
    MakeAction(cmd::ImportGaitNames, "Import &Gait Names...", "Name the genome's gaits from a genome name file");
    MakeAction(cmd::HostFolders, "&Host Product Folders...",
               "Choose the folders of the host product's body files the pictures are drawn from");
    MakeAction(cmd::AppExit, "E&xit", "Quit the application; prompts to save documents");
    // The active document's undo stack names and enables these; triggering them undoes or redoes.
    AddAction(m_undoGroup->createUndoAction(this, kUndoPrefix), cmd::EditUndo, "Undo the last action",
              {QK(Qt::CTRL | Qt::Key_Z), QK(Qt::ALT | Qt::Key_Backspace)});
    AddAction(m_undoGroup->createRedoAction(this, kRedoPrefix), cmd::EditRedo, "Redo the previously undone action",
              {QK(Qt::CTRL | Qt::Key_Y)});
    MakeAction(cmd::UndoHistory, "Undo &History", "Show or hide the list of changes to the active document")
        ->setCheckable(true);
    MakeAction(cmd::EditCut, "Cu&t", "Cut the selection and put it on the Clipboard",
               {QK(Qt::CTRL | Qt::Key_X), QK(Qt::SHIFT | Qt::Key_Delete)});
    MakeAction(cmd::EditCopy, "&Copy", "Copy the selection and put it on the Clipboard",
               {QK(Qt::CTRL | Qt::Key_C), QK(Qt::CTRL | Qt::Key_Insert)});
    MakeAction(cmd::EditPaste, "&Paste", "Insert Clipboard contents",
               {QK(Qt::CTRL | Qt::Key_V), QK(Qt::SHIFT | Qt::Key_Insert)});
    MakeAction(cmd::EditCheckGenome, "Chec&k Genome", "List the problems of the active document's pose and gait genes");
    MakeAction(cmd::ViewToolbar, "&Toolbar", "Show or hide the toolbar")->setCheckable(true);
    MakeAction(cmd::ViewStatusBar, "&Status Bar", "Show or hide the status bar")->setCheckable(true);
    MakeAction(cmd::ViewPoseSheet, "Pose S&heet", "Show every pose of the active document at every life stage");
    MakeAction(cmd::ViewLargePreview, "Large Pre&view", "Show the picture of the active pose or gait dialog enlarged");
    auto* sizes = new QActionGroup(this);
    for (const auto& [id, text] :
         {std::pair{cmd::ViewSheetSmall, "S&mall Thumbnails"}, std::pair{cmd::ViewSheetMedium, "M&edium Thumbnails"},
          std::pair{cmd::ViewSheetLarge, "&Large Thumbnails"}}) {
        QAction* action = MakeAction(id, QString::fromLatin1(text), "Choose the size of the pose sheet's pictures");
        action->setCheckable(true);
        sizes->addAction(action);
    }
    MakeAction(cmd::WindowNew, "&New Window", "Open another window for the active document");
    MakeAction(cmd::WindowCascade, "&Cascade", "Arrange windows so they overlap");
    MakeAction(cmd::WindowTile, "&Tile", "Arrange windows as non-overlapping tiles");
    MakeAction(cmd::WindowArrange, "&Arrange Icons", "Arrange icons at the bottom of the window");
    MakeAction(cmd::UserGuide, "&User Guide", "Open the user guide", {QK(Qt::Key_F1)});
    MakeAction(cmd::AppAbout, "&About Mirtala...", "Display program information and version");
    MakeAction(cmd::NextPane, "Next Pane", "Switch to the next document window", {QK(Qt::Key_F6)});
    MakeAction(cmd::PrevPane, "Previous Pane", "Switch to the previous document window", {QK(Qt::SHIFT | Qt::Key_F6)});
    for (int i = 0; i < kRecentFiles; ++i) {
        auto* action = new QAction(this);
        action->setStatusTip(QStringLiteral("Open this document"));
        connect(action, &QAction::triggered, this, [this, i] { m_app.DocumentManager().OpenRecentFile(i); });
        m_recentActions << action;
    }
}

void CMainFrame::CreateToolBar() {
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("Standard"));
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    const int buttons[] = {cmd::FileNew,
                           cmd::FileOpen,
                           cmd::FileSave,
                           0,
                           cmd::EditCut,
                           cmd::EditCopy,
                           cmd::EditPaste,
                           0,
                           cmd::EditUndo,
                           cmd::EditRedo,
                           0,
                           cmd::ViewPoseSheet,
                           0,
                           cmd::AppAbout};
    const char* tips[] = {"New", "Open", "Save", "", "Cut",        "Copy", "Paste",
                          "",    "Undo", "Redo", "", "Pose Sheet", "",     "About"};
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        if (!buttons[i]) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = Action(buttons[i]);
        m_toolBar->addAction(action);
        if (QWidget* button = m_toolBar->widgetForAction(action)) {
            button->setToolTip(QString::fromLatin1(tips[i]));
            button->setAccessibleName(PlainText(action->text()));
        }
    }
    connect(m_toolBar, &QToolBar::visibilityChanged, this, &CMainFrame::UpdateCommandUi);
}

void CMainFrame::CreateUndoHistory() {
    // Clicking a row undoes or redoes, one command at a time, to just after that row's change.
    auto* view = new QUndoView(m_undoGroup);
    view->setEmptyLabel(QStringLiteral("<no changes>"));
    view->setCleanIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    view->setAccessibleName(QStringLiteral("Undo History"));
    m_undoHistory = new QDockWidget(QStringLiteral("Undo History"), this);
    m_undoHistory->setObjectName(QStringLiteral("UndoHistory"));
    m_undoHistory->setWidget(view);
    addDockWidget(Qt::RightDockWidgetArea, m_undoHistory);
    m_undoHistory->hide();
    connect(m_undoHistory, &QDockWidget::visibilityChanged, this, &CMainFrame::UpdateCommandUi);
}

QUndoView* CMainFrame::UndoHistoryView() const { return static_cast<QUndoView*>(m_undoHistory->widget()); }

void CMainFrame::CreateStatusBar() {
    m_readyPane = new QLabel(QStringLiteral("Ready"));
    m_readyPane->setAccessibleName(QStringLiteral("Message"));
    statusBar()->addWidget(m_readyPane, 1);
    const char* names[] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel;
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setMinimumWidth(QFontMetrics(pane->font()).horizontalAdvance(QStringLiteral("SCRL")) + 12);
        pane->setAccessibleName(QString::fromLatin1(names[i]));
        statusBar()->addPermanentWidget(pane);
        m_lockPanes[i] = pane;
    }
    UpdateLockPanes();
}

void CMainFrame::UpdateLockPanes() {
    const std::optional<LockState> state = QueryLockState();
    const bool on[] = {state && state->caps, state && state->num, state && state->scroll};
    const char* names[] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        const QString text = on[i] ? QString::fromLatin1(names[i]) : QString();
        if (m_lockPanes[i]->text() != text) m_lockPanes[i]->setText(text);
    }
}

void CMainFrame::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_lockTimer) return;
    UpdateLockPanes();
}

void CMainFrame::ScheduleMessagePane() {
    // Once the events of the moment are through: a window being activated or
    // a picture going away has settled by then.
    if (m_messagePending) return;
    m_messagePending = true;
    QMetaObject::invokeMethod(this, &CMainFrame::UpdateMessagePane, Qt::QueuedConnection);
}

void CMainFrame::UpdateMessagePane() {
    m_messagePending = false;
    // A picture in the active dialog that could not load its body says why here.
    QString text = QStringLiteral("Ready");
    if (QWidget* active = QApplication::activeWindow(); active && active != this)
        for (ui::CZubrelle* picture : active->findChildren<ui::CZubrelle*>())
            if (picture->isVisible() && !picture->LoadError().isEmpty()) {
                text = picture->LoadError();
                break;
            }
    if (m_readyPane->text() != text) m_readyPane->setText(text);
}

QAction* CMainFrame::Action(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::AddRecentFiles(QMenu* file) {
    const QStringList& files = m_app.RecentFiles().Files();
    if (files.isEmpty()) {
        QAction* placeholder = file->addAction(QStringLiteral("Recent File"));
        placeholder->setEnabled(false);
        return;
    }
    const QFontMetrics metrics(font());
    for (int i = 0; i < files.size() && i < m_recentActions.size(); ++i) {
        const QString path = metrics.elidedText(QDir::toNativeSeparators(files[i]), Qt::ElideMiddle,
                                                metrics.horizontalAdvance(QLatin1Char('x')) * 48);
        QAction* action = m_recentActions[i];
        action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        file->addAction(action);
    }
}

void CMainFrame::RebuildMenus() {
    QMenuBar* bar = menuBar();
    // The old menus go, and with them what assistive tools were told of their
    // items: an item's interface is kept per action and would go on reporting
    // the place it had in the menu it was first asked about.
    for (QMenu* menu : bar->findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            if (QAccessibleInterface* item = QAccessible::queryAccessibleInterface(action))
                QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(item));
    for (QMenu* menu : bar->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
        menu->setParent(nullptr);
        menu->deleteLater();  // a command of one of them may be running
    }
    bar->clear();
    const bool doc = m_documentMenu;
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(Action(cmd::FileNew));
    file->addAction(Action(cmd::FileOpen));
    if (doc) {
        file->addAction(Action(cmd::FileClose));
        file->addAction(Action(cmd::FileSave));
        file->addAction(Action(cmd::FileSaveAs));
        file->addSeparator();
        QMenu* names = file->addMenu(QStringLiteral("Na&mes"));
        names->addAction(Action(cmd::ImportPoseNames));
        names->addAction(Action(cmd::ImportGaitNames));
    }
    file->addSeparator();
    file->addAction(Action(cmd::HostFolders));
    file->addSeparator();
    AddRecentFiles(file);
    file->addSeparator();
    file->addAction(Action(cmd::AppExit));
    if (doc) {
        QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
        edit->addAction(Action(cmd::EditUndo));
        edit->addAction(Action(cmd::EditRedo));
        edit->addAction(Action(cmd::UndoHistory));
        edit->addSeparator();
        edit->addAction(Action(cmd::EditCut));
        edit->addAction(Action(cmd::EditCopy));
        edit->addAction(Action(cmd::EditPaste));
        edit->addSeparator();
        edit->addAction(Action(cmd::EditCheckGenome));
    }
    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->addAction(Action(cmd::ViewToolbar));
    view->addAction(Action(cmd::ViewStatusBar));
    if (doc) {
        view->addSeparator();
        view->addAction(Action(cmd::ViewPoseSheet));
        view->addAction(Action(cmd::ViewSheetSmall));
        view->addAction(Action(cmd::ViewSheetMedium));
        view->addAction(Action(cmd::ViewSheetLarge));
        view->addSeparator();
        view->addAction(Action(cmd::ViewLargePreview));
    }
    if (doc) {
        QMenu* window = bar->addMenu(QStringLiteral("&Window"));
        window->addAction(Action(cmd::WindowNew));
        window->addAction(Action(cmd::WindowCascade));
        window->addAction(Action(cmd::WindowTile));
        window->addAction(Action(cmd::WindowArrange));
        AttachWindowList(*window, *m_mdiArea);
    }
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->addAction(Action(cmd::UserGuide));
    help->addAction(Action(cmd::AppAbout));
    for (QMenu* menu : bar->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
}

void CMainFrame::AddChild(CChildFrame* frame) {
    m_mdiArea->addSubWindow(frame);
    CMirtalaDoc& doc = frame->GetDocument();
    m_undoGroup->addStack(doc.UndoStack());
    connect(doc.UndoStack(), &QUndoStack::indexChanged, this, &CMainFrame::UpdateCommandUi, Qt::UniqueConnection);
    connect(frame, &QWidget::windowTitleChanged, this, &CMainFrame::UpdateCommandUi);  // the main window's caption
    connect(frame->GetView(), &ui::CMirtalaView::EditStateChanged, this, &CMainFrame::UpdateCommandUi);
    frame->show();
    m_mdiArea->setActiveSubWindow(frame);
    OnActiveChildChanged();
}

CChildFrame* CMainFrame::ActiveChild() const {
    auto* active = qobject_cast<CChildFrame*>(m_mdiArea->activeSubWindow());
    if (active) return active;
    // Without window activation (no window manager yet) the current one counts.
    return qobject_cast<CChildFrame*>(m_mdiArea->currentSubWindow());
}

ui::CMirtalaView* CMainFrame::ActiveView() const {
    CChildFrame* child = ActiveChild();
    return child ? child->GetView() : nullptr;
}

CMirtalaDoc* CMainFrame::ActiveDocument() const {
    CChildFrame* child = ActiveChild();
    return child ? &child->GetDocument() : nullptr;
}

void CMainFrame::OnActiveChildChanged() {
    CChildFrame* child = ActiveChild();
    const bool doc = child != nullptr && !m_app.DocumentManager().Documents().empty();
    m_undoGroup->setActiveStack(doc ? child->GetDocument().UndoStack() : nullptr);
    if (doc != m_documentMenu) {
        m_documentMenu = doc;
        RebuildMenus();
    }
    UpdateCommandUi();
}

void CMainFrame::UpdateCommandUi() {
    CMirtalaDoc* doc = ActiveDocument();
    ui::CMirtalaView* view = ActiveView();
    for (int id : {cmd::FileClose, cmd::FileSave, cmd::FileSaveAs, cmd::ImportGaitNames, cmd::UserGuide, cmd::WindowNew,
                   cmd::WindowCascade, cmd::WindowTile, cmd::WindowArrange, cmd::NextPane, cmd::PrevPane,
                   cmd::ViewPoseSheet, cmd::ViewLargePreview, cmd::EditCheckGenome})
        Action(id)->setEnabled(doc != nullptr);
    const bool canCopy = view && view->CanCopy();
    Action(cmd::EditCut)->setEnabled(canCopy);
    Action(cmd::EditCopy)->setEnabled(canCopy);
    Action(cmd::EditPaste)->setEnabled(view && view->CanPaste());
    Action(cmd::ViewToolbar)->setChecked(m_toolBar->isVisibleTo(this));
    Action(cmd::ViewStatusBar)->setChecked(statusBar()->isVisibleTo(this));
    Action(cmd::UndoHistory)->setChecked(m_undoHistory->isVisibleTo(this));
    Action(cmd::ViewSheetSmall + PoseSheetSizeFactor() - 1)->setChecked(true);
    CChildFrame* child = ActiveChild();
    setWindowTitle(child ? kAppTitle + QStringLiteral(" - ") + child->windowTitle() : kAppTitle);
}

void CMainFrame::OnCommand(int id) {
    CMirtalaDoc* doc = ActiveDocument();
    ui::CMirtalaView* view = ActiveView();
    CDocumentManager& documents = m_app.DocumentManager();
    switch (id) {
        case cmd::FileNew: documents.OpenNew(); break;
        case cmd::FileOpen: documents.OnFileOpen(); break;
        case cmd::FileClose:
            // Closing the document closes all its windows, after asking once.
            if (doc && documents.CanCloseDocument(*doc)) documents.CloseDocument(*doc);
            break;
        case cmd::FileSave:
            if (doc) documents.Save(*doc);
            break;
        case cmd::FileSaveAs:
            if (doc) documents.SaveAs(*doc);
            break;
        case cmd::ImportPoseNames: m_app.OnImportPoseNames(); break;
        case cmd::ImportGaitNames:
            if (doc) ImportGaitNames(doc->GetGenome(), this);
            break;
        case cmd::AppExit: close(); break;
        case cmd::EditUndo:
            if (doc) doc->Undo();
            break;
        case cmd::EditRedo:
            if (doc) doc->Redo();
            break;
        case cmd::UndoHistory: m_undoHistory->setVisible(!m_undoHistory->isVisibleTo(this)); break;
        case cmd::EditCut:
            if (view) view->OnEditCut();
            break;
        case cmd::EditCopy:
            if (view) view->OnEditCopy();
            break;
        case cmd::EditPaste:
            if (view) view->OnEditPaste();
            break;
        case cmd::ViewToolbar: m_toolBar->setVisible(!m_toolBar->isVisibleTo(this)); break;
        case cmd::ViewStatusBar: statusBar()->setVisible(!statusBar()->isVisibleTo(this)); break;
        case cmd::WindowNew:
            if (doc) documents.NewWindow(*doc);
            break;
        case cmd::WindowCascade: m_mdiArea->cascadeSubWindows(); break;
        case cmd::WindowTile: TileWindows(*m_mdiArea); break;
        case cmd::WindowArrange: ArrangeIcons(); break;
        case cmd::UserGuide:
            if (doc) ShowUserGuide(m_app.HelpFile(), this);
            break;
        case cmd::AppAbout: m_app.OnAppAbout(); break;
        case cmd::HostFolders: {
            CHostFoldersDlg dialog(doc ? doc->GetAppearance() : Appearance{}, this);
            dialog.exec();
            break;
        }
        case cmd::ViewPoseSheet:
            if (doc) ShowPoseSheet(*doc);
            break;
        case cmd::ViewLargePreview: ShowLargePreview(); break;
        case cmd::EditCheckGenome:
            if (doc) ShowCheckGenome(*doc);
            break;
        case cmd::ViewSheetSmall:
        case cmd::ViewSheetMedium:
        case cmd::ViewSheetLarge:
            QSettings().setValue(QStringLiteral("PoseSheet/ThumbnailSize"), id - cmd::ViewSheetSmall + 1);
            for (QWidget* top : QApplication::topLevelWidgets())
                for (ui::PoseSheetWindow* sheet : top->findChildren<ui::PoseSheetWindow*>())
                    sheet->SetSizeFactor(id - cmd::ViewSheetSmall + 1);
            break;
        case cmd::NextPane: m_mdiArea->activateNextSubWindow(); break;
        case cmd::PrevPane: m_mdiArea->activatePreviousSubWindow(); break;
        default: break;
    }
    UpdateCommandUi();
}

void CMainFrame::ArrangeIcons() {
    // Minimized windows in a row along the bottom edge, wrapping upwards.
    const QRect area = m_mdiArea->viewport()->rect();
    int x = 0, y = area.bottom() + 1;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (!window->isMinimized()) continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) x = 0, y -= size.height();
        if (x == 0 && y == area.bottom() + 1) y -= size.height();
        window->move(x, y);
        x += size.width();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_app.DocumentManager().SaveAllModified()) {
        event->ignore();
        return;
    }
    m_app.DocumentManager().CloseAllDocuments();
    SaveGeometry(*this);
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) m_app.DocumentManager().OpenFile(url.toLocalFile());
    event->acceptProposedAction();
}

// The pose sheet's thumbnail size as last chosen, 1 to 3.
int CMainFrame::PoseSheetSizeFactor() {
    return std::clamp(QSettings().value(QStringLiteral("PoseSheet/ThumbnailSize"), 1).toInt(), 1, 3);
}

// The document's pose sheet in a window of its own, scrolled; it closes with the document.
void CMainFrame::ShowPoseSheet(CMirtalaDoc& doc) {
    auto* frame = new ui::PoseSheetFrame(doc, PoseSheetSizeFactor(), this);
    frame->show();
}

void CMainFrame::ShowCheckGenome(CMirtalaDoc& doc) {
    for (ui::CheckGenomeWindow* open : findChildren<ui::CheckGenomeWindow*>(Qt::FindDirectChildrenOnly))
        if (open->Document() == &doc) {
            open->Refresh();
            open->raise();
            open->activateWindow();
            return;
        }
    auto* window = new ui::CheckGenomeWindow(doc, this);
    window->setWindowFlag(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void CMainFrame::ShowLargePreview(QWidget* dialog) {
    if (dialog) m_largePreview->SetSource(dialog);
    m_largePreview->Open();
}

}  // namespace mirtala::app
