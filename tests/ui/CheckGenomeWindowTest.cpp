// The genome check window on a document: problems apart from information,
// refreshed by edits, and a double-click or Enter on a finding opening the
// dialog of the very gene it names.
#include <QTest>

#include "document/DocTestSupport.h"
#include "editor/ui/CheckGenomeWindow.h"

#include <QTreeWidget>

namespace mirtala::test {
namespace {

class CheckGenomeWindowTest : public DocTest {};

TEST_F(CheckGenomeWindowTest, FindingsAreGroupedFollowEditsAndOpenTheirGene) {
    // Gait 3 steps on pose 9, which has no gene; pose 2 is used by no gait.
    ASSERT_TRUE(Open({PoseGene(1, 1), PoseGene(2, 2), GaitGene(5, 3, std::string("\1\11\0\0\0\0\0\0", 8))}));
    ui::CheckGenomeWindow window(*doc);
    window.show();
    QTreeWidget* list = window.List();
    ASSERT_GE(list->topLevelItemCount(), 2);
    EXPECT_TRUE(list->topLevelItem(0)->text(0).startsWith("Problems")) << list->topLevelItem(0)->text(0).toStdString();
    EXPECT_TRUE(list->topLevelItem(1)->text(0).startsWith("Information"));
    std::size_t gaitFinding = window.Findings().size(), poseFinding = gaitFinding;
    for (std::size_t i = 0; i < window.Findings().size(); ++i) {
        const Finding& f = window.Findings()[i];
        if (f.text.find("pose 9 has no gene active") != std::string::npos) gaitFinding = i;
        if (f.kind == FindingKind::Information && f.gene.id == 2) poseFinding = i;
    }
    ASSERT_LT(gaitFinding, window.Findings().size());
    ASSERT_LT(poseFinding, window.Findings().size());
    // Double-click on the gait's finding opens the gait dialog on gait 3.
    QTreeWidgetItem* item = window.ItemOf(gaitFinding);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    list->scrollToItem(item);
    QApplication::processEvents();
    // As a real double-click: a press and release first, then the double-click.
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(doc->GaitDialogs().size(), 1u);
    EXPECT_EQ(doc->GaitDialogs()[0]->GetGeneRef()->header.id, 5);
    // Enter on the unused pose opens its pose dialog.
    list->setCurrentItem(window.ItemOf(poseFinding));
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(doc->PoseDialogs().size(), 1u);
    EXPECT_EQ(doc->PoseDialogs()[0]->GetGeneRef()->header.id, 2);
    // Adding pose 9 takes the gait's problem away at once.
    doc->AddGene(PoseGene(6, 9));
    for (const Finding& f : window.Findings())
        EXPECT_EQ(f.text.find("pose 9 has no gene"), std::string::npos) << f.text;
}

}  // namespace
}  // namespace mirtala::test
