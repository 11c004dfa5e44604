// Two editors on one desktop share a gene through the clipboard: the test
// starts a private X server and runs this program twice more as the editors.
//   document_desktop_clipboard_tests copy HEX   copies the block, prints "ready", serves it (at most 30 s)
//   document_desktop_clipboard_tests paste      prints CanPaste() as 0 or 1, then the block as HEX or "none"
#include "DocTestSupport.h"
#include "editor/document/GeneBlock.h"
#include "editor/document/GeneClipboard.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace mirtala::test {
namespace {

QByteArray Hex(const Gene& gene) {
    const auto b = BlockFromGene(gene);
    return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size())).toHex();
}

// Reads from the process until a whole line has come.
QByteArray Line(QProcess& p) {
    QByteArray out;
    while (!out.contains('\n') && p.waitForReadyRead(10000)) out += p.readAllStandardOutput();
    return out.trimmed();
}

TEST(ClipboardDesktop, GeneCopiedInOneEditorIsReadInAnother) {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
    QProcess server, copier, reader;                              // each one's destructor ends it
    server.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp"});  // prints the free display it took
    const QByteArray display = Line(server);
    ASSERT_FALSE(display.isEmpty()) << "the X server did not report its display";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", ":" + display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    for (QProcess* editor : {&copier, &reader}) editor->setProcessEnvironment(env);
    reader.start(QCoreApplication::applicationFilePath(), {"paste"});
    EXPECT_EQ(Line(reader), "0 none");
    reader.waitForFinished(10000);
    Gene pose = PoseGene(7, 33, "X?!012345012345");
    pose.header.reserved3 = 0x9C;
    copier.start(QCoreApplication::applicationFilePath(), {"copy", QString::fromLatin1(Hex(pose))});
    ASSERT_EQ(Line(copier), "ready");
    reader.start(QCoreApplication::applicationFilePath(), {"paste"});
    EXPECT_EQ(Line(reader), "1 " + Hex(pose));
}

int Editor(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    Gene gene;
    if (argc == 2)
        return std::printf("%d %s\n", CanPaste(), PasteFromClipboard(gene) ? Hex(gene).constData() : "none") < 0;
    const QByteArray b = QByteArray::fromHex(argv[2]);
    if (!GeneFromBlock(std::span(reinterpret_cast<const std::uint8_t*>(b.data()), std::size_t(b.size())), gene) ||
        !CopyToClipboard(gene))
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    QTimer::singleShot(30000, &app, &QGuiApplication::quit);  // the clipboard's data lives in this process
    return app.exec();
}

}  // namespace
}  // namespace mirtala::test

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if ((mode == "paste" && argc == 2) || (mode == "copy" && argc == 3)) return mirtala::test::Editor(argc, argv);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
