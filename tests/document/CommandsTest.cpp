// The gene commands through the document: where genes go, what the views are
// told, how undo and redo move commands, and what the Edit menu shows.
#include "DocTestSupport.h"
#include "editor/document/MessageService.h"

#include <gtest/gtest.h>

namespace mirtala {
namespace {

using namespace test;

class CommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(OpenWithGenes(doc, dir, {GaitGene(1, 4), PoseGene(1, 10), PoseGene(2, 11)}));
        doc.AddView(&view);
    }
    const Genome& genome() const { return doc.GetGenome(); }

    RecordingMessageService messages;
    ScopedMessageService useMessages{messages};
    FakeDialogFactory factory;
    ScopedDialogFactory useFactory{factory};
    TempDir dir;
    CMirtalaDoc doc;
    RecordingView view;
};

TEST_F(CommandsTest, AddedGeneComesBackAtTheEndWithItsIdOnEveryRedo) {
    const Gene fresh = PoseGene(3, 12);
    doc.AddGene(fresh);
    doc.AddGene(PoseGene(4, 13));
    EXPECT_EQ(Ids(genome()), (std::vector<std::uint8_t>{1, 1, 2, 3, 4}));

    doc.Undo();
    doc.Undo();
    EXPECT_EQ(Ids(genome()), (std::vector<std::uint8_t>{1, 1, 2}));
    doc.AddView(nullptr);  // ignored
    doc.Redo();
    ASSERT_EQ(genome().Count(), 4u);
    EXPECT_EQ(*genome().At(3), fresh);

    // Added, added, removed, removed, added: each time with the gene concerned.
    ASSERT_EQ(view.hints.size(), 5u);
    const int expected[] = {HintGeneAdded, HintGeneAdded, HintGeneRemoved, HintGeneRemoved, HintGeneAdded};
    const std::uint8_t ids[] = {3, 4, 4, 3, 3};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(view.hints[i].hint, expected[i]) << i;
        EXPECT_EQ(view.hints[i].content.header.id, ids[i]) << i;
    }
    // The added hint carries the handle the genome now holds.
    EXPECT_EQ(view.hints[4].gene, genome().At(3));
    // The removed gene is the object that was added; only the recorded hints still hold it.
    EXPECT_EQ(view.hints[3].gene, view.hints[0].gene);
    EXPECT_EQ(view.hints[3].gene.UseCount(), 2u);
}

TEST_F(CommandsTest, RemovedGaitReturnsAtTheEndAndItsDialogStaysClosed) {
    const GeneRef gait = genome().At(0);
    ASSERT_NE(doc.OpenGaitDialog(gait), nullptr);
    CGeneDialog* poseDialog = doc.OpenPoseDialog(genome().At(1));
    ASSERT_NE(poseDialog, nullptr);

    doc.RemoveGene(*gait);
    EXPECT_TRUE(doc.GaitDialogs().empty());
    EXPECT_EQ(doc.PoseDialogs().size(), 1u);
    EXPECT_EQ(AsFake(poseDialog).refreshes, 1);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0].hint, HintGeneRemoved);
    EXPECT_EQ(view.hints[0].gene, gait);

    doc.Undo();
    EXPECT_EQ(Ids(genome()), (std::vector<std::uint8_t>{1, 2, 1}));
    EXPECT_EQ(*genome().At(2), *gait);
    EXPECT_FALSE(genome().At(2) == gait);  // a new gene object with the old content
    EXPECT_TRUE(doc.GaitDialogs().empty());
    const auto& events = factory.log.events;
    EXPECT_EQ(std::count(events.begin(), events.end(), "gait1 destroyed"), 1);
    // The dialog was closed before the remaining dialogs refreshed.
    EXPECT_LT(std::find(events.begin(), events.end(), "gait1 destroyed"),
              std::find(events.begin(), events.end(), "pose1 refresh"));
}

TEST_F(CommandsTest, TwoModificationsUndoneAndOneRedone) {
    const GeneRef pose = genome().At(1);
    const Gene original = *pose;
    Gene first = original, second = original;
    first.data[1] = '3';
    second.data[1] = '2';
    second.data.push_back('!');  // lengths may change too

    doc.ModifyGene(first);
    doc.ModifyGene(second);
    EXPECT_EQ(*pose, second);  // changed in place: every holder sees it
    doc.Undo();
    EXPECT_EQ(*pose, first);
    doc.Undo();
    EXPECT_EQ(*pose, original);
    doc.Redo();
    EXPECT_EQ(*pose, first);
    EXPECT_EQ(genome().At(1), pose);
    EXPECT_TRUE(view.hints.empty());  // modifying in place sends no hint
}

TEST_F(CommandsTest, GeneThatLeftTheGenomeIsNeitherModifiedNorRemovedAgain) {
    Gene absent = PoseGene(9, 40);
    doc.ModifyGene(absent);
    doc.Undo();
    doc.Redo();
    doc.RemoveGene(absent);
    EXPECT_EQ(Ids(genome()), (std::vector<std::uint8_t>{1, 1, 2}));
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(doc.UndoCount(), 2u);  // both are still undoable steps
}

TEST_F(CommandsTest, HintsReachEveryAttachedViewOnly) {
    RecordingView second, detached;
    doc.AddView(&second);
    doc.AddView(&detached);
    doc.AddView(&second);  // attaching twice tells it once
    doc.RemoveView(&detached);
    doc.AddGene(GaitGene(2, 5));
    EXPECT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(second.hints.size(), 1u);
    EXPECT_TRUE(detached.hints.empty());
}

// The Edit menu after each step of one session.
struct MenuStep {
    const char* action;  // "add", "modify", "remove", "undo", "redo"
    bool undoEnabled;
    const char* undoText;
    bool redoEnabled;
    const char* redoText;
};

class MenuTest : public CommandsTest, public ::testing::WithParamInterface<std::vector<MenuStep>> {};

TEST_P(MenuTest, ItemsFollowTheStacks) {
    CCmdUI undo, redo;
    doc.UpdateUndoMenu(undo);
    doc.UpdateRedoMenu(redo);
    EXPECT_FALSE(undo.enabled);
    EXPECT_EQ(undo.text, QString("Undo \tCtrl+Z"));
    EXPECT_FALSE(redo.enabled);
    EXPECT_EQ(redo.text, QString("Redo \tCtrl+Y"));

    std::uint8_t next = 20;
    for (const MenuStep& step : GetParam()) {
        const std::string action = step.action;
        if (action == "add") doc.AddGene(PoseGene(next++, 50));
        if (action == "modify") doc.ModifyGene(*genome().At(1));
        if (action == "remove") doc.RemoveGene(*genome().At(0));
        if (action == "undo") doc.Undo();
        if (action == "redo") doc.Redo();
        doc.UpdateUndoMenu(undo);
        doc.UpdateRedoMenu(redo);
        EXPECT_EQ(undo.enabled, step.undoEnabled) << action;
        EXPECT_EQ(undo.text, QString(step.undoText)) << action;
        EXPECT_EQ(redo.enabled, step.redoEnabled) << action;
        EXPECT_EQ(redo.text, QString(step.redoText)) << action;
    }
    QAction action(nullptr);
    undo.ApplyTo(action);
    EXPECT_EQ(action.isEnabled(), undo.enabled);
    EXPECT_EQ(action.text(), undo.text);
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, MenuTest,
    ::testing::Values(
        std::vector<MenuStep>{
            {"add", true, "Undo Add Gene\tCtrl+Z", false, "Redo \tCtrl+Y"},
            {"undo", false, "Undo \tCtrl+Z", true, "Redo Add Gene\tCtrl+Y"},
            {"redo", true, "Undo Add Gene\tCtrl+Z", false, "Redo \tCtrl+Y"}},
        // A new command after an undo empties the redo stack.
        std::vector<MenuStep>{
            {"modify", true, "Undo Modify Gene\tCtrl+Z", false, "Redo \tCtrl+Y"},
            {"remove", true, "Undo Remove Gene\tCtrl+Z", false, "Redo \tCtrl+Y"},
            {"undo", true, "Undo Modify Gene\tCtrl+Z", true, "Redo Remove Gene\tCtrl+Y"},
            {"undo", false, "Undo \tCtrl+Z", true, "Redo Modify Gene\tCtrl+Y"},
            {"add", true, "Undo Add Gene\tCtrl+Z", false, "Redo \tCtrl+Y"}},
        // Redo keeps the rest of the redo stack.
        std::vector<MenuStep>{
            {"add", true, "Undo Add Gene\tCtrl+Z", false, "Redo \tCtrl+Y"},
            {"remove", true, "Undo Remove Gene\tCtrl+Z", false, "Redo \tCtrl+Y"},
            {"undo", true, "Undo Add Gene\tCtrl+Z", true, "Redo Remove Gene\tCtrl+Y"},
            {"undo", false, "Undo \tCtrl+Z", true, "Redo Add Gene\tCtrl+Y"},
            {"redo", true, "Undo Add Gene\tCtrl+Z", true, "Redo Remove Gene\tCtrl+Y"},
            {"undo", false, "Undo \tCtrl+Z", true, "Redo Add Gene\tCtrl+Y"},
            // Undo and Redo on an empty stack change nothing.
            {"undo", false, "Undo \tCtrl+Z", true, "Redo Add Gene\tCtrl+Y"}}));

}  // namespace
}  // namespace mirtala
