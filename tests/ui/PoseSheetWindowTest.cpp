// The pose sheet window on a real document: it follows edits, undo and added
// genes redrawing only the rows that changed, a double-click opens the pose
// dialog on the cell's gene, the context menu's new variant starts at the
// cell, and the window's Export writes the command line's picture.
#include <QTest>

#include "activex/ControlTestSupport.h"
#include "editor/app/CliRender.h"
#include "editor/app/CommandLine.h"
#include "editor/document/NameTable.h"
#include "editor/ui/NameText.h"
#include "editor/ui/PoseSheetFrame.h"
#include "editor/ui/PoseSheetWindow.h"
#include "ui/EditorTestSupport.h"

#include <QAccessible>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>

#include <sstream>

namespace mirtala::test {
namespace {

class PoseSheetWindowTest : public DocTest {
protected:
    void SetUp() override {
        controltest::PointRegistryAtDemoCreature();
        ASSERT_EQ(controltest::CallModule(ZUBRELLE_MODULE_PATH), com::S_OK);
        ASSERT_TRUE(Open({PoseGene(1, 1), PoseGene(2, 2), WithSwitchOn(PoseGene(3, 2, "222222222222222"), 4)}));
        Change(&Appearance::headGenus, 1);
    }
    void Change(int Appearance::*field, int value) {
        Appearance a = doc->GetAppearance();
        a.*field = value;
        doc->ChangeAppearance(a);
    }
    ::TempRegistry registry;
};

TEST_F(PoseSheetWindowTest, EditsUndoAndAddedGenesRedrawOnlyTheirRows) {
    ui::PoseSheetWindow window(*doc);
    ASSERT_EQ(window.Model().rows.size(), 2u);
    EXPECT_EQ(window.RowsDrawn(), 0);  // nothing is drawn before it is shown
    const auto shown = [&] {
        window.grab();
        return window.RowsDrawn();
    };
    EXPECT_EQ(shown(), 2);
    const struct {
        const char* step;
        std::function<void()> act;
        int rows, redrawn;
    } steps[] = {
        {"modify pose 1", [&] { doc->ModifyGene(PoseGene(1, 1, "111111111111111")); }, 2, 1},
        {"undo", [&] { doc->Undo(); }, 2, 1},
        {"add pose 7", [&] { doc->AddGene(PoseGene(9, 7)); }, 3, 1},
        {"remove it", [&] { doc->Undo(); }, 2, 0},
        {"preview age only", [&] { Change(&Appearance::age, 5); }, 2, 0},
        {"another head", [&] { Change(&Appearance::headGenus, 2); }, 2, 2},
    };
    int drawn = window.RowsDrawn();
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(window.Model().rows.size(), std::size_t(s.rows)) << s.step;
        EXPECT_EQ(shown() - drawn, s.redrawn) << s.step;
        drawn = window.RowsDrawn();
    }
    EXPECT_TRUE(window.LoadError().empty()) << window.LoadError();
    window.SetSizeFactor(3);  // large thumbnails: every row again, at 1.5
    EXPECT_EQ(shown() - drawn, 2);
    EXPECT_EQ(window.CellRect(0, 0).size(), QSize(480, 360));
}

TEST_F(PoseSheetWindowTest, ClickSelectsTheCellsGeneInTheFormAndDoubleClickOpensItsDialog) {
    ui::CMirtalaView form(*doc);
    form.OnInitialUpdate();
    ui::PoseSheetWindow window(*doc);
    window.show();
    const QPoint adultOfPose2 = window.CellRect(window.Model().RowOf(2), 4).center();
    QTest::mouseClick(&window, Qt::LeftButton, {}, adultOfPose2);
    QTreeWidgetItem* current = form.PoseList()->currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_TRUE(form.Poses()[std::size_t(form.PoseList()->indexOfTopLevelItem(current))] ==
                FindActivePose(genome(), 2, 4));
    QTest::mouseDClick(&window, Qt::LeftButton, {}, adultOfPose2);
    ASSERT_EQ(doc->PoseDialogs().size(), 1u);
    EXPECT_TRUE(doc->PoseDialogs()[0]->GetGeneRef() == FindActivePose(genome(), 2, 4));
}

TEST_F(PoseSheetWindowTest, ArrowsMoveBetweenCellsNamingThemAndEnterOpensTheGene) {
    NameTable::Instance().SetName(2, "Walk step 1");
    ui::PoseSheetWindow window(*doc);
    window.show();
    for (Qt::Key key :
         {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left})
        QTest::keyClick(&window, key);
    EXPECT_EQ(window.CurrentRow(), 1);  // the last row: a second Down stays there
    EXPECT_EQ(window.CurrentColumn(), 3);
    // Every cell is a child of the sheet's accessible table, row by row.
    QAccessibleInterface* sheet = QAccessible::queryAccessibleInterface(&window);
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->childCount(), 14);
    QAccessibleInterface* youth = sheet->child(1 * 7 + 3);
    EXPECT_EQ(youth->text(QAccessible::Name), "Walk step 1, Youth");
    EXPECT_EQ(youth->text(QAccessible::Description), "012301230123012");
    EXPECT_EQ(sheet->child(0)->text(QAccessible::Name), "Pose 1, Embryo");  // still named by its digits
    QTest::keyClick(&window, Qt::Key_Right);
    QTest::keyClick(&window, Qt::Key_Return);
    ASSERT_EQ(doc->PoseDialogs().size(), 1u);
    EXPECT_EQ(doc->PoseDialogs()[0]->GetGeneRef()->header.id, 3);
    EXPECT_EQ(sheet->child(1 * 7 + 4)->text(QAccessible::Description), "222222222222222");
}

TEST_F(PoseSheetWindowTest, OnlyRowsShownAreDrawnAndPastThePictureBudgetAgainWithTheSamePixels) {
    ui::PoseSheetWindow window(*doc);
    window.resize(window.minimumSize());
    const QRect row0 = window.CellRect(0, 0).united(window.CellRect(0, 6));
    const QRect row1 = window.CellRect(1, 0).united(window.CellRect(1, 6));
    const QImage before = window.grab(row0).toImage();
    EXPECT_EQ(window.RowsDrawn(), 1);
    const std::size_t oneRow = window.PictureBytes();
    window.SetPictureBudget(oneRow);
    window.grab(row1);  // shows row 1 only: row 0's picture goes
    EXPECT_EQ(window.PictureBytes(), oneRow);
    EXPECT_EQ(window.RowsDrawn(), 2);
    EXPECT_EQ(window.grab(row0).toImage(), before);  // drawn again, the same
    EXPECT_EQ(window.RowsDrawn(), 3);
    EXPECT_EQ(window.PictureBytes(), oneRow);
}

// The context menu from the keyboard (Shift+F10) is the current cell's: its new variant opens
// New Pose in variant mode on the row's pose at the cell's stage, and OK adds it.
TEST_F(PoseSheetWindowTest, NewVariantAtThisStageStartsAtTheCellAndItsGeneShowsInTheSheet) {
    ui::PoseSheetWindow window(*doc);
    window.show();
    window.setFocus();
    window.SetCurrentCell(window.Model().RowOf(2), 2);  // pose 2, Adolescent
    struct {
        bool variant = false;
        QString pose, stage;
    } seen;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << "no context menu";
        QTimer::singleShot(0, [&] {  // New Pose, modal, opened from the menu
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr) << "no New Pose dialog";
            seen.variant = Named<QAbstractButton>(dialog, "Variant")->isChecked();
            seen.pose = Named<QComboBox>(dialog, "Pose")->currentText();
            seen.stage = Named<QComboBox>(dialog, "Switch On")->currentText();
            Named(dialog, "OK")->click();
        });
        for (QAction* action : menu->actions())
            if (action->text() == "New &Variant at this stage") menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::keyClick(&window, Qt::Key_F10, Qt::ShiftModifier);  // as the menu key
    EXPECT_TRUE(seen.variant);
    EXPECT_EQ(seen.pose, ui::NameOf(2));
    EXPECT_EQ(seen.stage, "Adolescent");
    const GeneRef added = window.GeneAt(window.Model().RowOf(2), 2);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->header.switchOn, 2) << "a new gene: pose 2's own switches on at Embryo";
    EXPECT_TRUE(window.GeneAt(window.Model().RowOf(2), 3) == added) << "on to Youth";
    EXPECT_EQ(window.GeneAt(window.Model().RowOf(2), 4)->header.id, 3) << "Adult keeps its own";
}

// Export asks through the document's file dialog and writes the very picture
// `--pose-sheet` writes of the same genome and appearance; the preview age,
// which only marks a heading, changes nothing in it.
TEST_F(PoseSheetWindowTest, ExportWritesThePixelsOfTheCommandLinesSheet) {
    Change(&Appearance::age, 5);
    ui::PoseSheetFrame frame(*doc, 1);
    const std::string fromWindow = dir.File("window.png"), fromLine = dir.File("line.png");
    files.answers.push_back(QString::fromStdString(fromWindow));
    ASSERT_TRUE(frame.Export()) << frame.StatusText().toStdString();
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_FALSE(files.requests[0].open);
    EXPECT_TRUE(files.requests[0].initialFile.endsWith("/start poses.png"))
        << files.requests[0].initialFile.toStdString();
    EXPECT_TRUE(frame.StatusText().startsWith("Wrote the pose sheet of 2 poses")) << frame.StatusText().toStdString();
    std::ostringstream out, err;
    const CommandLine line = ParseCommandLine({"--pose-sheet", fromLine, "--genome", doc->GetPathName().toStdString(),
                                               "--appearance", "0,0,1,0,0,0,0,0,0,0,0,0"});
    ASSERT_EQ(RunPoseSheet(line, out, err), 0) << err.str();
    const QImage written(QString::fromStdString(fromWindow)), expected(QString::fromStdString(fromLine));
    ASSERT_FALSE(expected.isNull());
    EXPECT_TRUE(written == expected);
}

TEST_F(PoseSheetWindowTest, LabelsAndHeadingsStayInViewAndTheKeyboardKeepsTheCellClearOfThem) {
    ui::PoseSheetFrame frame(*doc, 3);  // large cells: the sheet scrolls both ways
    frame.resize(600, 450);
    frame.show();
    ui::PoseSheetWindow* sheet = frame.Sheet();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right}) QTest::keyClick(sheet, key);
    const QRect view = sheet->ViewRect(), cell = sheet->CellRect(1, 2);
    ASSERT_GT(view.top(), 0);
    ASSERT_GT(view.left(), 0);
    EXPECT_GE(cell.top(), view.top() + sheet->GridTop());
    EXPECT_GE(cell.left(), view.left() + sheet->LabelWidth());
    // A click on the headings or labels over the cells scrolled under them is no cell's.
    int row = -1, column = -1;
    EXPECT_FALSE(sheet->CellAt(QPoint(cell.center().x(), view.top() + 2), row, column));
    EXPECT_FALSE(sheet->CellAt(QPoint(view.left() + 2, cell.center().y()), row, column));
    ASSERT_TRUE(sheet->CellAt(cell.center(), row, column));
    EXPECT_EQ(row * 10 + column, 12);
}

}  // namespace
}  // namespace mirtala::test
