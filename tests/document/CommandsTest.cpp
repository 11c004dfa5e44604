// The gene commands through the document: where genes go, what the views are
// told, how undo and redo move commands, and what the Edit menu shows.
#include "DocTestSupport.h"

#include <QAction>
#include <QUndoStack>

namespace mirtala::test {
namespace {

using Strings = std::vector<std::string>;

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
    for (int id : {3, 4}) doc->AddGene(PoseGene(std::uint8_t(id), std::uint8_t(id + 9)));
    EXPECT_EQ(Ids(), (std::vector{1, 1, 2, 3, 4}));
    for (int i = 0; i < 2; ++i) doc->Undo();
    EXPECT_EQ(Ids(), (std::vector{1, 1, 2}));
    doc->Redo();
    ASSERT_EQ(genome().Count(), 4u);
    EXPECT_EQ(*genome().At(3), PoseGene(3, 12));
    const Strings expected{"added 3", "added 4", "removed 4", "removed 3", "added 3"};
    EXPECT_EQ(view.hints, expected);
    EXPECT_EQ(second.hints, expected);  // attached twice, told once
    EXPECT_TRUE(detached.hints.empty());
    EXPECT_EQ(view.genes[4], genome().At(3));
    EXPECT_EQ(view.genes[3], view.genes[0]);  // the removed gene is the object that was added
}

TEST_F(CommandsTest, RemovedGaitReturnsAtTheEndOnUndoWithItsDialogStillClosed) {
    const GeneRef gait = genome().At(0);
    ASSERT_NE(doc->OpenGaitDialog(gait), nullptr);
    ASSERT_NE(doc->OpenPoseDialog(genome().At(1)), nullptr);
    doc->RemoveGene(*gait);
    EXPECT_EQ(view.genes, std::vector{gait});
    doc->Undo();
    EXPECT_EQ(view.hints, (Strings{"removed 1", "added 1"}));
    EXPECT_EQ(Ids(), (std::vector{1, 2, 1}));
    EXPECT_EQ(*genome().At(2), *gait);
    EXPECT_FALSE(genome().At(2) == gait);  // a new gene object with the old content
    EXPECT_TRUE(doc->GaitDialogs().empty());
    EXPECT_EQ(doc->PoseDialogs().size(), 1u);
    // Closed once, before the other dialogs refreshed; the addition refreshes nothing.
    EXPECT_EQ(factory.log, (Strings{"gait1 top", "pose1 top", "gait1 destroyed", "pose1 refresh"}));
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
    EXPECT_EQ(Ids(), (std::vector{1, 1, 2}));
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(doc->UndoCount(), 3u);
}

// The stack's own Undo and Redo actions, as the Edit menu shows them.
TEST_F(CommandsTest, UndoAndRedoActionsFollowTheStack) {
    QObject owner;
    QAction* undo = doc->UndoStack()->createUndoAction(&owner, kUndoPrefix);
    QAction* redo = doc->UndoStack()->createRedoAction(&owner, kRedoPrefix);
    // After each step: the texts of the Undo and Redo items; a plain "Undo" or "Redo" is disabled.
    const struct Step {
        const char *action, *undo, *redo;
    } steps[] = {{"", "Undo", "Redo"},
                 {"modify", "Undo Modify Gene", "Redo"},
                 {"remove", "Undo Remove Gene", "Redo"},
                 {"undo", "Undo Modify Gene", "Redo Remove Gene"},
                 {"undo", "Undo", "Redo Modify Gene"},
                 {"redo", "Undo Modify Gene", "Redo Remove Gene"},  // the rest of the redo part stays
                 {"undo", "Undo", "Redo Modify Gene"},
                 {"undo", "Undo", "Redo Modify Gene"},  // nothing to undo
                 {"add", "Undo Add Gene", "Redo"},      // a new command empties the redo part
                 {"undo", "Undo", "Redo Add Gene"},
                 {"redo", "Undo Add Gene", "Redo"},
                 {"redo", "Undo Add Gene", "Redo"}};
    for (const Step& step : steps) {
        const std::string action = step.action;
        if (action == "add") doc->AddGene(PoseGene(20, 50));
        if (action == "modify") doc->ModifyGene(*genome().At(1));
        if (action == "remove") doc->RemoveGene(*genome().At(0));
        if (action == "undo") doc->Undo();
        if (action == "redo") doc->Redo();
        EXPECT_EQ(undo->text(), step.undo) << action;
        EXPECT_EQ(redo->text(), step.redo) << action;
        EXPECT_EQ(undo->isEnabled(), undo->text() != kUndoPrefix) << action;
        EXPECT_EQ(redo->isEnabled(), redo->text() != kRedoPrefix) << action;
    }
}

}  // namespace
}  // namespace mirtala::test
