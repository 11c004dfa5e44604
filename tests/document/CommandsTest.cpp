// The gene commands through the document: where genes go, what the views are
// told, how undo and redo move commands, and what the Edit menu shows.
#include "DocTestSupport.h"

namespace mirtala::test {
namespace {

using IdList = std::vector<int>;

class CommandsTest : public DocTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(Open({GaitGene(1, 4), PoseGene(1, 10), PoseGene(2, 11)}));
        doc->AddView(&view);
    }
};

TEST_F(CommandsTest, AddedGeneComesBackAtTheEndWithItsIdAndEveryViewIsToldEachTime) {
    RecordingView second, detached;
    for (CDocumentView* v : std::vector<CDocumentView*>{&second, &second, &detached, nullptr}) doc->AddView(v);
    doc->RemoveView(&detached);
    doc->AddGene(PoseGene(3, 12));
    doc->AddGene(PoseGene(4, 13));
    EXPECT_EQ(Ids(), (IdList{1, 1, 2, 3, 4}));
    doc->Undo();
    doc->Undo();
    EXPECT_EQ(Ids(), (IdList{1, 1, 2}));
    doc->Redo();
    ASSERT_EQ(genome().Count(), 4u);
    EXPECT_EQ(*genome().At(3), PoseGene(3, 12));

    // Added, added, removed, removed, added: once to each attached view, with the gene concerned.
    const std::vector<std::pair<int, int>> expected{{HintGeneAdded, 3}, {HintGeneAdded, 4}, {HintGeneRemoved, 4},
                                                    {HintGeneRemoved, 3}, {HintGeneAdded, 3}};
    for (const RecordingView* v : {&view, &second}) {
        std::vector<std::pair<int, int>> got;
        for (const auto& [hint, gene] : v->hints) got.emplace_back(hint, gene->header.id);
        EXPECT_EQ(got, expected);
    }
    EXPECT_TRUE(detached.hints.empty());
    EXPECT_EQ(view.hints[4].second, genome().At(3));
    // The removed gene is the object that was added; only the four recorded hints still hold it.
    EXPECT_EQ(view.hints[3].second, view.hints[0].second);
    EXPECT_EQ(view.hints[0].second.UseCount(), 4u);
}

TEST_F(CommandsTest, RemovedGaitReturnsAtTheEndAndItsDialogStaysClosed) {
    const GeneRef gait = genome().At(0);
    ASSERT_NE(doc->OpenGaitDialog(gait), nullptr);
    ASSERT_NE(doc->OpenPoseDialog(genome().At(1)), nullptr);
    doc->RemoveGene(*gait);
    EXPECT_EQ(view.hints, (std::vector{std::pair(int(HintGeneRemoved), gait)}));
    doc->Undo();
    EXPECT_EQ(Ids(), (IdList{1, 2, 1}));
    EXPECT_EQ(*genome().At(2), *gait);
    EXPECT_FALSE(genome().At(2) == gait);  // a new gene object with the old content
    EXPECT_TRUE(doc->GaitDialogs().empty());
    EXPECT_EQ(doc->PoseDialogs().size(), 1u);
    // Closed once, before the other dialogs refreshed; the addition refreshes nothing.
    EXPECT_EQ(factory.log.events, (std::vector<std::string>{"gait1 top", "pose1 top", "gait1 destroyed", "pose1 refresh"}));
}

TEST_F(CommandsTest, TwoModificationsUndoneInPlaceWithoutHints) {
    const GeneRef pose = genome().At(1);
    const Gene original = *pose;
    Gene first = original, second = original;
    first.data[1] = '3';
    second.data.push_back('!');  // lengths may change too
    doc->ModifyGene(first);
    doc->ModifyGene(second);
    EXPECT_EQ(*pose, second);  // changed in place: every holder sees it
    doc->Undo();
    EXPECT_EQ(*pose, first);
    doc->Undo();
    EXPECT_EQ(*pose, original);
    doc->Redo();
    EXPECT_EQ(*pose, first);
    EXPECT_EQ(genome().At(1), pose);

    // A gene no longer in the genome is neither modified nor removed, but each is still a step.
    doc->ModifyGene(PoseGene(9, 40));
    doc->Undo();
    doc->Redo();
    doc->RemoveGene(PoseGene(9, 40));
    EXPECT_EQ(Ids(), (IdList{1, 1, 2}));
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(doc->UndoCount(), 3u);
}

// The Edit menu after each step; an empty name means the item is disabled.
struct MenuStep {
    std::string action;
    const char *undo, *redo;
};
class MenuTest : public CommandsTest, public ::testing::WithParamInterface<std::vector<MenuStep>> {};

TEST_P(MenuTest, ItemsFollowTheStacks) {
    std::uint8_t next = 20;
    for (const MenuStep& step : GetParam()) {
        SCOPED_TRACE(step.action);
        if (step.action == "add") doc->AddGene(PoseGene(next++, 50));
        if (step.action == "modify") doc->ModifyGene(*genome().At(1));
        if (step.action == "remove") doc->RemoveGene(*genome().At(0));
        if (step.action == "undo") doc->Undo();
        if (step.action == "redo") doc->Redo();
        CCmdUI undo, redo;
        doc->UpdateUndoMenu(undo);
        doc->UpdateRedoMenu(redo);
        EXPECT_EQ(std::pair(undo.enabled, undo.text), std::pair(*step.undo != 0, QString("Undo ") + step.undo + "\tCtrl+Z"));
        EXPECT_EQ(std::pair(redo.enabled, redo.text), std::pair(*step.redo != 0, QString("Redo ") + step.redo + "\tCtrl+Y"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, MenuTest,
    ::testing::Values(
        std::vector<MenuStep>{{"", "", ""}, {"add", "Add Gene", ""}, {"undo", "", "Add Gene"}, {"redo", "Add Gene", ""}},
        // A new command after an undo empties the redo stack.
        std::vector<MenuStep>{{"modify", "Modify Gene", ""}, {"remove", "Remove Gene", ""},
                              {"undo", "Modify Gene", "Remove Gene"}, {"undo", "", "Modify Gene"}, {"add", "Add Gene", ""}},
        // Redo keeps the rest of the redo stack; undo on an empty stack changes nothing.
        std::vector<MenuStep>{{"add", "Add Gene", ""}, {"remove", "Remove Gene", ""}, {"undo", "Add Gene", "Remove Gene"},
                              {"undo", "", "Add Gene"}, {"redo", "Add Gene", "Remove Gene"}, {"undo", "", "Add Gene"},
                              {"undo", "", "Add Gene"}}));

}  // namespace
}  // namespace mirtala::test
