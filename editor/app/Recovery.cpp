// Writing, finding and offering recovery copies.
#include "editor/app/Recovery.h"

#include "editor/app/DocumentManager.h"
#include "editor/app/MirtalaApp.h"
#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cerrno>

#include <signal.h>
#include <unistd.h>

namespace mirtala::app {

namespace {

const QString kRunPrefix = QStringLiteral("run-");

// The process that owns a run folder "run-<pid>-<start>", or 0 for a name of another form.
qint64 RunProcess(const QString& name) {
    const QStringList parts = name.mid(kRunPrefix.size()).split('-');
    if (parts.size() != 2) return 0;
    bool pidRead = false, startRead = false;
    const qint64 pid = parts[0].toLongLong(&pidRead);
    parts[1].toLongLong(&startRead);
    return pidRead && startRead ? pid : 0;
}

bool ProcessAlive(qint64 pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

// A run folder whose editor has ended without removing it. A folder whose name
// cannot be read is not one of ours: it is neither recovered nor removed.
bool Abandoned(const QString& run) {
    const qint64 pid = RunProcess(run);
    return pid > 0 && !ProcessAlive(pid);
}

QString SameFileKey(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

}  // namespace

CRecovery::CRecovery(CDocumentManager& documents, QString folder, int intervalMs)
    : m_documents(documents), m_folder(std::move(folder)), m_timer(new QTimer(this)) {
    m_runFolder = m_folder + '/' + kRunPrefix + QString::number(QCoreApplication::applicationPid()) + '-' +
                  QString::number(QDateTime::currentMSecsSinceEpoch());
    m_timer->setInterval(intervalMs);
    connect(m_timer, &QTimer::timeout, this, &CRecovery::SaveNow);
    connect(&m_documents, &CDocumentManager::documentsChanged, this, &CRecovery::RemoveStale);
    m_timer->start();
}

CRecovery::~CRecovery() { QDir(m_runFolder).removeRecursively(); }

QString CRecovery::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/mirtala/recovery");
}

QString CRecovery::CopyFile(const CMirtalaDoc* doc, const char* suffix) const {
    const auto found = m_numbers.find(doc);
    return found == m_numbers.end() ? QString()
                                    : m_runFolder + QStringLiteral("/copy-%1.%2").arg(found->second).arg(suffix);
}

void CRecovery::SaveNow() {
    RemoveStale();
    for (CMirtalaDoc* doc : m_documents.Documents()) {
        if (!doc->IsModified()) {
            Remove(doc);
            continue;
        }
        if (!m_numbers.count(doc)) {
            m_numbers[doc] = m_nextNumber++;
            // A saved document needs no copy; the connection ends with the document.
            connect(doc, &CMirtalaDoc::modifiedChanged, this, [this, doc](bool modified) {
                if (!modified) Remove(doc);
            });
        }
        if (!QDir().mkpath(m_runFolder)) return ReportFailure(QStringLiteral("the folder cannot be created"));
        const QString file = CopyFile(doc, "gen");
        // Never over the user's own file, whatever folder the user keeps documents in.
        if (!doc->GetPathName().isEmpty() && SameFileKey(doc->GetPathName()) == SameFileKey(file)) continue;
        std::string error;
        if (!doc->GetGenome().Write(QFile::encodeName(file).toStdString(), &error))
            return ReportFailure(QString::fromStdString(error));
        QSettings info(CopyFile(doc, "ini"), QSettings::IniFormat);
        info.setValue(QStringLiteral("path"), doc->GetPathName());
        info.setValue(QStringLiteral("title"), doc->GetTitle());
        info.setValue(QStringLiteral("written"), QDateTime::currentDateTime());
        info.sync();
        if (info.status() != QSettings::NoError) return ReportFailure(QStringLiteral("its description cannot be written"));
    }
}

void CRecovery::Remove(const CMirtalaDoc* doc) {
    if (!m_numbers.count(doc)) return;
    QFile::remove(CopyFile(doc, "gen"));
    QFile::remove(CopyFile(doc, "ini"));
    m_numbers.erase(doc);
}

void CRecovery::RemoveStale() {
    const std::vector<CMirtalaDoc*> open = m_documents.Documents();
    for (auto it = m_numbers.begin(); it != m_numbers.end();) {
        const CMirtalaDoc* doc = it->first;
        ++it;
        if (std::find(open.begin(), open.end(), doc) == open.end()) Remove(doc);  // closed without saving
    }
}

void CRecovery::ReportFailure(const QString& reason) {
    if (m_failureReported) return;
    m_failureReported = true;
    ShowMessage(kAppTitle,
                QStringLiteral("Recovery copies of unsaved changes cannot be written to %1: %2.\n\n"
                               "You can go on editing; save often, as a crash would lose unsaved changes.")
                    .arg(QDir::toNativeSeparators(m_runFolder), reason),
                MessageIcon::Warning);
}

std::vector<CRecovery::Copy> CRecovery::FindAbandoned() const {
    std::vector<Copy> copies;
    const QDir folder(m_folder);
    for (const QString& run : folder.entryList({kRunPrefix + '*'}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (folder.filePath(run) == m_runFolder || !Abandoned(run)) continue;
        const QDir runDir(folder.filePath(run));
        for (const QString& ini : runDir.entryList({QStringLiteral("copy-*.ini")}, QDir::Files)) {
            const QString gen = runDir.filePath(ini.chopped(3) + QStringLiteral("gen"));
            if (!QFileInfo::exists(gen)) continue;
            const QSettings info(runDir.filePath(ini), QSettings::IniFormat);
            copies.push_back({gen, info.value(QStringLiteral("path")).toString(),
                              info.value(QStringLiteral("title")).toString(),
                              info.value(QStringLiteral("written")).toDateTime()});
        }
    }
    std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) { return a.written < b.written; });
    return copies;
}

void CRecovery::RemoveAbandonedFolders() const {
    const QDir folder(m_folder);
    for (const QString& run : folder.entryList({kRunPrefix + '*'}, QDir::Dirs | QDir::NoDotAndDotDot))
        if (folder.filePath(run) != m_runFolder && Abandoned(run))
            QDir(folder.filePath(run)).removeRecursively();
}

int CRecovery::OfferRecovery() {
    const std::vector<Copy> copies = FindAbandoned();
    if (copies.empty()) {
        RemoveAbandonedFolders();
        return 0;
    }
    QString list;
    for (const Copy& copy : copies) {
        const QString name = copy.originalPath.isEmpty() ? copy.title : QDir::toNativeSeparators(copy.originalPath);
        list += QStringLiteral("\n    %1 (changes of %2)").arg(name, QLocale().toString(copy.written, QLocale::ShortFormat));
    }
    MessageRequest request{kAppTitle,
                           QStringLiteral("Mirtala did not end properly last time. These documents had unsaved "
                                          "changes:\n%1\n\nRecover them, or discard the changes?")
                               .arg(list),
                           MessageIcon::Question, MessageButtons::YesNo, nullptr,
                           QStringLiteral("Recover"), QStringLiteral("Discard")};
    int recovered = 0;
    if (ShowMessage(request) == MessageAnswer::Yes)
        for (const Copy& copy : copies)
            if (m_documents.OpenRecovered(copy.file, copy.originalPath, copy.title)) ++recovered;
    RemoveAbandonedFolders();
    // The recovered documents are modified: their copies are this run's from now on.
    if (recovered) SaveNow();
    return recovered;
}

}  // namespace mirtala::app
