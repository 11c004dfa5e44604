// The application shell: start-up and exit with settings and the name file,
// documents from the command line, menus, help, recent files and hand-off.
#include "app/AppTestSupport.h"
#include "fixtures/ReadOnlyMount.h"

#include "editor/app/AboutBox.h"
#include "editor/app/ChildFrame.h"
#include "editor/app/CommandIds.h"
#include "editor/app/MainFrame.h"
#include "editor/app/NameImports.h"
#include "editor/app/SingleInstance.h"
#include "editor/app/UserGuide.h"
#include "editor/document/PathBytes.h"
#include "editor/ui/MirtalaView.h"

#include <QDesktopServices>
#include <QDropEvent>
#include <QLabel>
#include <QLocalSocket>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include <sys/stat.h>
#include <filesystem>
#include <future>

namespace mirtala::test {
namespace {

namespace cmd = app::cmd;

QStringList MenuTitles(const app::CMainFrame& frame) {
    QStringList titles;
    for (QAction* menu : frame.menuBar()->actions()) titles << menu->text();
    return titles;
}

// The File menu's items, separators as "-".
QStringList FileItems(const app::CMainFrame& frame) {
    QStringList items;
    for (QAction* item : frame.menuBar()->actions().front()->menu()->actions())
        items << (item->isSeparator() ? "-" : item->text());
    return items;
}

// Receives the URLs the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public slots:
    void Open(const QUrl& url) { urls << url; }

public:
    QList<QUrl> urls;
};

TEST_F(EditorAppTest, FirstRunUsesTheProgramFoldersNameFileAndWritesItAtExit) {
    CMirtalaApp& a = Start();
    EXPECT_EQ(a.NameFile(), QString::fromStdString(dir.File("posegait.txt")));
    ASSERT_EQ(a.DocumentManager().Documents().size(), 1u);
    EXPECT_EQ(a.DocumentManager().Documents()[0]->GetTitle(), "Genome1");
    EXPECT_EQ(a.HelpFile(), QString::fromStdString(dir.Path()) + "/Help/Mirtala.htm");

    // Imported pose names reach the name file at exit, and only then.
    files.answers.push_back(QString::fromStdString(dir.Write("posename.txt", std::string("\4\0Walk", 6))));
    a.MainFrame()->OnCommand(cmd::ImportPoseNames);
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].filter, "Pose Names (posename.txt)|posename.txt");
    EXPECT_FALSE(std::filesystem::exists(dir.File("posegait.txt")));
    EXPECT_EQ(a.ExitInstance(), 0);
    EXPECT_EQ(Settings().value("Settings/NameFile").toString(), a.NameFile());
    EXPECT_EQ(ReadFileBytes(dir.File("posegait.txt")).substr(0, 7), "Walk\n1\n");
}

TEST_F(EditorAppTest, ImportGaitNamesAsksForAGnoFileAndKeepsTheNamesWhenItCannotBeRead) {
    using namespace std::string_literals;
    ASSERT_TRUE(Open({GaitGene(5, 12)}));
    NameTable::Instance().SetName(300, "Gallop");
    app::ImportGaitNames(doc->GetGenome(), nullptr);  // cancelled
    // The second file names the gait gene with id 5 "Trot".
    files.answers = {QString::fromStdString(dir.File("absent.gno")),
                     QString::fromStdString(dir.Write("names.gno", "HEAD\2\0\4\0\5\0\0\0\4\0Trot\0\0"s))};
    app::ImportGaitNames(doc->GetGenome(), nullptr);
    EXPECT_EQ(NameTable::Instance().GetName(300), "Gallop");
    app::ImportGaitNames(doc->GetGenome(), nullptr);
    EXPECT_EQ(NameTable::Instance().GetName(NameTable::kGaitBase + 12), "Trot");
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0], "Cannot open " + QString::fromStdString(dir.File("absent.gno")) +
                              ".\n\nThe gait names were not changed.");
    ASSERT_EQ(files.requests.size(), 3u);
    EXPECT_TRUE(files.requests[0].open);
    EXPECT_EQ(files.requests[0].defaultExtension, ".gno");  // its filter: the commands test
    EXPECT_FALSE(doc->IsModified());
}

// The folder's own reason, not that of the file that then cannot be written.
TEST_F(EditorAppTest, ANameFileWhoseFolderCannotBeMadeIsToldOnceWithItsPath) {
    dir.Write("plain", "x");
    const QString unwritable = QString::fromStdString(dir.File("plain/posegait.txt"));
    Settings().setValue("Settings/NameFile", unwritable);
    CMirtalaApp& a = Start();
    EXPECT_EQ(a.NameFile(), unwritable);
    EXPECT_EQ(a.ExitInstance(), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The names could not be saved to " + unwritable + ":\nthe folder " +
                                          QString::fromStdString(dir.File("plain")) +
                                          " cannot be made: Not a directory.");
}

TEST_F(EditorAppTest, AReadOnlyNameFileIsRefusedNotReplaced) {
    const std::string locked = dir.Write("locked.txt", "kept\n");
    ::chmod(locked.c_str(), 0444);
    Settings().setValue("Settings/NameFile", QString::fromStdString(locked));
    CMirtalaApp& a = Start();
    NameTable::Instance().SetName(1, "changed");
    EXPECT_EQ(a.ExitInstance(), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QString::fromStdString(locked) + " is read-only. The file was not changed.");
    EXPECT_EQ(ReadFileBytes(locked), "kept\n");
}

TEST_F(EditorAppTest, ANameFileOnAReadOnlyFileSystemSaysSo) {
    const ReadOnlyMount ro;
    MIRTALA_REQUIRE_MOUNT(ro);
    const QString nameFile = QString::fromStdString(ro.File("posegait.txt"));
    Settings().setValue("Settings/NameFile", nameFile);
    EXPECT_EQ(Start().ExitInstance(), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The names could not be saved to " + nameFile +
                                          ":\nCannot create a file beside " + nameFile + ": Read-only file system");
}

TEST_F(EditorAppTest, CommandLineFilesOpenAndEnterTheRecentList) {
    const QString first = GenomeFile("first.gen", {PoseGene(1, 1)});
    CMirtalaApp& a = Start({first});
    ASSERT_EQ(a.DocumentManager().Documents().size(), 1u);
    EXPECT_EQ(a.DocumentManager().Documents()[0]->GetTitle(), "first.gen");
    // The application's own dialog factory opens the pose window, at the corner of the frame's client area.
    ui::CMirtalaView* view = a.MainFrame()->ActiveView();
    ASSERT_NE(view, nullptr);
    auto* pose = dynamic_cast<QWidget*>(a.DocumentManager().Documents()[0]->OpenPoseDialog(view->Poses()[0]));
    ASSERT_NE(pose, nullptr);
    EXPECT_EQ(pose->pos(), a.MainFrame()->centralWidget()->mapToGlobal(QPoint(0, 0)));
    QMimeData dropped;  // four files dropped on the frame open
    QList<QUrl> urls;
    for (const char* name : {"b.gen", "c.gen", "d.gen", "e.gen"}) urls << QUrl::fromLocalFile(GenomeFile(name, {}));
    dropped.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(a.MainFrame(), &enter);
    QCoreApplication::sendEvent(a.MainFrame(), &drop);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(a.DocumentManager().Documents().size(), 5u);
    EXPECT_EQ(a.RecentFiles().Files().size(), app::kRecentFiles);
    EXPECT_TRUE(a.RecentFiles().Files().front().endsWith("e.gen"));
    EXPECT_TRUE(Settings().value("Recent File List/File4").toString().endsWith("b.gen"));
    const QStringList items = FileItems(*a.MainFrame());  // ... "-", "&1 ...e.gen" to "&4 ...b.gen", "-", "E&xit"
    const QString fourth = items[items.size() - 3];
    EXPECT_TRUE(fourth.startsWith("&4 ") && fourth.endsWith("b.gen")) << items.join('|').toStdString();

    // A file that cannot be read fails the start-up, with its message.
    CMirtalaApp other(QString::fromStdString(dir.File("mirtala")));
    EXPECT_FALSE(other.InitInstance({QString::fromStdString(dir.File("missing.gen"))}));
    EXPECT_FALSE(messages.shown.empty());
}

TEST_F(EditorAppTest, ARecentFileOpensFromTheMenuAndLeavesTheListOnceItNoLongerOpens) {
    const QString kept = GenomeFile("kept.gen", {PoseGene(1, 1)}), gone = GenomeFile("gone.gen", {});
    Settings().setValue("Recent File List/File1", kept);
    Settings().setValue("Recent File List/File2", gone);
    std::filesystem::remove(gone.toStdString());
    CMirtalaApp& a = Start();
    QList<QAction*> items = a.MainFrame()->menuBar()->actions().front()->menu()->actions();
    const auto second = std::ranges::find_if(items, [](QAction* i) { return i->text().startsWith("&2 "); });
    ASSERT_NE(second, items.end());
    (*second)->trigger();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(a.RecentFiles().Files(), QStringList{kept});
    EXPECT_FALSE(Settings().contains("Recent File List/File2"));
    a.DocumentManager().OpenRecentFile(1);  // past the end of the list now: nothing happens
    a.DocumentManager().OpenRecentFile(0);
    ASSERT_EQ(a.DocumentManager().Documents().size(), 2u);
    EXPECT_EQ(a.DocumentManager().Documents()[1]->GetTitle(), "kept.gen");
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(EditorAppTest, MenusFollowTheActiveDocumentAndCommandsEnable) {
    CMirtalaApp& a = Start();
    app::CMainFrame& frame = *a.MainFrame();
    EXPECT_EQ(MenuTitles(frame), QStringList({"&File", "&Edit", "&View", "&Window", "&Help"}));
    EXPECT_EQ(FileItems(frame), QStringList({"&New", "&Open...", "&Close", "&Save", "Save &As...", "-", "Na&mes", "-",
                                             "&Host Product Folders...", "-", "Recent File", "-", "E&xit"}));
    EXPECT_TRUE(frame.Action(cmd::UserGuide)->isEnabled());
    frame.ActiveDocument()->AddGene(PoseGene(1, 1));  // Undo's texts: the undo history tests'
    EXPECT_EQ(frame.Action(cmd::EditUndo)->shortcuts().size(), 2);

    // Closing asks about the modified document (what Cancel does is the document tests').
    messages.answers = {MessageAnswer::No};
    frame.OnCommand(cmd::FileClose);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(a.DocumentManager().Documents().empty());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(MenuTitles(frame), QStringList({"&File", "&View", "&Help"}));
    EXPECT_EQ(FileItems(frame),
              QStringList({"&New", "&Open...", "-", "&Host Product Folders...", "-", "Recent File", "-", "E&xit"}));
    EXPECT_FALSE(frame.Action(cmd::UserGuide)->isEnabled());
    EXPECT_FALSE(frame.Action(cmd::FileSave)->isEnabled());

    // Toolbar buttons are named by their menu texts; the user can move the toolbar.
    EXPECT_TRUE(frame.ToolBar()->isMovable());
    QWidget* about = frame.ToolBar()->widgetForAction(frame.Action(cmd::AppAbout));
    EXPECT_EQ(about->accessibleName(), "About Mirtala...");
    EXPECT_EQ(about->toolTip(), "About");
}

// Each command of the menus and toolbar reaches its own handler, and only that one.
TEST_F(EditorAppTest, CommandsReachTheirHandlersAndOnlyThem) {
    CMirtalaApp& a = Start({GenomeFile("first.gen", {PoseGene(1, 1)})});
    app::CMainFrame& frame = *a.MainFrame();
    CMirtalaDoc& doc = *frame.ActiveDocument();
    frame.OnCommand(cmd::ViewToolbar);
    EXPECT_FALSE(frame.ToolBar()->isVisibleTo(&frame));
    EXPECT_TRUE(frame.statusBar()->isVisibleTo(&frame));
    frame.OnCommand(cmd::ViewStatusBar);
    EXPECT_FALSE(frame.statusBar()->isVisibleTo(&frame));
    doc.AddGene(PoseGene(2, 2));
    frame.OnCommand(cmd::EditUndo);
    EXPECT_EQ(doc.GetGenome().Count(), 1u);
    frame.OnCommand(cmd::EditRedo);
    frame.OnCommand(cmd::FileSave);  // a named document saves without asking
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetGenome().Count(), 2u);
    const QString other = GenomeFile("b.gen", {PoseGene(1, 1)}), missing = QString::fromStdString(dir.File("no"));
    files.answers = {other, std::nullopt, std::nullopt, missing};
    for (int command : {cmd::FileOpen, cmd::FileSaveAs, cmd::ImportGaitNames, cmd::ImportPoseNames})
        frame.OnCommand(command);
    ASSERT_EQ(files.requests.size(), 4u);
    EXPECT_EQ(a.DocumentManager().Documents().size(), 2u);
    EXPECT_EQ(files.requests[2].filter, "Genome files (*.gno)|*.gno") << "gait names come from a genome";
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.endsWith("The pose names were not changed.")) << "a file that is not there";
    for (int window = 0; window < 2; ++window) frame.OnCommand(cmd::WindowNew);  // three: next and previous differ
    QMdiSubWindow* third = frame.MdiArea()->activeSubWindow();
    frame.OnCommand(cmd::NextPane);
    EXPECT_NE(frame.MdiArea()->activeSubWindow(), third);
    frame.OnCommand(cmd::PrevPane);
    EXPECT_EQ(frame.MdiArea()->activeSubWindow(), third);
    frame.OnCommand(cmd::UserGuide);  // there is no guide beside the test's program
    EXPECT_EQ(messages.shown.size(), 2u);
    frame.OnCommand(cmd::AppExit);
    EXPECT_TRUE(a.DocumentManager().Documents().empty());
}

TEST_F(EditorAppTest, ExitAsksForEveryModifiedDocumentAndCancelStopsIt) {
    CMirtalaApp& a = Start();
    a.DocumentManager().OpenNew();
    a.MainFrame()->OnCommand(cmd::WindowNew);  // a second window on Genome2 is one more window, not one more question
    ASSERT_EQ(a.DocumentManager().Documents().size(), 2u);
    EXPECT_EQ(a.DocumentManager().FramesOf(*a.DocumentManager().Documents()[1]), 2);
    const QList<QMdiSubWindow*> windows = a.MainFrame()->MdiArea()->subWindowList();  // Arrange Icons, minimized
    for (QMdiSubWindow* window : windows) window->showMinimized();
    const int spare = a.MainFrame()->MdiArea()->viewport()->width() - 2 * windows[0]->width();
    a.MainFrame()->resize(a.MainFrame()->size() - QSize(spare, 0));  // two icons fill the bottom row exactly
    a.MainFrame()->OnCommand(cmd::WindowArrange);
    EXPECT_EQ(windows[1]->pos(), windows[0]->pos() + QPoint(windows[0]->width(), 0)) << "the second stays on the row";
    EXPECT_EQ(windows[0]->geometry().bottom(), a.MainFrame()->MdiArea()->viewport()->rect().bottom());
    for (CMirtalaDoc* doc : a.DocumentManager().Documents()) doc->AddGene(PoseGene(1, 1));
    ASSERT_TRUE(a.MainFrame()->ActiveChild()->close()) << "a second window closes without asking";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(a.DocumentManager().FramesOf(*a.DocumentManager().Documents()[1]), 1);
    messages.answers = {MessageAnswer::No, MessageAnswer::Cancel};
    EXPECT_FALSE(a.MainFrame()->close());
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[1].text.contains("Genome2"));
    EXPECT_EQ(a.DocumentManager().Documents().size(), 2u);
    messages.answers = {MessageAnswer::Cancel};  // a document's last window stays when its question is cancelled
    EXPECT_FALSE(a.MainFrame()->ActiveChild()->close());
    messages.answers = {MessageAnswer::No, MessageAnswer::No};
    EXPECT_TRUE(a.MainFrame()->close());
    EXPECT_TRUE(a.DocumentManager().Documents().empty());
}

TEST_F(EditorAppTest, TheAboutBoxShowsTheProgramIconAndItsVersionApart) {
    app::CAboutDlg about;
    about.show();
    const QList<QLabel*> labels = about.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0]->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(labels[1]->text(), app::kVersionLine);
    EXPECT_GE(labels[1]->x() - labels[0]->geometry().right(), 12);
}

TEST_F(EditorAppTest, TheUserGuideOpensOrSaysWhyNot) {
    const QString help = QString::fromStdString(dir.File("Help/Mirtala.htm"));
    EXPECT_EQ(app::OpenUserGuide(help), app::kGuidePathNotFound);
    std::filesystem::create_directory(dir.File("Help"));
    EXPECT_EQ(app::OpenUserGuide(help), app::kGuideFileNotFound);
    app::ShowUserGuide(help, nullptr);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unable to view the user guide [error code 2]\n" + help);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);

    dir.Write("Help/Mirtala.htm", "<html></html>");
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    app::ShowUserGuide(help, nullptr);
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0].toLocalFile(), help);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(EditorAppTest, ASecondStartHandsItsFilesToTheRunningEditor) {
    qputenv("TMPDIR", QByteArray::fromStdString(dir.Path()));
    // A socket file left by an editor that crashed does not stop the next one.
    dir.Write(app::SingleInstance::ServerName().toStdString(), "");
    app::SingleInstance running;
    QList<QStringList> received;
    ASSERT_TRUE(running.Listen([&](const QStringList& files) { received << files; }));
    // The second start (a thread here, a process of its own in use) hands more than a socket buffer holds.
    QStringList files{"one.gen", "/abs/two.gen"};
    for (int i = 0; i < 3000; ++i) files << "/" + QString(300, 'p') + QString::number(i);
    auto handed = std::async(std::launch::async, [&] { return app::SingleInstance().HandOff(files); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); }));
    qunsetenv("TMPDIR");
    EXPECT_TRUE(handed.get());
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received[0], QStringList{QString::fromStdString(dir.Path()) + "/one.gen"} + files.mid(1));
}

// A hand-off past the limit is dropped and its connection closed, not kept whole; a name
// that is not UTF-8 arrives as its bytes.
TEST_F(EditorAppTest, AnOversizedHandOffIsRefusedAndTheNextStillArrives) {
    qputenv("TMPDIR", QByteArray::fromStdString(dir.Path()));
    app::SingleInstance running;
    QList<QStringList> received;
    ASSERT_TRUE(running.Listen([&](const QStringList& files) { received << files; }));
    auto flood = std::async(std::launch::async, [] {
        QLocalSocket socket;
        socket.connectToServer(app::SingleInstance::ServerName());
        if (!socket.waitForConnected(3000)) return false;
        socket.write(QByteArray(app::kMaxHandOffBytes + 4096, 'x'));
        socket.waitForBytesWritten(3000);
        return socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(5000);
    });
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return flood.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10000));
    EXPECT_TRUE(flood.get()) << "the server kept the connection";
    const QString odd = PathFromBytes(
        "/tmp/\xff\xfe"
        "bad.gen");
    auto handed = std::async(std::launch::async, [&] { return app::SingleInstance().HandOff({odd}); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); }));
    qunsetenv("TMPDIR");
    EXPECT_TRUE(handed.get());
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(PathToBytes(received[0].value(0)),
              "/tmp/\xff\xfe"
              "bad.gen");
}

TEST_F(EditorAppTest, HandedPathsThatDoNotOpenShareOneMessage) {
    app::OpenHandedFiles({"a.gen", "b.gen", "c.gen"}, [](const QString& file) {
        if (file != "b.gen") ShowMessage("Mirtala", file + " was not found.");
    });
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "a.gen was not found.\n\nc.gen was not found.");
}

}  // namespace
}  // namespace mirtala::test

#include "EditorAppTest.moc"
