// The large preview on real pose and gait dialogs: whole zoom steps enlarge
// the dialog picture exactly, the preview follows what the dialog shows, its
// transport and the dialog's play and step together, and a double-click on a
// dialog picture asks for it.
#include "EditDialogTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

#include <functional>

#include "control/ZubrelleInterface.h"
#include "editor/ui/GaitDlg.h"
#include "editor/ui/GaitTransport.h"
#include "editor/ui/LargePreview.h"
#include "editor/ui/PoseDlg.h"

namespace mirtala::test {
namespace {

using ui::CLargePreview;
using ui::CZubrelle;

const char* const kPoses[] = {"211000222220111", "311201111111111", "211111111112211", "111222000002211"};

class LargePreviewTest : public EditDialogTest {
protected:
    // A pose dialog on pose 1, or a gait dialog walking the four poses.
    ui::CGeneDialogWindow* OpenDialog(bool gait) {
        std::vector<Gene> genes;
        for (int n = 1; n <= 4; ++n) genes.push_back(PoseGene(std::uint8_t(n), std::uint8_t(n), kPoses[n - 1]));
        genes.push_back(GaitGene(1, 1, std::string("\1\2\3\4\0\0\0\0", 8)));
        Open(genes);
        ui::CGeneDialogWindow* dialog =
            gait ? static_cast<ui::CGeneDialogWindow*>(OpenGait<ui::CGaitDlg>(4)) : OpenPose<ui::CPoseDlg>(0);
        source = CLargePreview::MirroredPicture(dialog);
        preview = std::make_unique<CLargePreview>();
        preview->show();
        preview->SetSource(dialog);
        return dialog;
    }
    CZubrelle& Mirror() { return *preview->Picture(); }

    CZubrelle* source = nullptr;
    std::unique_ptr<CLargePreview> preview;
};

TEST_F(LargePreviewTest, EveryWholeZoomIsAnExactEnlargementOfTheDialogPicture) {
    auto* dialog = static_cast<ui::CGaitDlg*>(OpenDialog(true));
    dialog->Transport().SetPlaying(false);
    for (int k = 0; k < 3; ++k) {  // a frame in mid-walk, which the preview steps to
        dialog->Transport().Step(false);
        Shown(*source);
    }
    const QSize size = source->PixelSize();
    const std::vector<std::uint32_t> shown = Shown(*source);
    for (int zoom : {1, 2, 3, 8}) {
        preview->SetZoomChoice(zoom);
        ASSERT_EQ(Mirror().size(), size * zoom);
        EXPECT_EQ(Mirror().PixelSize(), size) << "the control draws at the dialog picture's size";
        const std::vector<std::uint32_t> big = Shown(Mirror());
        int wrong = 0;
        for (int y = 0; y < size.height() * zoom; ++y)
            for (int x = 0; x < size.width() * zoom; ++x)
                wrong += big[std::size_t(y * size.width() * zoom + x)] !=
                         shown[std::size_t(y / zoom * size.width() + x / zoom)];
        EXPECT_EQ(wrong, 0) << "zoom " << zoom;
    }

    preview->SetZoomChoice(CLargePreview::kMaxZoom);
    preview->ZoomBy(1);
    EXPECT_EQ(preview->ZoomFactor(), CLargePreview::kMaxZoom);
    preview->resize(900, 800);
    preview->SetZoomChoice(CLargePreview::kFit);
    const QSize room = preview->findChild<QScrollArea*>()->maximumViewportSize();
    const int fit = preview->ZoomFactor();
    EXPECT_TRUE(QRect(QPoint(), room).contains(QRect(QPoint(), size * fit)));
    EXPECT_FALSE(QRect(QPoint(), room).contains(QRect(QPoint(), size * (fit + 1)))) << "the largest that fits";
}

struct FollowCase {
    const char* change;
    bool gait;
    std::function<void(CMirtalaDoc&, ui::CGeneDialogWindow*)> make;
    friend void PrintTo(const FollowCase& c, std::ostream* os) { *os << c.change; }
};

class LargePreviewFollows : public LargePreviewTest, public testing::WithParamInterface<FollowCase> {};

TEST_P(LargePreviewFollows, ThePreviewShowsWhatTheDialogShowsAtOnce) {
    const FollowCase& c = GetParam();
    ui::CGeneDialogWindow* dialog = OpenDialog(c.gait);
    if (c.gait) static_cast<ui::CGaitDlg*>(dialog)->Transport().SetPlaying(false);
    preview->SetZoomChoice(1);
    const ui::PictureState before = source->State();
    c.make(*doc, dialog);
    ASSERT_NE(source->State(), before) << "the change reaches the dialog picture";
    EXPECT_EQ(Mirror().State(), source->State());
    EXPECT_EQ(Shown(*source), Shown(Mirror()));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, LargePreviewFollows,
    testing::Values(FollowCase{"a slot button", false,
                               [](CMirtalaDoc&, ui::CGeneDialogWindow* d) { Named(d, "Head 3")->click(); }},
                    FollowCase{"an appearance change", true,
                               [](CMirtalaDoc& doc, ui::CGeneDialogWindow*) {
                                   doc.ChangeAppearance(Appearance{1, 4, 1, 1, 2, 0, 0, 1, 1, 0, 2, 1});
                               }},
                    FollowCase{"the angle and friction", true,
                               [](CMirtalaDoc&, ui::CGeneDialogWindow* d) {
                                   Named<QLineEdit>(d, "Angle")->setText("30");
                                   Named(d, "Friction")->click();
                               }}),
    [](const testing::TestParamInfo<FollowCase>& info) {
        std::string name = info.param.change;
        std::erase_if(name, [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); });
        return name;
    });

TEST_F(LargePreviewTest, PlayPauseAndStepInEitherWindowMoveBoth) {
    auto* dialog = static_cast<ui::CGaitDlg*>(OpenDialog(true));
    Shown(*source);
    Named(preview.get(), "Pause")->click();
    EXPECT_FALSE(dialog->Transport().IsPlaying());
    EXPECT_TRUE(Named(dialog, "Play")->isVisible()) << "the dialog's button offers Play";
    Named(dialog, "Play")->click();
    EXPECT_TRUE(Named(preview.get(), "Pause")->isEnabled()) << "the preview's button offers Pause";
    Named(dialog, "Pause")->click();

    const int n = source->FrameCount();
    const int first = source->CurrentFrame();
    QTest::mouseClick(Named(preview.get(), "Step"), Qt::LeftButton, Qt::NoModifier);
    Shown(*source);
    EXPECT_EQ(source->CurrentFrame(), (first + 1) % n);
    EXPECT_EQ(Mirror().CurrentFrame(), source->CurrentFrame());
    QTest::mouseClick(Named(dialog, "Step"), Qt::LeftButton, Qt::ShiftModifier);
    Shown(*source);
    EXPECT_EQ(Mirror().CurrentFrame(), first) << "a step back is followed back";
    EXPECT_EQ(Named<QLabel>(preview.get(), "Frame")->text(), Named<QLabel>(dialog, "Frame")->text());
    EXPECT_FALSE(Mirror().IsTimerRunning(zubrelle::kAnimationTimerId)) << "it never runs on its own clock";
}

TEST_F(LargePreviewTest, ADoubleClickOnAnyDialogPictureAsksForThePreview) {
    auto* dialog = OpenDialog(true);
    QSignalSpy asked(&CZubrelle::Events(), &ui::CZubrelleEvents::LargePreviewRequested);
    for (const char* name : {"Preview", "Step Picture"}) {
        QTest::mouseDClick(Named<CZubrelle>(dialog, name), Qt::LeftButton);
        ASSERT_EQ(asked.count(), 1) << name;
        EXPECT_EQ(CLargePreview::MirroredPicture(asked.takeFirst()[0].value<CZubrelle*>()->window()), source);
    }
}

}  // namespace
}  // namespace mirtala::test
