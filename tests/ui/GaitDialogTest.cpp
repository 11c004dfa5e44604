// The gait dialog on a real document: Insert and Remove, variants by age and
// the packed preview, Apply's states against a working copy that undo does
// not reload, the angle rule, poses that come and go, the preview's timer,
// and both dialogs working without a registered control.
#include "EditDialogTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <cstdlib>

#include "control/ZubrelleInterface.h"
#include "editor/document/NameTable.h"
#include "editor/ui/DirectionStrip.h"
#include "editor/ui/GaitDlg.h"
#include "editor/ui/PoseDlg.h"

namespace mirtala::test {
namespace {

using ui::CGaitDlg;

const std::string kWalk1 = "211000222220111", kWalk2 = "211201111111111", kFace = "141111111111111",
                  kAway = "051111111111111", kStand = "211111111111111", kRaised = "211111111112211";

std::string Bytes(std::initializer_list<char> steps) { return steps; }
Gene Gait(const std::string& steps) { return GaitGene(1, 1, steps); }

std::string Text(ui::CZubrelle& picture, int index = 0) {
    return picture.GetPoseString(std::int16_t(index)).toStdString();
}
ui::CZubrelle& Thumbnail(CGaitDlg* d, int k) {
    return *Named<ui::CZubrelle>(d, QStringLiteral("Step %1 Picture").arg(k + 1));
}

com::VARIANT Get(ui::CZubrelle& picture, com::DISPID id) {
    com::VARIANT result{};
    EXPECT_EQ(controltest::Invoke(picture.Host().Dispatch(), id, com::DISPATCH_PROPERTYGET, {}, &result), com::S_OK);
    return result;
}

using GaitDialogTest = EditDialogTest;

TEST_F(GaitDialogTest, InsertAndRemoveShiftTheStepsWithinTheGenesData) {
    const std::string all = Bytes({1, 2, 3, 4, 5, 6, 7, 8});
    const struct {
        std::string steps;
        const char *step, *button;
        std::string applied;
        bool cancel = false;
    } cases[] = {{all, "Step 3", "Insert", Bytes({1, 2, 3, 3, 4, 5, 6, 7})},
                 {all, "Step 3", "Remove", Bytes({1, 2, 4, 5, 6, 7, 8, 0})},
                 {all, "Step 8", "Remove", Bytes({1, 2, 3, 4, 5, 6, 7, 0})},
                 {all, "Step 8", "Insert", all},
                 {all, "Step 1", "Insert", all, true},
                 {Bytes({1, 2, 3}), "Step 1", "Insert", Bytes({1, 1, 2})},  // a short gene keeps its length
                 {Bytes({1, 2, 3}), "Step 2", "Remove", Bytes({1, 3, 0})}};
    for (const auto& c : cases) {
        Open({Gait(c.steps)});
        CGaitDlg* dialog = OpenGait<CGaitDlg>(0);
        for (const char* name : {c.step, c.button}) Named(dialog, name)->click();
        EXPECT_TRUE(Named(dialog, "Apply")->isEnabled());
        Named(dialog, c.cancel ? "Cancel" : "OK")->click();
        EXPECT_EQ(std::string(GeneAt(0)->data.begin() + 1, GeneAt(0)->data.end()), c.applied)
            << c.button << " at " << c.step;
    }
}

TEST_F(GaitDialogTest, StepsShowTheVariantOfTheAgeAndThePreviewPacksThePosesFound) {
    Open({PoseGene(1, 5, kStand), WithSwitchOn(PoseGene(2, 5, kRaised), 4), WithSwitchOn(PoseGene(3, 6, kFace), 2),
          WithSwitchOn(PoseGene(4, 6, kAway), 4), Gait(Bytes({5, 0, 6, 99, 5, 0, 0, 0}))});
    CGaitDlg* dialog = OpenGait<CGaitDlg>(4);
    // The variants themselves are ResolveGaitSteps' to choose; here a change of age reaches every picture.
    const struct {
        int age;
        std::string pose5, pose6;
    } ages[] = {{3, kStand, kFace}, {4, kRaised, kAway}};
    for (const auto& a : ages) {
        doc->ChangeAppearance(Appearance{0, a.age});
        std::vector<std::string> thumbnails, preview;
        for (int k = 0; k < 8; ++k) thumbnails.push_back(Text(Thumbnail(dialog, k)));
        for (int i = 0; i < 4; ++i) preview.push_back(Text(*Named<ui::CZubrelle>(dialog, "Preview"), i));
        EXPECT_EQ(thumbnails, (std::vector<std::string>{a.pose5, "", a.pose6, "", a.pose5, "", "", ""})) << a.age;
        EXPECT_EQ(preview, (std::vector<std::string>{a.pose5, a.pose6, a.pose5, ""})) << a.age;
        EXPECT_EQ(Get(*Named<ui::CZubrelle>(dialog, "Preview"), zubrelle::DISPID_PoseCount).iVal, 3);
    }
    const std::pair<ui::CZubrelle*, std::string> described[] = {
        {&Thumbnail(dialog, 0), "Step 1: 5, pose string " + kRaised},
        {&Thumbnail(dialog, 1), "Step 2: empty"},
        {&Thumbnail(dialog, 3), "Step 4: blank, no pose gene carries pose 99"},
        {Named<ui::CZubrelle>(dialog, "Preview"),
         "Animates 3 poses in step order: " + kRaised + ", " + kAway + ", " + kRaised}};
    for (const auto& [picture, text] : described) EXPECT_EQ(picture->accessibleDescription().toStdString(), text);
}

TEST_F(GaitDialogTest, OnlySequenceChangesEnableApplyAndUndoLeavesTheWorkingCopy) {
    for (int n : {2, 3}) NameTable::Instance().SetName(n, "Walk step " + std::to_string(n - 1));
    Open({PoseGene(1, 2, kWalk1), PoseGene(2, 3, kWalk2), Gait(Bytes({2, 3, 0, 0, 0, 0, 0, 0}))});
    CGaitDlg* dialog = OpenGait<CGaitDlg>(2);
    QAbstractButton* apply = Named(dialog, "Apply");
    auto* list = Named<QComboBox>(dialog, "Pose");
    EXPECT_EQ(ComboEntries(list), QStringList({"Walk step 1", "Walk step 2"}));

    Named(dialog, "Step 2")->click();
    EXPECT_EQ(list->currentIndex(), 1);
    Named<QLineEdit>(dialog, "Angle")->setText("30");
    Named(dialog, "Friction")->click();
    Named(dialog, "Step 3")->click();  // empty: the list keeps its choice
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_FALSE(apply->isEnabled());

    Choose(list, 0);
    EXPECT_TRUE(apply->isEnabled());
    EXPECT_EQ(Text(*Named<ui::CZubrelle>(dialog, "Step Picture")), kWalk1) << "the step picture follows at once";
    EXPECT_EQ(GeneAt(2)->data[3], 0);
    apply->click();
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(GeneAt(2)->data[3], 2);

    doc->Undo();
    EXPECT_EQ(GeneAt(2)->data[3], 0);
    EXPECT_EQ(dialog->Step(2), 2) << "the working copy is not reloaded";
    Named(dialog, "OK")->click();  // stores it again
    EXPECT_EQ(GeneAt(2)->data, (std::vector<std::uint8_t>{1, 2, 3, 2, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(doc->GaitDialogs().empty());
}

TEST_F(GaitDialogTest, AngleStepsFromTheTruncatedLeadingNumber) {
    Open({Gait(Bytes({0, 0, 0, 0, 0, 0, 0, 0}))});
    CGaitDlg* dialog = OpenGait<CGaitDlg>(0);
    auto* edit = Named<QLineEdit>(dialog, "Angle");
    ui::CZubrelle& preview = *Named<ui::CZubrelle>(dialog, "Preview");
    EXPECT_EQ(edit->text(), "0");
    for (const char* arrow : {"Angle Step Up", "Angle Step Down"}) {  // held, an arrow steps again and again
        EXPECT_TRUE(Named<QAbstractButton>(dialog, arrow)->autoRepeat()) << arrow;
        EXPECT_EQ(Named<QAbstractButton>(dialog, arrow)->focusPolicy(), Qt::NoFocus) << "the edit keeps the focus";
    }
    edit->setText("12.7");
    EXPECT_EQ(Get(preview, zubrelle::DISPID_Angle).dblVal, 12.7);
    const struct {
        const char* text;
        Qt::Key key;
        const char* stepped;
    } steps[] = {{"12.7", Qt::Key_Down, "11"},
                 {"12.7", Qt::Key_Up, "13"},
                 {" -3.9e1x", Qt::Key_Up, "-38"},
                 {"abc", Qt::Key_Down, "-1"},
                 {"nan", Qt::Key_Up, "1"},
                 {"1e999", Qt::Key_Up, "2147483647"},
                 {"-2147483648", Qt::Key_Down, "-2147483648"}};
    for (const auto& s : steps) {
        edit->setText(s.text);
        QTest::keyClick(edit, s.key);
        EXPECT_EQ(edit->text(), s.stepped) << s.text;
        EXPECT_EQ(Get(preview, zubrelle::DISPID_Angle).dblVal, std::atof(s.stepped)) << s.text;
    }
}

// The arrows sit inside the edit's frame at its right edge, where its text
// stops; the transport row (with its labelled speed) lies between the preview
// and OK, Cancel and Apply.
TEST_F(GaitDialogTest, TheLayoutKeepsArrowsInTheEditAndTheTransportAboveTheButtons) {
    Open({Gait(Bytes({1, 0, 0, 0, 0, 0, 0, 0}))});
    CGaitDlg* dialog = OpenGait<CGaitDlg>(0);
    auto* edit = Named<QLineEdit>(dialog, "Angle");
    const QRect arrows = Named<QWidget>(dialog, "Angle Step")->geometry();
    EXPECT_TRUE(edit->geometry().contains(arrows));
    EXPECT_LE(edit->geometry().right() - arrows.right(), 3) << "flush with the edit's right edge, inside its frame";
    EXPECT_EQ(edit->textMargins().right(), arrows.width());
    const int buttons = Named(dialog, "OK")->geometry().top();
    for (const char* transport : {"Step", "Speed", "Export"})
        EXPECT_LT(Named<QWidget>(dialog, transport)->geometry().bottom(), buttons) << transport;
    EXPECT_GT(Named(dialog, "Export")->geometry().top(), Named<QWidget>(dialog, "Preview")->geometry().bottom());
}

TEST_F(GaitDialogTest, PosesAddedOrRemovedMeanwhileAreResolvedButNotListed) {
    Open({PoseGene(1, 2, kWalk1), PoseGene(2, 3, kWalk2), Gait(Bytes({2, 7, 0, 0, 0, 0, 0, 0}))});
    CGaitDlg* dialog = OpenGait<CGaitDlg>(2);
    auto* list = Named<QComboBox>(dialog, "Pose");
    doc->AddGene(PoseGene(3, 7, kFace));
    EXPECT_EQ(list->count(), 2);
    doc->RemoveGene(*GeneAt(0));  // pose 2; a removal refreshes
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(Text(Thumbnail(dialog, 0)), "") << "no stale picture";
    EXPECT_EQ(Text(Thumbnail(dialog, 1)), kFace);

    Named(dialog, "Step 3")->click();
    Choose(list, 0);  // the removed pose 2
    EXPECT_EQ(dialog->Step(2), 2);
    EXPECT_EQ(Text(*Named<ui::CZubrelle>(dialog, "Step Picture")), "");
    EXPECT_EQ(Get(*Named<ui::CZubrelle>(dialog, "Preview"), zubrelle::DISPID_PoseCount).iVal, 1);
}

TEST_F(GaitDialogTest, ThePreviewAnimatesOnlyWhileItCanBeSeen) {
    Open({PoseGene(1, 2, kWalk1), PoseGene(2, 3, kWalk2), Gait(Bytes({2, 3, 0, 0, 0, 0, 0, 0}))});
    CGaitDlg* dialog = OpenGait<CGaitDlg>(2);
    ui::CZubrelle& preview = *Named<ui::CZubrelle>(dialog, "Preview");
    preview.grab();
    EXPECT_TRUE(preview.IsTimerRunning(zubrelle::kAnimationTimerId));
    dialog->showMinimized();
    EXPECT_FALSE(preview.IsTimerRunning(zubrelle::kAnimationTimerId));
    doc->OpenGaitDialog(GeneAt(2));  // raises it again
    EXPECT_FALSE(dialog->isMinimized());
    EXPECT_TRUE(preview.IsTimerRunning(zubrelle::kAnimationTimerId));
    Named(dialog, "Cancel")->click();
    EXPECT_FALSE(preview.IsTimerRunning(zubrelle::kAnimationTimerId));
}

struct WithoutControlTest : EditDialogTest {
    WithoutControlTest() : EditDialogTest(false) {}
};

TEST_F(WithoutControlTest, BothDialogsWorkAndThePicturesSayWhy) {
    Open({PoseGene(1, 2, kWalk1), Gait(Bytes({2, 0, 0, 0, 0, 0, 0, 0}))});
    CGaitDlg* gait = OpenGait<CGaitDlg>(1);
    auto* pose = dynamic_cast<ui::CPoseDlg*>(doc->OpenPoseDialog(GeneAt(0)));
    const QList<ui::CZubrelle*> pictures = gait->findChildren<ui::CZubrelle*>() + pose->findChildren<ui::CZubrelle*>();
    EXPECT_EQ(pictures.size(), 11 + ui::CDirectionStrip::kDirections);  // the pose dialog's strip, hidden or not
    for (ui::CZubrelle* picture : pictures) {
        EXPECT_FALSE(picture->IsControlCreated());
        EXPECT_TRUE(picture->accessibleDescription().contains("not registered"))
            << picture->accessibleName().toStdString();
    }
    for (const char* name : {"Insert", "OK"}) Named(gait, name)->click();
    for (const char* name : {"Head 3", "OK"}) Named(pose, name)->click();
    EXPECT_EQ(GeneAt(1)->data[2], 2);
    EXPECT_EQ(PoseStringOf(*GeneAt(0)), "231000222220111");
    EXPECT_EQ(doc->UndoCount(), 2u);
}

}  // namespace
}  // namespace mirtala::test
