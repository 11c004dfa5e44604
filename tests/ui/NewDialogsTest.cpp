// New Pose and New Gait: numbers, names, switch-on marks, pasted genes and refusals.
#include "ui/EditorTestSupport.h"

#include "editor/ui/DialogResources.h"
#include "editor/ui/NameText.h"
#include "editor/ui/NewGaitDlg.h"
#include "editor/ui/NewPoseDlg.h"

#include <QLineEdit>

namespace mirtala::test {
namespace {

using ui::CNewGaitDlg;
using ui::CNewPoseDlg;
namespace id = ui::id;

Gene Variant(std::uint8_t gid, std::uint8_t number, std::uint8_t switchOn) {
    return WithSwitchOn(PoseGene(gid, number), switchOn);
}

using NewDialogsTest = ViewTest;

TEST_F(NewDialogsTest, NewPoseInAnEmptyGenomeTakesNumberZeroAtEmbryo) {
    ASSERT_TRUE(Open({GaitGene(1, 0)}));
    NameTable::Instance().SetName(0, "Stand");
    CNewPoseDlg dialog(*doc);
    dialog.CreateModeless();
    EXPECT_EQ(Named<QLineEdit>(&dialog, "Pose Name")->text(), "Stand");
    EXPECT_TRUE(Named<QWidget>(&dialog, "Pose Name")->isEnabled());
    EXPECT_FALSE(Named<QComboBox>(&dialog, "Pose")->isEnabled());
    EXPECT_FALSE(ComboEntries(Named<QComboBox>(&dialog, "Switch On")).join("").contains('*'));
    Named<QLineEdit>(&dialog, "Pose Name")->setText("Stand tall");
    Named(&dialog, "OK")->click();
    ASSERT_EQ(genome().Count(), 2u);
    const Gene& added = *genome().At(1);
    // The fresh gene's layout is the gene factory's.
    EXPECT_EQ(added.header.subtype, kPoseSubtype);
    EXPECT_EQ(added.data[0], 0) << "the new pose number";
    EXPECT_EQ(added.header.switchOn, 0);
    // The name is stored on OK and stays when the addition is undone.
    doc->Undo();
    EXPECT_EQ(NameTable::Instance().GetName(0), "Stand tall");
}

TEST_F(NewDialogsTest, VariantModeMarksTheChosenPosesSwitchOnTimesAndRefusesATakenOne) {
    ASSERT_TRUE(Open({Variant(2, 7, 0), Variant(1, 2, 5), Variant(3, 7, 3)}));  // the taken time in the first gene
    CNewPoseDlg dialog(*doc);
    dialog.CreateModeless();
    EXPECT_EQ(dialog.NewPoseNumber(), 0);
    Named(&dialog, "Variant")->click();
    EXPECT_FALSE(Named<QWidget>(&dialog, "Pose Name")->isEnabled());
    QComboBox* stages = Named<QComboBox>(&dialog, "Switch On");
    EXPECT_FALSE(ComboEntries(stages).join("").contains('*'));  // no pose chosen yet

    // OK before a pose is chosen is refused, with nothing added.
    Named(&dialog, "OK")->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Error");

    Choose(Named<QComboBox>(&dialog, "Pose"), 1);  // pose 7; pose 2's Old is not marked
    EXPECT_EQ(ComboEntries(stages),
              QStringList({"* Embryo", "Child", "Adolescent", "* Youth", "Adult", "Old", "Senile"}));
    Choose(stages, 0);
    Named(&dialog, "OK")->click();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "Pose already exists with this switch on time.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(genome().Count(), 3u);

    Choose(stages, 4);
    Named(&dialog, "OK")->click();
    ASSERT_EQ(genome().Count(), 4u);
    EXPECT_EQ(genome().At(3)->data[0], 7) << "the chosen pose";
    EXPECT_EQ(genome().At(3)->header.switchOn, 4) << "Adult";
}

TEST_F(NewDialogsTest, EveryPoseNumberTakenStartsInVariantModeOnTheLastPose) {
    std::vector<Gene> poses;
    for (int n = 0; n < 256; ++n)
        poses.push_back(Variant(static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n), 2));
    ASSERT_TRUE(Open(poses));
    CNewPoseDlg dialog(*doc);
    dialog.CreateModeless();
    EXPECT_FALSE(Named(&dialog, "New Pose")->isEnabled());
    EXPECT_EQ(Named<QComboBox>(&dialog, "Pose")->currentIndex(), 255);
    EXPECT_EQ(Named<QLineEdit>(&dialog, "Pose Name")->text(), "") << "no new number, so no name of one";
    EXPECT_EQ(Named<QComboBox>(&dialog, "Switch On")->itemText(2), "* Adolescent");
    // Every identifier is taken as well: refused rather than reusing one.
    Named(&dialog, "OK")->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains("identifiers are in use"));
    EXPECT_EQ(genome().Count(), 256u);
}

TEST_F(NewDialogsTest, APastedPoseKeepsItsStringAndHeaderBytesAndGetsANewIdentity) {
    ASSERT_TRUE(Open({PoseGene(1, 0)}));
    const Gene pasted{GeneHeader{kCreatureGeneType, kPoseSubtype, 1, 0x11, 6, 0x22, 0x33}, {0, 'X', '?', '1', '2'}};
    CNewPoseDlg dialog(*doc);
    dialog.SetGene(pasted);
    dialog.CreateModeless();
    Named(&dialog, "OK")->click();
    ASSERT_EQ(genome().Count(), 2u);
    const Gene& added = *genome().At(1);
    EXPECT_EQ(added.data, std::vector<std::uint8_t>({1, 'X', '?', '1', '2'}));
    // Switch-on 0: a new pose, not a variant.
    EXPECT_EQ(added.header, (GeneHeader{kCreatureGeneType, kPoseSubtype, added.header.id, 0x11, 0, 0x22, 0x33}));
    EXPECT_NE(added.header.id, 1);
}

TEST_F(NewDialogsTest, NewGaitTakesTheLowestFreeNumberAndItsName) {
    ASSERT_TRUE(Open({GaitGene(1, 0), GaitGene(2, 1), GaitGene(3, 5)}));
    NameTable::Instance().SetName(256 + 2, "Trot");
    CNewGaitDlg dialog(*doc);
    dialog.CreateModeless();
    EXPECT_EQ(dialog.NewGaitNumber(), 2);
    auto* name = Named<QLineEdit>(&dialog, "Gait Name");
    EXPECT_EQ(name->text(), "Trot");
    // Only what a name file can hold can be typed.
    int pos = 0;
    QString accepted = QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac"), refused = QString::fromUtf8("\xce\xa9");
    EXPECT_EQ(name->validator()->validate(accepted, pos), QValidator::Acceptable);
    EXPECT_EQ(name->validator()->validate(refused, pos), QValidator::Invalid);
    name->setText(accepted);
    Named(&dialog, "OK")->click();
    ASSERT_EQ(genome().Count(), 4u);
    EXPECT_EQ(genome().At(3)->data, std::vector<std::uint8_t>({2, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(NameTable::Instance().GetName(256 + 2), "Caf\xe9 \x80");
}

// A name of a megabyte is shown by its first 256 characters, and kept whole when the
// shown text is left as it is.
TEST_F(NewDialogsTest, AHugeNameIsShownCutShortAndKeptWhole) {
    ASSERT_TRUE(Open({GaitGene(1, 0)}));
    const std::string huge = std::string(1 << 20, 'a') + "\xe9";
    NameTable::Instance().SetName(256 + 1, huge);
    CNewGaitDlg dialog(*doc);
    dialog.CreateModeless();
    auto* name = Named<QLineEdit>(&dialog, "Gait Name");
    EXPECT_EQ(name->text(), QString(256, 'a') + QChar(0x2026));
    Named(&dialog, "OK")->click();
    ASSERT_EQ(genome().Count(), 2u);
    EXPECT_EQ(NameTable::Instance().GetName(256 + 1), huge);
    EXPECT_EQ(ui::NameOf(256 + 1).size(), 257);
}

TEST_F(NewDialogsTest, Gait255IsARealGait) {
    std::vector<Gene> gaits;  // gaits 0 to 254 with identifiers 1 to 254: the new gene takes identifier 255
    for (int n = 0; n < 255; ++n) gaits.push_back(GaitGene(std::uint8_t(std::max(n, 1)), std::uint8_t(n)));
    ASSERT_TRUE(Open(gaits));
    CNewGaitDlg dialog(*doc);
    dialog.CreateModeless();
    Named(&dialog, "OK")->click();
    EXPECT_EQ(genome().At(genome().Count() - 1)->data[0], 255);
    EXPECT_EQ(genome().At(genome().Count() - 1)->header.id, 255);
}

}  // namespace
}  // namespace mirtala::test
