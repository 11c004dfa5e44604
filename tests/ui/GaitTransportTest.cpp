// The gait dialog's transport row and Export on a real document: pause, step,
// speed and the readout, an export against the preview's own frames, and
// cancelling.
#include "EditDialogTestSupport.h"
#include "picture/WalkTestSupport.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "control/ZubrelleInterface.h"
#include "editor/picture/WalkExport.h"
#include "editor/ui/GaitDlg.h"
#include "editor/ui/GaitTransport.h"
#include "editor/ui/WalkExportDlg.h"

namespace mirtala::test {
namespace {

using ui::CGaitDlg;

// Pose strings with turns among them: directions 2, 3, 0 and 1, heads to the front.
const char* const kPoses[] = {"211000222220111", "311201111111111", "041111111111111", "211111111112211",
                              "111222000002211", "251333111113311", "301000222220011", "211201111111111"};

class GaitTransportTest : public EditDialogTest {
protected:
    CGaitDlg* OpenWithPoses(int poses) {
        std::vector<Gene> genes;
        for (int n = 1; n <= 8; ++n) genes.push_back(PoseGene(std::uint8_t(n), std::uint8_t(n), kPoses[n - 1]));
        const std::string steps("\1\2\3\4\5\6\7\10", std::size_t(poses));  // the first `poses` of the eight poses
        genes.push_back(GaitGene(1, 1, steps + std::string(std::size_t(8 - poses), '\0')));
        Open(genes);
        CGaitDlg* dialog = OpenGait<CGaitDlg>(8);
        preview = Named<ui::CZubrelle>(dialog, "Preview");
        return dialog;
    }

    ui::CZubrelle* preview = nullptr;
};

// Holding, stepping and wrapping are the control's (its own tests draw them);
// here the transport row's buttons and speeds reach it and the readout follows.
TEST_F(GaitTransportTest, PauseAndPlaySwitchTheTimerStepMovesEitherWaySpeedSetsThePeriod) {
    CGaitDlg* dialog = OpenWithPoses(3);
    const int n = preview->FrameCount();
    Shown(*preview);
    ASSERT_TRUE(preview->IsTimerRunning(zubrelle::kAnimationTimerId));
    auto* speed = Named<QComboBox>(dialog, "Speed");
    EXPECT_EQ(speed->currentText(), QStringLiteral("1\u00D7"));
    const int periods[] = {400, 200, 100, 50};  // the control's 100 ms at 1/4, 1/2, 1 and 2 times
    for (int i = 0; i < 4; ++i) {
        Choose(speed, i);
        EXPECT_EQ(preview->TimerInterval(zubrelle::kAnimationTimerId), periods[i])
            << speed->currentText().toStdString();
    }

    for (const char* button : {"Pause", "Play", "Pause"}) {  // the button offers what it will do
        Named(dialog, button)->click();
        EXPECT_EQ(preview->IsTimerRunning(zubrelle::kAnimationTimerId), std::string_view(button) == "Play") << button;
    }
    const int first = preview->CurrentFrame();
    QAbstractButton* step = Named(dialog, "Step");
    step->click();
    EXPECT_EQ(preview->CurrentFrame(), (first + 1) % n);
    EXPECT_EQ(Named<QLabel>(dialog, "Frame")->text(), QStringLiteral("Frame %1 of %2").arg((first + 1) % n + 1).arg(n));
}

// The frame files, the GIF and a sheet of several rows are checked against the
// engine in the render tests, through the same export; here the dialog's settings
// in a one-row sheet, and frames refused on a file.
TEST_F(GaitTransportTest, AnExportHoldsThePreviewsFramesPixelForPixel) {
    CGaitDlg* dialog = OpenWithPoses(4);
    Named<QLineEdit>(dialog, "Angle")->setText(QStringLiteral("12"));
    const WalkSettings settings = dialog->PreviewSettings();
    dialog->Transport().SetPlaying(false);  // the preview's frames from the first, stepped through
    const int n = preview->FrameCount(), w = settings.width, h = settings.height;
    std::vector<Pixels> expected;
    for (int k = 0; k < n; ++k, dialog->Transport().Step(false)) expected.push_back(Shown(*preview));
    ASSERT_GT(n, 4);
    WalkExport walk(settings, WalkOutput{WalkFormat::Sheet, dir.File("row.png"), 0});
    ASSERT_TRUE(walk.Start()) << walk.Error();
    ASSERT_EQ(walk.FrameCount(), n);
    ASSERT_TRUE(walk.Run(nullptr)) << walk.Error();
    int width = 0, height = 0;
    const Pixels sheet = ReadPng(dir.File("row.png"), width, height);
    ASSERT_EQ(width, n * w) << "one row of every frame";
    ASSERT_EQ(height, h);
    for (int k = 0; k < n; ++k) EXPECT_EQ(SheetCell(sheet, width, n, k, w, h), expected[std::size_t(k)]) << k;
    WalkExport onAFile(settings, WalkOutput{WalkFormat::Frames, dir.File("row.png"), 0});
    EXPECT_FALSE(onAFile.Start() && onAFile.Run(nullptr));
    EXPECT_NE(onAFile.Error().find("row.png is not a folder that can be written (Not a directory)"), std::string::npos);
}

TEST_F(GaitTransportTest, TheExportDialogScalesThePictureAndNamesTheFileByFormat) {
    CGaitDlg* dialog = OpenWithPoses(2);
    const WalkSettings settings = dialog->PreviewSettings();
    ui::CWalkExportDlg exportDialog(settings, preview->FrameCount(), QString::fromStdString(dir.Path()),
                                    QStringLiteral("Walk"), dialog);
    EXPECT_EQ(exportDialog.Scale().value(), 1.0);
    exportDialog.Scale().setValue(2.0);
    const WalkSettings scaled = exportDialog.Settings();
    EXPECT_EQ(scaled.width, 2 * settings.width);
    EXPECT_EQ(scaled.height, 2 * settings.height);
    EXPECT_EQ(scaled.scale, 2.0f);
    EXPECT_TRUE(
        exportDialog.SizeText().contains(QStringLiteral("%1 \u00D7 %2 pixels").arg(scaled.width).arg(scaled.height)));
    const struct {
        const char* output;    // the file or folder the format proposes
        const char* caption;   // of the Browse dialog
        bool overwritePrompt;  // a file is replaced; a folder, which may exist, is not
    } formats[] = {{"Walk.gif", "Export Walk as GIF", true},
                   {"Walk-sheet.png", "Export Walk as Sprite Sheet", true},
                   {"Walk-frames", "Export Walk Frames into Folder", false}};
    QPushButton* browse = exportDialog.findChildren<QPushButton*>().front();
    files.answers = {std::nullopt, std::nullopt, QStringLiteral("/chosen")};
    exportDialog.show();
    const int width = exportDialog.width();
    for (int f = 0; f < 3; ++f) {
        exportDialog.Format().setCurrentIndex(f);
        QCoreApplication::processEvents();
        // The sheet's longer size line neither widens the dialog nor is cut off.
        EXPECT_EQ(exportDialog.width(), width);
        EXPECT_LE(exportDialog.layout()->minimumSize().width(), width);
        EXPECT_EQ(std::filesystem::path(exportDialog.Output().path).filename(), formats[f].output);
        EXPECT_EQ(exportDialog.Columns().isEnabled(), f == 1);
        EXPECT_EQ(exportDialog.SizeText().contains("a sheet of"), f == 1);
        browse->click();
        EXPECT_EQ(files.requests[std::size_t(f)].caption, formats[f].caption);
        EXPECT_EQ(files.requests[std::size_t(f)].overwritePrompt, formats[f].overwritePrompt);
    }
    EXPECT_EQ(files.requests[1].filter, "PNG pictures (*.png)|*.png");
    EXPECT_EQ(files.requests[1].defaultExtension, ".png");
    EXPECT_EQ(exportDialog.Output().path, "/chosen");
    // Export in the gait dialog writes a GIF beside the genome, named by the dialog's title;
    // a failure is told over the gait dialog, which stays open.
    QTimer::singleShot(0, [] { QMetaObject::invokeMethod(QApplication::activeModalWidget(), "accept"); });
    Named(dialog, "Export")->click();
    const std::string gif = dir.File(dialog->windowTitle().toStdString() + ".gif");
    EXPECT_EQ(ReadFileBytes(gif).substr(0, 6), "GIF89a") << gif;
    EXPECT_FALSE(ui::RunWalkExport(settings, {WalkFormat::Gif, dir.Path(), 0}, dialog));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith("The walk was not exported: "));
    EXPECT_EQ(messages.shown[0].owner, dialog);
}

TEST_F(GaitTransportTest, CancellingLeavesNothingAndTheOlderFileAsItWas) {
    CGaitDlg* dialog = OpenWithPoses(4);
    const WalkSettings settings = dialog->PreviewSettings();
    for (WalkFormat format : {WalkFormat::Frames, WalkFormat::Sheet, WalkFormat::Gif}) {
        const std::string fresh = dir.File("fresh"), older = dir.Write("older", "old");
        for (const std::string& path : {fresh, older}) {
            WalkExport walk(settings, WalkOutput{format, path, 0});
            ASSERT_TRUE(walk.Start());
            EXPECT_FALSE(walk.Run([](int done, int) { return done < 2; }));
            EXPECT_EQ(walk.FailureKind(), WalkExport::Failure::Cancelled);
        }
        EXPECT_FALSE(std::filesystem::exists(fresh));
        EXPECT_EQ(ReadFileBytes(older), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2) << "the genome and older only";
    }
}

}  // namespace
}  // namespace mirtala::test
