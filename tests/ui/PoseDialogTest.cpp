// The pose dialog on a real document: clicks to pose string, picture and
// "Modify Gene" steps; characters outside the alphabets; refreshes, variants
// and removal; and the pictures against the engine's own drawing.
#include "EditDialogTestSupport.h"
#include "picture/WalkTestSupport.h"

#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "editor/document/NameTable.h"
#include "editor/ui/EditDialogIds.h"
#include "editor/ui/GaitDlg.h"
#include "editor/ui/PoseDlg.h"

namespace mirtala::test {
namespace {

using ui::CPoseDlg;

using PoseDialogTest = EditDialogTest;

TEST_F(PoseDialogTest, ClicksShowAtOnceAndEveryApplyOrOkIsOneModifyStep) {
    NameTable::Instance().SetName(2, "Walk step 1");
    Open({PoseGene(1, 2, "211000222220111")});
    CPoseDlg* dialog = OpenPose<CPoseDlg>(0);
    ASSERT_NE(dialog, nullptr);
    auto* picture = Named<ui::CZubrelle>(dialog, "Pose Picture");
    QAbstractButton* apply = Named(dialog, "Apply");
    EXPECT_EQ(dialog->windowTitle(), "Walk step 1");
    EXPECT_FALSE(apply->isEnabled());

    EXPECT_FALSE(Named<QPushButton>(dialog, "Head ?")->autoDefault()) << "Enter on a slot would press it, not OK";
    for (const char* name : {"Head ?", "Left Thigh X", "Tail Root 3"}) Named(dialog, name)->click();
    EXPECT_TRUE(apply->isEnabled());
    EXPECT_EQ(picture->GetPoseString(0), "2?1X00222220131");
    EXPECT_EQ(picture->accessibleDescription(), "Pose string 2?1X00222220131");
    EXPECT_EQ(PoseStringOf(*GeneAt(0)), "211000222220111") << "nothing applied yet";

    apply->click();
    EXPECT_EQ(PoseStringOf(*GeneAt(0)), "2?1X00222220131");
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(doc->UndoCount(), 1u);

    const QPointer<CPoseDlg> first = dialog;
    Named(dialog, "OK")->click();  // no change, still a step
    EXPECT_EQ(doc->UndoCount(), 2u);
    EXPECT_TRUE(doc->PoseDialogs().empty());
    DeleteClosed();
    EXPECT_TRUE(first.isNull());

    // Cancel, Escape and the close box drop the clicks and add no step.
    for (int way = 0; way < 3; ++way) {
        dialog = OpenPose<CPoseDlg>(0);
        Named(dialog, "Body 3")->click();
        if (way == 0) Named(dialog, "Cancel")->click();
        if (way == 1) QTest::keyClick(dialog, Qt::Key_Escape);
        if (way == 2) dialog->close();
        EXPECT_TRUE(doc->PoseDialogs().empty()) << way;
        DeleteClosed();
    }
    EXPECT_EQ(PoseStringOf(*GeneAt(0)), "2?1X00222220131");
    EXPECT_EQ(doc->UndoCount(), 2u);
}

TEST_F(PoseDialogTest, CharactersOutsideTheAlphabetsShowAsTheFirstButtonAndApplyAsZero) {
    // Every slot shows a button; what it shows is what OK applies, as long as the stored string.
    const std::pair<std::string, std::string> cases[] = {{"!?9000000000000", "!?0000000000000"},
                                                         {"X6X0000000000X!", "X0X0000000000X0"},
                                                         {"3\xe9", "30"},  // short gene: length kept
                                                         {"", ""}};
    Open({PoseGene(1, 4, "")});
    for (const auto& [stored, applied] : cases) {
        doc->AddGene(PoseGene(2, 4, stored));
        const std::size_t last = doc->GetGenome().Count() - 1;
        CPoseDlg* dialog = OpenPose<CPoseDlg>(last);
        std::string chosen;  // the characters of the checked buttons (the last of each name), slot by slot
        for (int slot = 0; slot < ui::kPoseSlotCount; ++slot)
            for (int i = 0; i <= 8; ++i)  // 8 is past every row: no button
                if (auto* b = qobject_cast<QAbstractButton*>(dialog->GetDlgItem(ui::PoseSlotButtonId(slot, i)));
                    b && b->isChecked())
                    chosen += b->accessibleName().back().toLatin1();
        EXPECT_EQ(chosen, applied + std::string(15 - applied.size(), '0')) << stored;
        Named(dialog, "OK")->click();
        EXPECT_EQ(PoseStringOf(*GeneAt(last)), applied) << stored;
        doc->RemoveGene(*GeneAt(last));
    }
}

TEST_F(PoseDialogTest, EveryDialogReloadsOnUndoAndTheDialogOfARemovedGeneCloses) {
    NameTable::Instance().SetName(1, "Stand");
    Open({PoseGene(1, 1, "211111111111111"), WithSwitchOn(PoseGene(2, 1, "211111111112211"), 4)});
    CPoseDlg* young = OpenPose<CPoseDlg>(0);
    CPoseDlg* old = OpenPose<CPoseDlg>(1);
    ASSERT_NE(young, old);
    EXPECT_EQ(young->windowTitle(), old->windowTitle());

    for (const char* name : {"Head 3", "Apply", "Body 2"}) Named(young, name)->click();
    Named(old, "Body 2")->click();  // neither Body 2 is applied
    doc->Undo();
    EXPECT_EQ(young->PoseString() + "|" + old->PoseString(), "211111111111111|211111111112211");
    EXPECT_EQ(Named<ui::CZubrelle>(young, "Pose Picture")->GetPoseString(0), "211111111111111");
    EXPECT_TRUE(Named(young, "Head 1")->isChecked());
    EXPECT_TRUE(Named(old, "Body 1")->isChecked());

    const QPointer<CPoseDlg> closing = young;
    doc->RemoveGene(*GeneAt(0));
    ASSERT_EQ(doc->PoseDialogs().size(), 1u);
    EXPECT_EQ(doc->PoseDialogs()[0].get(), old);
    EXPECT_FALSE(closing->isVisible());
    DeleteClosed();
    EXPECT_TRUE(closing.isNull());
    doc->Undo();  // the gene comes back, its dialog does not
    EXPECT_EQ(doc->PoseDialogs().size(), 1u);
}

TEST_F(PoseDialogTest, PicturesShowTheEnginesDrawingInTheDocumentsAppearance) {
    const std::string walk1 = "211000222220111", walk2 = "211201111111111";
    Open({PoseGene(1, 2, walk1), PoseGene(2, 3, walk2), GaitGene(1, 1, std::string("\2\0\3\0\0\0\0\0", 8))});
    CPoseDlg* pose = OpenPose<CPoseDlg>(0);
    Named(pose, "Head 2")->click();
    ui::CGaitDlg* gait = OpenGait<ui::CGaitDlg>(2);
    doc->ChangeAppearance(Appearance{1, 4, 1, 1, 2, 0, 0, 1, 1, 0, 2, 1});
    const zubrelle::Appearance look{1, 4, 1, 1, 2, 0, 0, 1, 1, 0, 2, 1};  // the same, as the engine takes it

    const struct {
        ui::CZubrelle* picture;
        double scale;
        std::vector<std::string> poses;
    } pictures[] = {
        {Named<ui::CZubrelle>(pose, "Pose Picture"), double(1.35f), {"221000222220111"}},
        {Named<ui::CZubrelle>(gait, "Step 1 Picture"), 0.5, {walk1}},
        {Named<ui::CZubrelle>(gait, "Step Picture"), 1.0, {walk1}},
        {Named<ui::CZubrelle>(gait, "Preview"), 1.0, {walk1, walk2}},  // the empty step 2 leaves no gap
    };
    for (const auto& s : pictures) {
        const Pixels shown = Shown(*s.picture);
        EXPECT_EQ(shown, EngineFrames(look, s.poses, s.picture->width(), s.picture->height(), true, 0, 1, s.scale)[0])
            << s.picture->accessibleName().toStdString();
        EXPECT_LT(std::count(shown.begin(), shown.end(), 0xFFFFFFu), std::ptrdiff_t(shown.size())) << "not blank";
    }
}

}  // namespace
}  // namespace mirtala::test
