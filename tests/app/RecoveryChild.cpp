// recovery_child FOLDER GENOME: an editor that opens the genome, changes it,
// names the new pose, and keeps running with recovery copies written every
// 50 ms until it is killed.
#include "editor/app/MainFrame.h"
#include "editor/app/MirtalaApp.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/document/NameTable.h"
#include "editor/genome/PoseGenes.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3) return 2;
    mirtala::app::CMirtalaApp app(QApplication::applicationFilePath());
    app.SetRecovery(QString::fromLocal8Bit(argv[1]), 50);
    if (!app.InitInstance({QString::fromLocal8Bit(argv[2])})) return 1;
    using namespace mirtala;
    app.MainFrame()->ActiveDocument()->AddGene(
        Gene{{kCreatureGeneType, kPoseSubtype, 42, 0, 3, 0, 0}, std::vector<std::uint8_t>(16, '2')});
    mirtala::NameTable::Instance().SetName(42, "Run");
    return QApplication::exec();
}
