// Two editors on one desktop share genes through the clipboard: a private X
// server is started, and two helper processes copy and read genes through it.
#include "DocTestSupport.h"
#include "editor/document/GeneBlock.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <memory>

namespace mirtala {
namespace {

using namespace test;

QString Hex(const Gene& gene) {
    const auto block = BlockFromGene(gene);
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size())).toHex());
}

class ClipboardDesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "clipboard_desktop_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    }

    void SetUp() override {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
        m_server.setProgram(xvfb);
        // -displayfd: the server picks a free display and writes its number when ready.
        m_server.setArguments({"-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp"});
        m_server.start();
        ASSERT_TRUE(m_server.waitForStarted(10000));
        QByteArray number;
        while (!number.contains('\n') && m_server.waitForReadyRead(10000)) number += m_server.readAllStandardOutput();
        ASSERT_TRUE(number.contains('\n')) << "the X server did not report its display";
        m_display = ":" + QString::fromLatin1(number.trimmed());
    }

    void TearDown() override {
        for (auto& p : m_copiers) {
            p->closeWriteChannel();
            if (!p->waitForFinished(5000)) p->kill();
        }
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(5000)) m_server.kill();
        }
    }

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        return env;
    }

    static QString Helper() { return QString::fromLocal8Bit(qgetenv("MIRTALA_BINARY_DIR")) + "/tests/document/gene_clip_helper"; }

    // Starts an editor that puts the gene on the clipboard and holds it there.
    void CopyIn(const Gene& gene) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(Environment());
        p->start(Helper(), {"copy", Hex(gene)});
        ASSERT_TRUE(p->waitForStarted(10000));
        QByteArray out;
        while (!out.contains("ready\n") && p->waitForReadyRead(10000)) out += p->readAllStandardOutput();
        ASSERT_TRUE(out.contains("ready\n")) << p->readAllStandardError().toStdString();
        m_copiers.push_back(std::move(p));
    }

    // Runs another editor that reads the clipboard; its two output lines.
    QStringList PasteIn() {
        QProcess p;
        p.setProcessEnvironment(Environment());
        p.start(Helper(), {"paste"});
        EXPECT_TRUE(p.waitForFinished(15000));
        return QString::fromLatin1(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

    QProcess m_server;
    QString m_display;
    std::vector<std::unique_ptr<QProcess>> m_copiers;
};

TEST_F(ClipboardDesktopTest, GenesCopiedInOneEditorArePastedInAnother) {
    EXPECT_EQ(PasteIn(), (QStringList{"canpaste=0", "gene=none"}));

    Gene pose = PoseGene(7, 33, 4, "X?!012345012345");
    pose.header.reserved3 = 0x9C;
    CopyIn(pose);
    EXPECT_EQ(PasteIn(), (QStringList{"canpaste=1", "gene=" + Hex(pose)}));

    // A later copy in the second editor replaces it for everyone.
    const Gene gait = GaitGene(3, 200, {9, 8, 7, 6, 5, 4, 3, 2});
    CopyIn(gait);
    EXPECT_EQ(PasteIn(), (QStringList{"canpaste=1", "gene=" + Hex(gait)}));
}

}  // namespace
}  // namespace mirtala
