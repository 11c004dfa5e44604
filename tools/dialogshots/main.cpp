// dialogshots GENOME NAMEFILE POSE GAIT AGE OUTDIR: opens the genome as the
// editor does, with the genome's appearance at life stage AGE, opens the pose
// dialog on pose number POSE and the gait dialog on gait number GAIT, lets the
// preview walk for a moment and saves both windows as pose-dialog.png and
// gait-dialog.png in OUTDIR. The picture control must be registered.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/document/NameTable.h"
#include "editor/genome/PoseGenes.h"
#include "editor/ui/EditorDialogFactory.h"

using namespace mirtala;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 7) {
        std::fprintf(stderr, "usage: dialogshots GENOME NAMEFILE POSE GAIT AGE OUTDIR\n");
        return 2;
    }
    QtMessageService messages;
    ScopedMessageService useMessages(messages);
    ui::CEditorDialogFactory factory(nullptr);
    ScopedDialogFactory useFactory(factory);
    NameTable::Instance().LoadNameFile(argv[2]);
    CMirtalaDoc doc;
    if (!doc.OnOpenDocument(QString::fromLocal8Bit(argv[1]))) return 1;
    Appearance appearance = doc.GetAppearance();
    appearance.age = std::atoi(argv[5]);
    doc.ChangeAppearance(appearance);

    const Genome& genome = doc.GetGenome();
    const GeneRef pose = FindActivePose(genome, std::atoi(argv[3]), appearance.age);
    GeneRef gait;
    for (GeneCursor c(genome, 0, kCreatureGeneType, kGaitSubtype); !c.AtEnd() && !gait; c.Advance())
        if (GeneNumber(*c) == std::atoi(argv[4])) gait = c.Ref();
    auto* poseWindow = dynamic_cast<QWidget*>(doc.OpenPoseDialog(pose));
    auto* gaitWindow = dynamic_cast<QWidget*>(doc.OpenGaitDialog(gait));
    if (!poseWindow || !gaitWindow) {
        std::fprintf(stderr, "dialogshots: no pose %s or no gait %s in %s\n", argv[3], argv[4], argv[1]);
        return 1;
    }
    gaitWindow->move(poseWindow->frameGeometry().topRight());
    const QDir out(QString::fromLocal8Bit(argv[6]));
    bool saved = false;
    QTimer::singleShot(1500, [&] {
        saved = poseWindow->grab().save(out.filePath("pose-dialog.png")) &&
                gaitWindow->grab().save(out.filePath("gait-dialog.png"));
        app.quit();
    });
    app.exec();
    return saved ? 0 : 1;
}
