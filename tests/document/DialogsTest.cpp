// The document's bookkeeping of open pose and gait dialogs, with fake dialogs
// standing in for the windows, and the appearance handed to them.
#include "DocTestSupport.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

namespace mirtala::test {
namespace {

class DialogsTest : public DocTest {
protected:
    void SetUp() override { ASSERT_TRUE(Open({PoseGene(1, 10), PoseGene(2, 11), GaitGene(1, 4), GaitGene(2, 5)})); }
    FakeDialog& Pose(std::size_t i) { return static_cast<FakeDialog&>(*doc->OpenPoseDialog(genome().At(i))); }
    FakeDialog& Gait(std::size_t i) { return static_cast<FakeDialog&>(*doc->OpenGaitDialog(genome().At(i))); }
    // The logged events of one kind ("refresh", "destroyed"), in order.
    DialogLog Events(const std::string& kind) const {
        DialogLog e = factory.log;
        std::erase_if(e, [&](const std::string& s) { return !s.ends_with(kind); });
        return e;
    }
};

TEST_F(DialogsTest, OneDialogPerGeneObjectAndReopeningRaisesIt) {
    CGeneDialog* first = doc->OpenPoseDialog(genome().At(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(doc->OpenPoseDialog(genome().At(0)), first);
    EXPECT_NE(doc->OpenPoseDialog(genome().At(1)), first);
    EXPECT_EQ(&Gait(2), &Gait(2));
    EXPECT_EQ(Events("top"), (DialogLog{"pose1 top", "pose1 top", "pose2 top", "gait1 top", "gait1 top"}));
    EXPECT_EQ(doc->PoseDialogs().size(), 2u);
    EXPECT_EQ(doc->GaitDialogs().size(), 1u);
    // The same content in another object gets its own dialog; no gene gets none.
    EXPECT_NE(doc->OpenPoseDialog(GeneRef::Make(*genome().At(0))), first);
    EXPECT_EQ(doc->OpenPoseDialog(GeneRef()), nullptr);
}

TEST_F(DialogsTest, ApplyAndRemovalRefreshEveryDialogAndTheAppearanceReachesEveryDialog) {
    FakeDialog* dialogs[] = {&Pose(0), &Pose(1), &Gait(2)};
    Gene applied = *genome().At(0);
    applied.data[2] = 'X';
    doc->ModifyGene(applied);       // Apply in the first pose dialog
    doc->AddGene(PoseGene(3, 12));  // an addition refreshes nothing
    doc->Undo();                    // removes the added gene
    doc->Undo();                    // the modification
    DialogLog expected;
    for (int round = 0; round < 3; ++round)
        expected.insert(expected.end(), {"pose1 refresh", "pose2 refresh", "gait1 refresh"});
    EXPECT_EQ(Events("refresh"), expected);  // poses first

    const Appearance a{1, 4, 2, 7, 1, 3, 0, 25, 2, 2, 1, 9};
    doc->ChangeAppearance(a);
    for (FakeDialog* d : dialogs) EXPECT_EQ(d->appearances, std::vector{a}) << d->name;
    EXPECT_EQ(doc->UndoCount(), 0u);  // the appearance is not part of the genome
    // The picture control takes the regions first, then sex and age, each cut to 16 bits.
    const Appearance b{1, 6, 10, 11, 20, 21, 30, 31, 40, 41, 50, 0x12345};
    EXPECT_EQ(b.ControlOrder(), (std::array<std::int16_t, 12>{10, 11, 20, 21, 30, 31, 40, 41, 50, 0x2345, 1, 6}));
    EXPECT_EQ(Appearance::FromValues(b.Values()), b);
}

TEST_F(DialogsTest, ClosingDropsExactlyThatDialogAndTheDocumentClosesGaitsThenPoses) {
    CGeneDialog *p1 = &Pose(0), *p2 = &Pose(1);
    Gait(2);
    Gait(3);
    doc->GaitDialogClosed(p2);  // not a gait dialog: nothing happens
    doc->PoseDialogClosed(p1);
    ASSERT_EQ(doc->PoseDialogs().size(), 1u);
    EXPECT_EQ(doc->PoseDialogs()[0].get(), p2);
    EXPECT_EQ(Pose(0).name, "pose3");  // reopening makes a new one
    doc.reset();
    EXPECT_EQ(Events("destroyed"), (DialogLog{"pose1 destroyed", "gait1 destroyed", "gait2 destroyed",
                                              "pose2 destroyed", "pose3 destroyed"}));
}

// Dialogs whose deleter reports their closing, while the document is releasing them.
struct SelfClosingFactory : FakeDialogFactory {
    GeneDialogHandle CreatePoseDialog(CMirtalaDoc& doc, const GeneRef& gene, const std::string&) override {
        return {new FakeDialog("self", gene, log), [&doc](CGeneDialog* d) {
                    doc.PoseDialogClosed(d);
                    delete d;
                }};
    }
};

TEST_F(DialogsTest, DialogsThatReportClosingWhileDestroyedAreSafe) {
    SelfClosingFactory selfClosing;
    ScopedDialogFactory use(selfClosing);
    Pose(0);
    Pose(1);
    doc->PoseDialogClosed(doc->PoseDialogs()[0].get());
    EXPECT_EQ(doc->PoseDialogs().size(), 1u);
    doc->RemoveGene(*genome().At(1));  // closes the other through CloseDialogsFor
    EXPECT_TRUE(doc->PoseDialogs().empty());
    Pose(0);
    doc.reset();
    EXPECT_EQ(std::ranges::count(selfClosing.log, std::string("self destroyed")), 3);
}

TEST(DialogFactory, WithoutOneNothingOpens) {
    CMirtalaDoc doc;
    doc.AddGene(PoseGene(1, 1));
    EXPECT_EQ(doc.OpenPoseDialog(doc.GetGenome().At(0)), nullptr);
}

// The desktop's own box: its buttons carry the texts asked for, and Escape
// answers Cancel, or OK where OK is the only button.
TEST_F(DialogsTest, TheDesktopMessageBoxAnswersByTheButtonPressedAndByEscape) {
    QStringList texts;
    auto press = [&texts](MessageButtons buttons, const QString& button) {
        QTimer::singleShot(0, [&texts, button] {
            QWidget* box = QApplication::activeModalWidget();
            texts.clear();
            for (QAbstractButton* b : box->findChildren<QAbstractButton*>()) {
                texts << b->text();
                if (b->text() == button) b->click();
            }
            if (button.isEmpty()) QTest::keyClick(box, Qt::Key_Escape);
        });
        return QtMessageService().Show(
            {"Mirtala", "text", MessageIcon::Question, buttons, nullptr, "Recover", "Discard"});
    };
    EXPECT_EQ(press(MessageButtons::Ok, ""), MessageAnswer::Ok);
    EXPECT_EQ(press(MessageButtons::YesNoCancel, ""), MessageAnswer::Cancel);
    EXPECT_EQ(press(MessageButtons::YesNoCancel, "Discard"), MessageAnswer::No);
    EXPECT_EQ(press(MessageButtons::YesNo, "Recover"), MessageAnswer::Yes);
    EXPECT_EQ(texts, QStringList({"Recover", "Discard"}));
}

// The desktop's own file dialog, saving: the filter shown, the extension added to a bare name.
TEST_F(DialogsTest, TheDesktopFileDialogShowsTheFilterAndAddsTheExtension) {
    QStringList filters;
    QTimer::singleShot(0, [&filters] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        filters = dialog->nameFilters();
        static_cast<QDialog*>(dialog)->accept();
    });
    const QString bare = QString::fromStdString(dir.File("new"));
    const auto chosen = QtFileDialogService().Choose({false, "Save As", ".gno", bare, "Genomes (*.gno)|*.gno"});
    EXPECT_EQ(chosen.value_or(""), bare + ".gno");
    EXPECT_EQ(filters, QStringList{"Genomes (*.gno)"});
}

}  // namespace
}  // namespace mirtala::test
