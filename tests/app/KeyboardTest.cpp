// The windows at the keyboard: an edit's text selected as a dialog opens,
// Cut and Copy kept while the menu bar has the keyboard, the Window menu's
// list of document windows with Tile keeping them on the area, closing the
// main window after a cancelled File, Close, and F10 handing the menu bar the
// keyboard.
#include "app/AppTestSupport.h"

#include "editor/app/ChildFrame.h"
#include "editor/app/CommandIds.h"
#include "editor/app/DesktopSetup.h"
#include "editor/app/MainFrame.h"
#include "editor/app/WindowMenu.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/ui/DialogResources.h"
#include "editor/ui/MirtalaView.h"
#include "editor/ui/NewGaitDlg.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <QTreeWidget>
#include <deque>

namespace mirtala::test {
namespace {

namespace cmd = app::cmd;
namespace id = ui::id;

class KeyboardTest : public EditorAppTest {};

TEST_F(KeyboardTest, TypingInANewNameReplacesTheOfferedOne) {
    CMirtalaApp& a = Start();
    ui::CNewGaitDlg dialog(*a.MainFrame()->ActiveDocument(), a.MainFrame());
    QString offered, typed;
    QTimer::singleShot(0, &dialog, [&] {
        auto* edit = dialog.Controls().ItemAs<QLineEdit>(id::GaitName);
        offered = edit->text();
        QTest::keyClicks(edit, "Run");
        typed = edit->text();
        static_cast<QDialog&>(dialog).reject();
    });
    dialog.DoModal();
    EXPECT_FALSE(offered.isEmpty());
    EXPECT_EQ(typed, "Run") << "the offered name was all selected";
}

// The menu bar taking the keyboard (Alt, or Escape out of a menu) leaves the
// pose list the view's focused list: Cut and Copy stay on. Moving the focus
// to another control of the view turns them off.
TEST_F(KeyboardTest, CutAndCopyFollowTheDocumentWindowsFocusNotTheMenuBars) {
    CMirtalaApp& a = Start({GenomeFile("walk.gen", {PoseGene(1, 1)})});
    app::CMainFrame& frame = *a.MainFrame();
    QApplication::setActiveWindow(&frame);
    ui::CMirtalaView& view = *frame.ActiveView();
    view.PoseList()->setCurrentItem(view.PoseList()->topLevelItem(0));
    view.PoseList()->setFocus();
    frame.UpdateCommandUi();
    ASSERT_TRUE(frame.Action(cmd::EditCut)->isEnabled());
    frame.menuBar()->setFocus(Qt::MenuBarFocusReason);
    frame.UpdateCommandUi();
    EXPECT_TRUE(frame.Action(cmd::EditCut)->isEnabled());
    EXPECT_TRUE(frame.Action(cmd::EditCopy)->isEnabled());
    view.Controls().Item(id::Sex)->setFocus();
    frame.UpdateCommandUi();
    EXPECT_FALSE(frame.Action(cmd::EditCopy)->isEnabled());
}

TEST_F(KeyboardTest, TheWindowMenuListsTheDocumentWindowsAndActivatesTheChosenOne) {
    CMirtalaApp& a = Start();
    app::CMainFrame& frame = *a.MainFrame();
    a.DocumentManager().OpenNew();
    a.DocumentManager().OpenNew();
    QMenu* window = nullptr;
    for (QAction* menu : frame.menuBar()->actions())
        if (menu->text() == "&Window") window = menu->menu();
    ASSERT_NE(window, nullptr);
    app::FillWindowList(*window, *frame.MdiArea());
    QStringList texts;
    QList<bool> checked;
    for (QAction* entry : app::WindowListActions(*window)) texts << entry->text(), checked << entry->isChecked();
    EXPECT_EQ(texts, QStringList({"&1 Genome1", "&2 Genome2", "&3 Genome3"}));
    EXPECT_EQ(checked, QList<bool>({false, false, true}));
    app::WindowListActions(*window).front()->trigger();
    EXPECT_EQ(frame.ActiveChild()->windowTitle(), "Genome1");

    // Tile: the fixed-size windows all stay on the area while they fit on it.
    frame.resize(1200, 900);
    frame.show();
    frame.OnCommand(cmd::WindowTile);
    const QRect area = frame.MdiArea()->viewport()->rect();
    for (QMdiSubWindow* child : frame.MdiArea()->subWindowList())
        EXPECT_TRUE(area.contains(child->geometry())) << child->windowTitle().toStdString();
}

// Real message boxes, each answered from its own modal loop, and the close
// request a window manager sends the main window (a close event to its window).
// The question must come every time, in front of the main window (owned by
// it), and No must close.
TEST_F(KeyboardTest, TheMainWindowClosesAfterACancelledCloseQuestionEveryTime) {
    QtMessageService realBoxes;
    ScopedMessageService useRealBoxes{realBoxes};
    CMirtalaApp& a = Start({GenomeFile("walk.gen", {PoseGene(1, 1), PoseGene(2, 2)})});
    app::CMainFrame& frame = *a.MainFrame();
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.ActiveDocument()->RemoveGene(PoseGene(2, 2));
    ASSERT_TRUE(frame.ActiveDocument()->IsModified());

    std::deque<QMessageBox::StandardButton> answers;
    int questions = 0, ownedByFrame = 0;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || answers.empty()) return;
        ++questions;
        if (box->parentWidget() == &frame) ++ownedByFrame;
        box->button(answers.front())->click();
        answers.pop_front();
    });
    answerer.start(5);
    const auto requestClose = [&] {
        QCloseEvent close;
        QApplication::sendEvent(frame.windowHandle(), &close);
        return close.isAccepted();
    };
    constexpr int kRounds = 20;
    for (int round = 0; round < kRounds; ++round) {
        answers = {QMessageBox::Cancel, QMessageBox::Cancel};
        frame.OnCommand(cmd::FileClose);
        ASSERT_NE(frame.ActiveDocument(), nullptr) << "round " << round;
        EXPECT_FALSE(requestClose()) << "round " << round;
        EXPECT_TRUE(frame.isVisible());
        ASSERT_EQ(questions, 2 * (round + 1)) << "round " << round;
    }
    answers = {QMessageBox::No};
    EXPECT_TRUE(requestClose());
    EXPECT_EQ(questions, 2 * kRounds + 1);
    EXPECT_EQ(ownedByFrame, questions);
    EXPECT_FALSE(frame.isVisible());
}

// A key pressed where the keyboard is, through the shortcuts as typed keys go.
void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

// F10 with and without a genome window: the first menu highlighted, Down
// opens it, Escape closes it and then gives the keyboard back; inside a modal
// dialog F10 leaves the menu bar alone.
TEST_F(KeyboardTest, F10GivesTheMenuBarTheKeyboardAndEscapeGivesItBack) {
    struct Case {
        const char* name;
        bool withDocument;
    };
    app::SetUpDesktop();
    for (const Case& c : {Case{"genome window", true}, Case{"no document", false}}) {
        SCOPED_TRACE(c.name);
        CMirtalaApp& a = Start({GenomeFile("walk.gen", {PoseGene(1, 1)})});
        app::CMainFrame& frame = *a.MainFrame();
        if (!c.withDocument) frame.OnCommand(cmd::FileClose);
        ASSERT_EQ(frame.ShowsDocumentMenu(), c.withDocument);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QApplication::setActiveWindow(&frame);
        QWidget* start = c.withDocument ? static_cast<QWidget*>(frame.ActiveView()->PoseList()) : frame.MdiArea();
        start->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), start);
        QMenuBar& bar = *frame.menuBar();
        QAction* file = bar.actions().front();

        Press(Qt::Key_F10);
        EXPECT_EQ(QApplication::focusWidget(), &bar);
        EXPECT_EQ(bar.activeAction(), file);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        // Drawn highlighted, so a person sees where the keyboard is.
        const QPoint inFile = bar.actionGeometry(file).topLeft() + QPoint(3, 3);
        EXPECT_EQ(bar.grab().toImage().pixelColor(inFile), bar.palette().highlight().color());
        Press(Qt::Key_Right);
        EXPECT_EQ(bar.activeAction(), bar.actions().at(1));
        Press(Qt::Key_Left);
        Press(Qt::Key_Down);
        EXPECT_EQ(QApplication::activePopupWidget(), file->menu());
        Press(Qt::Key_Escape);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        Press(Qt::Key_Escape);
        EXPECT_EQ(bar.activeAction(), nullptr);
        EXPECT_EQ(QApplication::focusWidget(), start);
        // F10 twice: in and out again.
        Press(Qt::Key_F10);
        Press(Qt::Key_F10);
        EXPECT_EQ(bar.activeAction(), nullptr);
        EXPECT_EQ(QApplication::focusWidget(), start);

        {
            QDialog modal(&frame);
            auto* edit = new QLineEdit(&modal);
            QAction* activeInModal = file;
            QTimer::singleShot(0, &modal, [&] {
                QApplication::setActiveWindow(&modal);
                edit->setFocus();
                Press(Qt::Key_F10);
                activeInModal = bar.activeAction();
                modal.reject();
            });
            modal.exec();
            EXPECT_EQ(activeInModal, nullptr);
        }
        application.reset();
    }
}

}  // namespace
}  // namespace mirtala::test
