// The main frame's Undo, Redo and Undo History follow the active document's
// undo stack; clicking a row of the history runs the commands one at a time.
#include "app/AppTestSupport.h"

#include "editor/app/CommandIds.h"
#include "editor/app/MainFrame.h"

#include <QDockWidget>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>
#include <QUndoView>

namespace mirtala::test {
namespace {

namespace cmd = app::cmd;

class UndoHistoryTest : public EditorAppTest {
protected:
    void ClickRow(QUndoView& history, int row) {
        const QRect rect = history.visualRect(history.model()->index(row, 0));
        ASSERT_TRUE(rect.isValid()) << row;
        QTest::mouseClick(history.viewport(), Qt::LeftButton, {}, rect.center());
    }
    // The Undo and Redo items' texts and whether they are enabled: "Undo Add Gene | Redo (disabled)".
    static QString Items(const app::CMainFrame& frame) {
        auto item = [&frame](int id) {
            QAction* a = frame.Action(id);
            return a->text() + (a->isEnabled() ? "" : " (disabled)");
        };
        return item(cmd::EditUndo) + " | " + item(cmd::EditRedo);
    }
};

TEST_F(UndoHistoryTest, ClickingARowUndoesOrRedoesOneCommandAtATimeToIt) {
    CMirtalaApp& a = Start({GenomeFile("walk.gen", {PoseGene(1, 1)})});
    app::CMainFrame& frame = *a.MainFrame();
    CMirtalaDoc& doc = *frame.ActiveDocument();
    doc.AddView(&view);
    for (std::uint8_t id : {2, 3, 4}) doc.AddGene(PoseGene(id, id));
    view.hints.clear();

    QStringList edit;
    for (QAction* item : frame.menuBar()->actions()[1]->menu()->actions())
        edit << (item->isSeparator() ? "-" : item->text());
    EXPECT_EQ(edit, QStringList({"Undo Add Gene", "Redo", "Undo &History", "-", "Cu&t", "&Copy", "&Paste", "-",
                                 "Chec&k Genome"}));
    EXPECT_FALSE(frame.UndoHistory()->isVisibleTo(&frame));
    frame.OnCommand(cmd::UndoHistory);
    ASSERT_TRUE(frame.UndoHistory()->isVisibleTo(&frame));
    EXPECT_TRUE(frame.Action(cmd::UndoHistory)->isChecked());
    QUndoView& history = *frame.UndoHistoryView();
    QApplication::processEvents();
    ASSERT_EQ(history.model()->rowCount(), 4);  // the state as opened, then each change

    ClickRow(history, 1);
    EXPECT_EQ(view.hints, (std::vector<std::string>{"removed 4", "removed 3"}));
    EXPECT_EQ(Items(frame), "Undo Add Gene | Redo Add Gene");
    ClickRow(history, 0);
    EXPECT_FALSE(doc.IsModified()) << "back as it was opened";
    EXPECT_EQ(Items(frame), "Undo (disabled) | Redo Add Gene");
    ClickRow(history, 3);
    EXPECT_EQ(view.hints,
              (std::vector<std::string>{"removed 4", "removed 3", "removed 2", "added 2", "added 3", "added 4"}));
    EXPECT_EQ(doc.GetGenome().Count(), 4u);
    EXPECT_EQ(frame.windowTitle(), "Mirtala - walk.gen*");
    doc.RemoveView(&view);
}

TEST_F(UndoHistoryTest, UndoRedoAndTheHistoryFollowTheActiveDocument) {
    CMirtalaApp& a = Start();
    app::CMainFrame& frame = *a.MainFrame();
    CMirtalaDoc& first = *frame.ActiveDocument();
    first.AddGene(PoseGene(1, 1));
    CMirtalaDoc& second = *a.DocumentManager().OpenNew();
    EXPECT_EQ(frame.UndoHistoryView()->stack(), second.UndoStack());
    EXPECT_EQ(Items(frame), "Undo (disabled) | Redo (disabled)");
    frame.OnCommand(cmd::PrevPane);
    EXPECT_EQ(frame.ActiveDocument(), &first);
    EXPECT_EQ(frame.UndoHistoryView()->stack(), first.UndoStack());
    EXPECT_EQ(Items(frame), "Undo Add Gene | Redo (disabled)");
    // The toolbar button is the same action: triggering it undoes the active document's change.
    frame.Action(cmd::EditUndo)->trigger();
    EXPECT_EQ(first.UndoCount(), 0u);

    a.DocumentManager().CloseAllDocuments();
    EXPECT_EQ(frame.UndoHistoryView()->stack(), nullptr);
    EXPECT_EQ(Items(frame), "Undo (disabled) | Redo (disabled)");
}

}  // namespace
}  // namespace mirtala::test
