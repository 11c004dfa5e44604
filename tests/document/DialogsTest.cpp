// The document's bookkeeping of open pose and gait dialogs, with fake dialogs
// standing in for the windows.
#include "DocTestSupport.h"
#include "editor/document/MessageService.h"

#include <gtest/gtest.h>

namespace mirtala {
namespace {

using namespace test;

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(OpenWithGenes(*doc, dir, {PoseGene(1, 10), PoseGene(2, 11), GaitGene(1, 4), GaitGene(2, 5)}));
    }
    const Genome& genome() const { return doc->GetGenome(); }
    int Count(const std::string& event) const {
        const auto& e = factory.log.events;
        return static_cast<int>(std::count(e.begin(), e.end(), event));
    }

    RecordingMessageService messages;
    ScopedMessageService useMessages{messages};
    FakeDialogFactory factory;
    ScopedDialogFactory useFactory{factory};
    TempDir dir;
    std::unique_ptr<CMirtalaDoc> doc = std::make_unique<CMirtalaDoc>();
};

TEST_F(DialogsTest, OneDialogPerGeneObject) {
    CGeneDialog* first = doc->OpenPoseDialog(genome().At(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(AsFake(first).raised, 1);
    EXPECT_EQ(doc->OpenPoseDialog(genome().At(0)), first);
    EXPECT_EQ(AsFake(first).raised, 2);
    EXPECT_NE(doc->OpenPoseDialog(genome().At(1)), first);
    EXPECT_EQ(doc->PoseDialogs().size(), 2u);

    CGeneDialog* gait = doc->OpenGaitDialog(genome().At(2));
    EXPECT_EQ(AsFake(gait).workingCopy, *genome().At(2));
    EXPECT_EQ(doc->OpenGaitDialog(genome().At(2)), gait);
    EXPECT_EQ(doc->GaitDialogs().size(), 1u);

    // A gene with the same content but another object gets its own dialog.
    const GeneRef twin = GeneRef::Make(*genome().At(0));
    EXPECT_NE(doc->OpenPoseDialog(twin), first);
    EXPECT_EQ(doc->OpenPoseDialog(GeneRef()), nullptr);
}

// The pose string handed to a pose dialog is always fifteen characters.
struct PoseStringCase {
    std::vector<std::uint8_t> data;
    std::string expected;
};
class PoseStringTest : public DialogsTest, public ::testing::WithParamInterface<PoseStringCase> {};

TEST_P(PoseStringTest, FifteenCharactersFromDataBytesOneToFifteen) {
    Gene g = PoseGene(9, 30);
    g.data = GetParam().data;
    doc->AddGene(g);
    CGeneDialog* d = doc->OpenPoseDialog(genome().At(genome().Count() - 1));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(AsFake(d).poseString, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, PoseStringTest,
    ::testing::Values(PoseStringCase{{7, '1', '2', '3', '4', '5', '0', '1', '2', '3', '4', '5', 'X', '?', '!', '0'},
                                     "12345012345X?!0"},
                      PoseStringCase{{7, '1', '2', '3', '4', '5', '0', '1', '2', '3', '4', '5', 'X', '?', '!', '0', 'z', 'z'},
                                     "12345012345X?!0"},
                      PoseStringCase{{7, '3', '2'}, "320000000000000"},  // short genes from a file
                      PoseStringCase{{}, "000000000000000"}));

TEST_F(DialogsTest, EveryChangeOrRemovalRefreshesEveryDialogButAnAdditionDoesNot) {
    FakeDialog& p1 = AsFake(doc->OpenPoseDialog(genome().At(0)));
    FakeDialog& p2 = AsFake(doc->OpenPoseDialog(genome().At(1)));
    FakeDialog& g1 = AsFake(doc->OpenGaitDialog(genome().At(2)));
    RecordingView view;
    doc->AddView(&view);

    Gene applied = *genome().At(0);
    applied.data[2] = 'X';
    doc->ModifyGene(applied);  // Apply in the first pose dialog
    EXPECT_EQ(p1.refreshes, 1);
    EXPECT_EQ(p2.refreshes, 1);
    EXPECT_EQ(g1.refreshes, 1);
    EXPECT_TRUE(view.hints.empty());

    doc->AddGene(PoseGene(3, 12));
    EXPECT_EQ(p1.refreshes, 1);
    doc->Undo();  // the addition undone removes the gene
    doc->Undo();  // the modification undone
    EXPECT_EQ(p1.refreshes, 3);
    EXPECT_EQ(p2.refreshes, 3);
    EXPECT_EQ(g1.refreshes, 3);
    // Pose dialogs refresh before gait dialogs.
    const auto& e = factory.log.events;
    EXPECT_LT(std::find(e.begin(), e.end(), "pose2 refresh"), std::find(e.begin(), e.end(), "gait1 refresh"));
}

TEST_F(DialogsTest, AppearanceReachesEveryDialogAndStays) {
    FakeDialog& p1 = AsFake(doc->OpenPoseDialog(genome().At(0)));
    FakeDialog& g1 = AsFake(doc->OpenGaitDialog(genome().At(2)));
    FakeDialog& g2 = AsFake(doc->OpenGaitDialog(genome().At(3)));
    const Appearance a{1, 4, 2, 7, 1, 3, 0, 25, 2, 2, 1, 9};
    doc->ChangeAppearance(a);
    EXPECT_EQ(doc->GetAppearance(), a);
    for (FakeDialog* d : {&p1, &g1, &g2}) {
        ASSERT_EQ(d->appearances.size(), 1u) << d->Name();
        EXPECT_EQ(d->appearances[0], a);
    }
    EXPECT_FALSE(doc->IsModified());  // the appearance is not part of the genome
    EXPECT_EQ(doc->UndoCount(), 0u);
}

TEST_F(DialogsTest, ClosingDropsExactlyThatDialog) {
    CGeneDialog* p1 = doc->OpenPoseDialog(genome().At(0));
    CGeneDialog* p2 = doc->OpenPoseDialog(genome().At(1));
    CGeneDialog* g1 = doc->OpenGaitDialog(genome().At(2));
    doc->GaitDialogClosed(p2);  // not a gait dialog: nothing happens
    EXPECT_EQ(Count("pose2 destroyed"), 0);
    doc->PoseDialogClosed(p1);
    EXPECT_EQ(Count("pose1 destroyed"), 1);
    EXPECT_EQ(doc->PoseDialogs().size(), 1u);
    EXPECT_EQ(doc->PoseDialogs()[0].get(), p2);
    doc->GaitDialogClosed(g1);
    EXPECT_EQ(Count("gait1 destroyed"), 1);
    // Reopening after a close makes a new dialog.
    EXPECT_NE(doc->OpenPoseDialog(genome().At(0)), nullptr);
    EXPECT_EQ(Count("pose3 top"), 1);
}

// A dialog that reports its own closing while it is being destroyed.
class SelfClosingDialog : public FakeDialog {
public:
    SelfClosingDialog(CMirtalaDoc& doc, GeneRef gene, DialogLog& log) : FakeDialog("self", std::move(gene), log), m_doc(doc) {}
    ~SelfClosingDialog() override { m_doc.PoseDialogClosed(this); }

private:
    CMirtalaDoc& m_doc;
};

class SelfClosingFactory : public FakeDialogFactory {
public:
    GeneDialogHandle CreatePoseDialog(CMirtalaDoc& doc, const GeneRef& gene, const std::string&) override {
        return std::make_shared<SelfClosingDialog>(doc, gene, log);
    }
};

TEST_F(DialogsTest, DialogsThatReportClosingWhileDestroyedAreSafe) {
    SelfClosingFactory selfClosing;
    ScopedDialogFactory use(selfClosing);
    doc->OpenPoseDialog(genome().At(0));
    doc->OpenPoseDialog(genome().At(1));
    doc->PoseDialogClosed(doc->PoseDialogs()[0].get());
    EXPECT_EQ(doc->PoseDialogs().size(), 1u);
    doc->RemoveGene(*genome().At(1));  // closes the other through CloseDialogsFor
    EXPECT_TRUE(doc->PoseDialogs().empty());
    doc->OpenPoseDialog(genome().At(0));
    doc.reset();
    EXPECT_EQ(std::count(selfClosing.log.events.begin(), selfClosing.log.events.end(), "self destroyed"), 3);
}

TEST_F(DialogsTest, DocumentClosesGaitDialogsThenPoseDialogs) {
    doc->OpenPoseDialog(genome().At(0));
    doc->OpenGaitDialog(genome().At(2));
    doc->OpenPoseDialog(genome().At(1));
    doc->OpenGaitDialog(genome().At(3));
    const GeneRef kept = genome().At(0);
    doc.reset();
    auto& e = factory.log.events;
    std::vector<std::string> destroyed;
    std::copy_if(e.begin(), e.end(), std::back_inserter(destroyed),
                 [](const std::string& s) { return s.ends_with("destroyed"); });
    EXPECT_EQ(destroyed, (std::vector<std::string>{"gait1 destroyed", "gait2 destroyed", "pose1 destroyed",
                                                   "pose2 destroyed"}));
    EXPECT_EQ(kept.UseCount(), 1u);  // the genome and the dialogs let go of it
}

TEST(DialogFactory, WithoutOneNothingOpens) {
    EnsureApplication();
    CMirtalaDoc doc;
    doc.AddGene(PoseGene(1, 1));
    EXPECT_EQ(doc.OpenPoseDialog(doc.GetGenome().At(0)), nullptr);
    EXPECT_TRUE(doc.PoseDialogs().empty());
}

}  // namespace
}  // namespace mirtala
