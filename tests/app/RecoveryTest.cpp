// Recovery copies: an editor killed with unsaved changes offers them at the
// next start; a clean end leaves nothing; a folder that cannot be written is
// told once and editing goes on.
#include "app/AppTestSupport.h"

#include "editor/app/Recovery.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <signal.h>

namespace mirtala::test {
namespace {

QStringList RecoveryFiles(const QString& folder) {
    QStringList files;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) files << it.next();
    return files;
}

// Ended, not yet reaped by its parent.
bool Zombie(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(')');
    return end >= 0 && line.mid(end + 2, 1) == "Z";
}

class RecoveryTest : public EditorAppTest {};

TEST_F(RecoveryTest, AKilledEditorsUnsavedChangesAreOfferedAtTheNextStart) {
    const QString genome = GenomeFile("walk.gen", {PoseGene(1, 1)});
    const std::string saved = ReadFileBytes(genome.toStdString());
    const QString folder = QString::fromStdString(dir.File("recovery"));
    ASSERT_TRUE(QDir().mkpath(folder + "/run-1x-2"));  // not named as an editor names its run: left alone
    const QString stray = QString::fromStdString(dir.Write("recovery/run-1x-2/copy-9.gen", "x"));
    QProcess child;
    child.start(RECOVERY_CHILD, {folder, genome});
    ASSERT_TRUE(child.waitForStarted());
    // The copy, its description and the names in place (each written under a temporary name first).
    auto written = [&] {
        return RecoveryFiles(folder).filter(QRegularExpression("/(copy-1\\.(gen|ini)|names\\.ini)$")).size() == 3;
    };
    for (int i = 0; i < 200 && !written(); ++i) QThread::msleep(25);
    ASSERT_TRUE(written()) << child.readAllStandardError().toStdString();
    // SIGKILL: no clean end. The next start comes before the killed editor is
    // reaped (a process that is gone but still has a pid).
    ::kill(pid_t(child.processId()), SIGKILL);
    for (int i = 0; i < 200 && ::kill(pid_t(child.processId()), 0) == 0 && !Zombie(child.processId()); ++i)
        QThread::msleep(5);
    ASSERT_TRUE(Zombie(child.processId()));

    messages.answers = {MessageAnswer::Yes};
    CMirtalaApp& a = Start();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains("walk.gen"));
    EXPECT_EQ(messages.shown[0].yesText, "Recover");
    ASSERT_EQ(a.DocumentManager().Documents().size(), 1u);  // the recovered one, and no new empty genome
    CMirtalaDoc& doc = *a.DocumentManager().Documents()[0];
    EXPECT_EQ(doc.GetPathName(), genome);
    ASSERT_EQ(doc.GetGenome().Count(), 2u);
    EXPECT_EQ(doc.GetGenome().At(1)->header.id, 42);
    EXPECT_EQ(NameTable::Instance().GetName(42), "Run");  // named since the last exit: back with the copy
    child.waitForFinished();
    // The user's file was never written, and the crashed run's folder is gone.
    EXPECT_EQ(ReadFileBytes(genome.toStdString()), saved);
    application.reset();  // a clean end
    EXPECT_EQ(app::CMirtalaApp::Instance(), nullptr);
    EXPECT_EQ(RecoveryFiles(folder), QStringList{stray});
}

TEST_F(RecoveryTest, CopiesFollowTheModifiedStateAndFailuresAreToldOnce) {
    CMirtalaApp& a = Start();
    CMirtalaDoc& doc = *a.DocumentManager().Documents()[0];
    app::CRecovery recovery(a.DocumentManager(), QString::fromStdString(dir.File("own")), 60000);
    recovery.SaveNow();
    EXPECT_TRUE(RecoveryFiles(recovery.RunFolder()).filter("/copy-").isEmpty());  // nothing unsaved
    doc.AddGene(PoseGene(1, 1));
    recovery.SaveNow();
    EXPECT_EQ(RecoveryFiles(recovery.RunFolder()).filter("/copy-").size(), 2);
    doc.Undo();  // back at the saved state
    EXPECT_TRUE(RecoveryFiles(recovery.RunFolder()).filter("/copy-").isEmpty());

    dir.Write("plain", "x");
    app::CRecovery blocked(a.DocumentManager(), QString::fromStdString(dir.File("plain/recovery")), 60000);
    doc.Redo();
    for (int i = 0; i < 2; ++i) blocked.SaveNow();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains("cannot be written")) << messages.shown[0].text.toStdString();
    EXPECT_TRUE(messages.shown[0].text.contains("the folder cannot be created: Not a directory."));
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace mirtala::test
