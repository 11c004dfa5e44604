// Writing, finding and offering recovery copies.
#include "editor/app/Recovery.h"

#include "editor/app/DocumentManager.h"
#include "editor/app/MirtalaApp.h"
#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/document/NameTable.h"
#include "platform/fileio/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

namespace mirtala::app {

namespace {

const QString kRunPrefix = QStringLiteral("run-");
const QString kLockFile = QStringLiteral("run.lock");
const QString kNamesFile = QStringLiteral("names.ini");

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
// A run that holds its lock is alive; one whose lock is free has ended. A
// folder without a lock file (its run had not made it yet) goes by the process.
bool Abandoned(const QDir& folder, const QString& run) {
    const qint64 pid = RunProcess(run);
    if (pid <= 0) return false;
    const QByteArray lock = QFile::encodeName(folder.filePath(run) + '/' + kLockFile);
    const int fd = ::open(lock.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return !ProcessAlive(pid);
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);  // and with it the lock just taken
    return free;
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
    for (unsigned i = 0; i < NameTable::kEntries; ++i) m_namesAtStart.push_back(NameTable::Instance().GetName(i));
    // Without the lock a crash is still seen, later: by the process being gone.
    if (QDir().mkpath(m_runFolder)) {
        const QByteArray lock = QFile::encodeName(m_runFolder + '/' + kLockFile);
        m_lock = ::open(lock.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (m_lock >= 0 && ::flock(m_lock, LOCK_EX | LOCK_NB) != 0) {
            ::close(m_lock);
            m_lock = -1;
        }
    }
}

CRecovery::~CRecovery() {
    QDir(m_runFolder).removeRecursively();
    if (m_lock >= 0) ::close(m_lock);
}

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
        std::string reason;
        if (!fileio::MakeFolders(QFile::encodeName(m_runFolder).toStdString(), &reason))
            return ReportFailure(
                QStringLiteral("the folder cannot be created: %1").arg(QString::fromStdString(reason)));
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
        if (info.status() != QSettings::NoError)
            return ReportFailure(QStringLiteral("its description cannot be written"));
    }
    if (!m_numbers.empty() && !SaveNames()) ReportFailure(QStringLiteral("the names cannot be written"));
}

bool CRecovery::SaveNames() {
    QSettings names(m_runFolder + '/' + kNamesFile, QSettings::IniFormat);
    names.clear();
    for (unsigned i = 0; i < m_namesAtStart.size(); ++i) {
        const std::string name = NameTable::Instance().GetName(i);
        if (name != m_namesAtStart[i])
            names.setValue(QString::number(i), QByteArray(name.data(), qsizetype(name.size())));
    }
    names.sync();
    return names.status() == QSettings::NoError;
}

void CRecovery::RecoverNames(const QString& runFolder) {
    const QSettings names(runFolder + '/' + kNamesFile, QSettings::IniFormat);
    for (const QString& key : names.childKeys()) {
        bool read = false;
        const unsigned index = key.toUInt(&read);
        if (!read || index >= NameTable::kEntries) continue;
        const QByteArray name = names.value(key).toByteArray();
        NameTable::Instance().SetName(index, std::string_view(name.constData(), std::size_t(name.size())));
    }
}

void CRecovery::Remove(const CMirtalaDoc* doc) {
    if (!m_numbers.count(doc)) return;
    QFile::remove(CopyFile(doc, "gen"));
    QFile::remove(CopyFile(doc, "ini"));
    m_numbers.erase(doc);
    if (m_numbers.empty()) QFile::remove(m_runFolder + '/' + kNamesFile);  // nothing left to name
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
        if (folder.filePath(run) == m_runFolder || !Abandoned(folder, run)) continue;
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
        if (folder.filePath(run) != m_runFolder && Abandoned(folder, run))
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
        list += QStringLiteral("\n    %1 (changes of %2)")
                    .arg(name, QLocale().toString(copy.written, QLocale::ShortFormat));
    }
    MessageRequest request{kAppTitle,
                           QStringLiteral("Mirtala did not end properly last time. These documents had unsaved "
                                          "changes:\n%1\n\nRecover them, or discard the changes?")
                               .arg(list),
                           MessageIcon::Question,
                           MessageButtons::YesNo,
                           nullptr,
                           QStringLiteral("Recover"),
                           QStringLiteral("Discard")};
    int recovered = 0;
    if (ShowMessage(request) == MessageAnswer::Yes) {
        // The names first, the older run's before the newer's: the recovered
        // documents' windows show them.
        QStringList runs;
        for (const Copy& copy : copies)
            if (const QString run = QFileInfo(copy.file).absolutePath(); !runs.contains(run)) runs << run;
        for (const QString& run : runs) RecoverNames(run);
        for (const Copy& copy : copies)
            if (m_documents.OpenRecovered(copy.file, copy.originalPath, copy.title)) ++recovered;
    }
    RemoveAbandonedFolders();
    // The recovered documents are modified: their copies are this run's from now on.
    if (recovered) SaveNow();
    return recovered;
}

}  // namespace mirtala::app
