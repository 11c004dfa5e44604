// guideshots GENOME NAMEFILE OUTDIR: opens the genome in the editor and saves a picture
// of each window the user guide shows (main window, New Pose, New Gait, the
// about box, and the pose and gait dialogs when their picture control is
// registered). Run it on a real or virtual display so the fonts are the desktop's.
#include "editor/app/AboutBox.h"
#include "editor/app/HostFoldersDlg.h"
#include "editor/app/MainFrame.h"
#include "editor/app/MirtalaApp.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/document/NameTable.h"
#include "editor/genome/PoseGenes.h"
#include "editor/picture/WalkExport.h"
#include "editor/ui/CZubrelle.h"
#include "editor/ui/GaitDlg.h"
#include "editor/ui/GaitTransport.h"
#include "editor/ui/NewGaitDlg.h"
#include "editor/ui/NewPoseDlg.h"
#include "editor/ui/WalkExportDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QRadioButton>
#include <QTimer>

#include <iostream>
#include <optional>

namespace {

bool Save(QWidget& window, const QString& dir, const char* name) {
    window.show();
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    const QString path = dir + '/' + QString::fromLatin1(name);
    if (window.grab().save(path)) {
        std::cout << "Saved " << path.toStdString() << "\n";
        return true;
    }
    std::cerr << "guideshots: cannot write " << path.toStdString() << "\n";
    return false;
}

// The pose dialog on pose 2 and the gait dialog on gait 1, as an adult, once the
// preview has walked a few steps and is paused on a frame; then its Export dialog.
bool SaveEditDialogs(mirtala::CMirtalaDoc& doc, const QString& dir) {
    using namespace mirtala;
    Appearance adult = doc.GetAppearance();
    adult.age = 4;
    doc.ChangeAppearance(adult);
    GeneRef gait;
    for (GeneCursor c(doc.GetGenome(), 0, kCreatureGeneType, kGaitSubtype); !c.AtEnd() && !gait; c.Advance())
        if (GeneNumber(*c) == 1) gait = c.Ref();
    auto* pose = dynamic_cast<QWidget*>(doc.OpenPoseDialog(FindActivePose(doc.GetGenome(), 2, adult.age)));
    auto* walk = dynamic_cast<QWidget*>(doc.OpenGaitDialog(gait));
    if (!pose || !walk) {
        std::cerr << "guideshots: the genome has no pose 2 or no gait 1\n";
        return false;
    }
    QEventLoop walking;
    QTimer::singleShot(1500, &walking, &QEventLoop::quit);
    walking.exec();
    auto* gaitDialog = dynamic_cast<mirtala::ui::CGaitDlg*>(walk);
    auto* preview = walk->findChild<mirtala::ui::CZubrelle*>(QStringLiteral("zubrelle1036"));
    if (gaitDialog && preview) {
        // Paused in mid-stride, with the readout saying where.
        gaitDialog->Transport().SetPlaying(false);
        for (int i = 0; i < 50 && preview->CurrentFrame() != 4; ++i) gaitDialog->Transport().Step(false);
    }
    bool ok = Save(*pose, dir, "pose-dialog.png") && Save(*walk, dir, "gait-dialog.png");
    if (gaitDialog) {
        const WalkSettings settings = gaitDialog->PreviewSettings();
        mirtala::ui::CWalkExportDlg exportDialog(settings, 8, QDir::homePath(), QStringLiteral("Walk"), walk);
        ok = Save(exportDialog, dir, "gait-export.png") && ok;
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 4) {
        std::cerr << "usage: guideshots GENOME NAMEFILE OUTDIR\n";
        return 2;
    }
    mirtala::NameTable::Instance().LoadNameFile(argv[2]);
    const QString outDir = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(outDir);
    mirtala::app::CMirtalaApp app(QApplication::applicationFilePath());
    if (!app.InitInstance({QString::fromLocal8Bit(argv[1])})) return 1;
    mirtala::app::CMainFrame& frame = *app.MainFrame();
    frame.resize(760, 520);
    bool ok = Save(frame, outDir, "main-window.png");
    mirtala::CMirtalaDoc& doc = *frame.ActiveDocument();

    mirtala::ui::CNewPoseDlg newPose(doc, &frame);
    newPose.CreateModeless();
    if (auto* variant = newPose.findChildren<QRadioButton*>().value(1)) variant->click();
    if (auto* poses = newPose.findChildren<QComboBox*>().value(0)) {
        poses->setCurrentIndex(1);
        emit poses->activated(1);
    }
    ok = Save(newPose, outDir, "new-pose.png") && ok;
    mirtala::ui::CNewGaitDlg newGait(doc, &frame);
    newGait.CreateModeless();
    ok = Save(newGait, outDir, "new-gait.png") && ok;
    mirtala::app::CHostFoldersDlg folders(doc.GetAppearance(), &frame);
    ok = Save(folders, outDir, "host-folders.png") && ok;
    mirtala::app::CAboutDlg about(&frame);
    ok = Save(about, outDir, "about.png") && ok;
    ok = SaveEditDialogs(doc, outDir) && ok;
    return ok ? 0 : 1;
}
