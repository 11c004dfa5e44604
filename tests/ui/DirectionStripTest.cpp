// The pose dialog's strip of the four directions: each picture is the
// control's own drawing of the pose in its direction and follows every edit;
// a picture chooses its direction as its button does; the strip grows the
// dialog downward without moving the template's controls, and is remembered.
#include "EditDialogTestSupport.h"
#include "picture/WalkTestSupport.h"

#include <QCheckBox>
#include <QSettings>
#include <QTest>

#include <functional>
#include <map>

#include "editor/picture/ZubrelleHost.h"
#include "editor/ui/DialogResources.h"
#include "editor/ui/DirectionStrip.h"
#include "editor/ui/PoseDlg.h"

namespace mirtala::test {
namespace {

using ui::CDirectionStrip;
using ui::CPoseDlg;

constexpr int kDirections = CDirectionStrip::kDirections;

// What a control of its own, created by class id and given the same calls, draws at this size.
Pixels ControlDrawing(const Appearance& look, const std::string& pose, const QSize& size, float scale) {
    OffscreenWindow window(size.width(), size.height());
    ZubrelleHost host(window);
    EXPECT_TRUE(host.Create());
    host.SetScale(scale);
    host.SetAppearance(look);
    host.SetPoseString(0, pose);
    QImage image(size, QImage::Format_RGBX8888);
    image.fill(Qt::white);
    host.Paint(reinterpret_cast<std::uint32_t*>(image.bits()), size.width(), size.height(),
               std::int32_t(image.bytesPerLine() / 4));
    return ImagePixels(image);
}

class DirectionStripTest : public EditDialogTest {
protected:
    void SetUp() override {
        EditDialogTest::SetUp();
        QSettings().remove(CDirectionStrip::SettingKey());
    }
    CPoseDlg* OpenWithStrip() {
        CPoseDlg* dialog = OpenPose<CPoseDlg>(0);
        dialog->DirectionStrip()->CheckBox()->click();
        return dialog;
    }
};

TEST_F(DirectionStripTest, PicturesAreTheControlsDrawingOfEachDirectionAndFollowEveryEdit) {
    const Appearance opened{1, 4, 1, 1, 2, 0, 0, 1, 1, 0, 2, 1}, changed{0, 2, 0, 0, 0, 1, 1, 0, 2, 1, 0, 0};
    Open({PoseGene(1, 2, "211000222220111")});
    doc->ChangeAppearance(opened);
    CPoseDlg* dialog = OpenWithStrip();
    CDirectionStrip& strip = *dialog->DirectionStrip();

    struct FollowCase {
        const char* edit;
        std::function<void()> act;
        std::string pose;  // the dialog's working pose afterwards
        Appearance look;
    };
    const FollowCase cases[] = {
        {"as opened", [] {}, "211000222220111", opened},
        {"a slot button", [&] { Named(dialog, "Head 3")->click(); }, "231000222220111", opened},
        {"a direction the strip does not show", [&] { Named(dialog, "Direction !")->click(); }, "!31000222220111",
         opened},
        {"the appearance", [&] { doc->ChangeAppearance(changed); }, "!31000222220111", changed},
    };
    for (const FollowCase& c : cases) {
        c.act();
        EXPECT_EQ(Named<ui::CZubrelle>(dialog, "Pose Picture")->GetPoseString(0).toStdString(), c.pose) << c.edit;
        std::vector<Pixels> drawings;
        for (int k = 0; k < kDirections; ++k) {
            ui::CZubrelle& picture = *strip.Picture(k);
            std::string pose = c.pose;
            pose[0] = char('0' + k);
            EXPECT_EQ(picture.GetPoseString(0).toStdString(), pose) << c.edit;
            drawings.push_back(ControlDrawing(c.look, pose, picture.size(), 1.35f));
            EXPECT_EQ(Shown(picture), drawings.back()) << c.edit << ", direction " << k;
        }
        EXPECT_NE(drawings[0], drawings[2]) << "the facings differ";
    }
}

TEST_F(DirectionStripTest, APictureChoosesItsDirectionAsItsButtonWould) {
    Open({PoseGene(1, 2, "011000222220111")});
    CPoseDlg* dialog = OpenWithStrip();
    CDirectionStrip& strip = *dialog->DirectionStrip();
    QAbstractButton* apply = Named(dialog, "Apply");

    struct ChooseCase {
        int direction;
        bool keyboard;  // Space on the focused picture rather than a mouse click
    };
    for (const ChooseCase& c : {ChooseCase{2, false}, ChooseCase{3, true}, ChooseCase{0, false}}) {
        apply->click();
        ui::CZubrelle& picture = *strip.Picture(c.direction);
        EXPECT_EQ(picture.accessibleName(), QStringLiteral("Direction %1").arg(c.direction));
        if (c.keyboard)
            QTest::keyClick(&picture, Qt::Key_Space);
        else
            QTest::mouseClick(&picture, Qt::LeftButton, {}, picture.rect().center());
        EXPECT_TRUE(Named(dialog, QStringLiteral("Direction %1").arg(c.direction))->isChecked()) << c.direction;
        EXPECT_EQ(dialog->PoseString()[0], char('0' + c.direction));
        EXPECT_EQ(Named<ui::CZubrelle>(dialog, "Pose Picture")->GetPoseString(0)[0], QChar('0' + c.direction));
        EXPECT_TRUE(apply->isEnabled()) << "an edit like any other";
    }
}

TEST_F(DirectionStripTest, GrowsTheDialogDownwardLeavingTheTemplateInPlaceAndIsRemembered) {
    Open({PoseGene(1, 2, "211000222220111")});
    CPoseDlg* dialog = OpenPose<CPoseDlg>(0);
    CDirectionStrip* strip = dialog->DirectionStrip();
    QCheckBox* check = strip->CheckBox();
    EXPECT_FALSE(check->isChecked());
    EXPECT_FALSE(strip->isVisible());
    const QSize closed = dialog->size();
    std::map<QWidget*, QRect> places;  // every control of the template
    for (QWidget* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != check && child != strip) places[child] = child->geometry();
    ASSERT_EQ(places.size(), ui::PoseTemplate().controls.size());
    for (const auto& [control, place] : places)
        EXPECT_FALSE(place.intersects(check->geometry())) << control->accessibleName().toStdString();
    EXPECT_TRUE(QRect(QPoint(), closed).contains(check->geometry()));

    check->click();
    EXPECT_TRUE(strip->isVisible());
    EXPECT_EQ(dialog->size(), QSize(closed.width(), closed.height() + strip->height()));
    EXPECT_EQ(strip->geometry().top(), closed.height());
    for (const auto& [control, place] : places) EXPECT_EQ(control->geometry(), place);
    // Tab goes from the check box to the four pictures in order.
    std::vector<QWidget*> after;
    for (QWidget* w = check->nextInFocusChain(); w != check && after.size() < kDirections; w = w->nextInFocusChain())
        if (w->isVisibleTo(dialog) && (w->focusPolicy() & Qt::TabFocus)) after.push_back(w);
    for (int k = 0; k < kDirections; ++k) EXPECT_EQ(after[std::size_t(k)], strip->Picture(k)) << k;

    // The next pose dialog opens as this one was left.
    Named(dialog, "Cancel")->click();
    DeleteClosed();
    dialog = OpenPose<CPoseDlg>(0);
    EXPECT_TRUE(dialog->DirectionStrip()->CheckBox()->isChecked());
    EXPECT_EQ(dialog->height(), closed.height() + dialog->DirectionStrip()->height());
    dialog->DirectionStrip()->CheckBox()->click();
    EXPECT_EQ(dialog->size(), closed);
    EXPECT_FALSE(QSettings().value(CDirectionStrip::SettingKey()).toBool());
}

}  // namespace
}  // namespace mirtala::test
