// Two editors on one desktop share a gene through the clipboard: a private X
// server, one helper process that copies a gene and another that reads it.
#include "DocTestSupport.h"
#include "editor/document/GeneBlock.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

namespace mirtala::test {
namespace {

// Reads from the process until a whole line has come.
QByteArray Line(QProcess& p) {
    QByteArray out;
    while (!out.contains('\n') && p.waitForReadyRead(10000)) out += p.readAllStandardOutput();
    return out.trimmed();
}

TEST(ClipboardDesktop, GeneCopiedInOneEditorIsReadInAnother) {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
    int argc = 1;
    char name[] = "clipboard_desktop_tests", *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QProcess server, copier, reader;  // each one's destructor ends it
    server.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp"});  // prints the free display it took
    const QByteArray display = Line(server);
    ASSERT_FALSE(display.isEmpty()) << "the X server did not report its display";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", ":" + display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    const QString helper = qEnvironmentVariable("MIRTALA_BINARY_DIR") + "/tests/document/gene_clip_helper";
    copier.setProcessEnvironment(env);
    reader.setProcessEnvironment(env);

    reader.start(helper, {"paste"});
    EXPECT_EQ(Line(reader), "0 none");
    reader.waitForFinished(10000);
    Gene pose = PoseGene(7, 33, "X?!012345012345");
    pose.header.reserved3 = 0x9C;
    const auto block = BlockFromGene(pose);
    const QByteArray hex = QByteArray(reinterpret_cast<const char*>(block.data()), qsizetype(block.size())).toHex();
    copier.start(helper, {"copy", QString::fromLatin1(hex)});
    ASSERT_EQ(Line(copier), "ready");
    reader.start(helper, {"paste"});
    EXPECT_EQ(Line(reader), "1 " + hex);
}

}  // namespace
}  // namespace mirtala::test
