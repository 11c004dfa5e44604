// CRecovery: recovery copies of documents with unsaved changes, so that a
// crash loses at most the last minute of editing. Each run keeps its copies
// in a folder of its own under the user's data folder and removes it when it
// ends cleanly; a folder whose run is gone belongs to a run that crashed.
// A run holds a lock on its folder for its whole life, which the system
// lets go the moment the process ends, however it ends: a killed run's
// folder is free at once, even before its parent has reaped it. Names typed
// or imported during the run (written to the name file only at exit) go
// into the folder with the copies and come back with them.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <map>
#include <string>
#include <vector>

class QTimer;

namespace mirtala {
class CMirtalaDoc;
}

namespace mirtala::app {

class CDocumentManager;

class CRecovery : public QObject {
    Q_OBJECT
public:
    // A recovery copy and what it stands for.
    struct Copy {
        QString file;          // the copy itself
        QString originalPath;  // the document's file; empty for a document never saved
        QString title;
        QDateTime written;
    };

    CRecovery(CDocumentManager& documents, QString folder, int intervalMs);
    // A clean end: this run's copies go.
    ~CRecovery() override;
    // <user data folder>/mirtala/recovery
    static QString DefaultFolder();

    // The copies left by runs that did not end cleanly, oldest first.
    std::vector<Copy> FindAbandoned() const;
    // Says which documents were left and offers Recover or Discard; returns how many were recovered.
    int OfferRecovery();
    // Writes a copy of every modified document and removes those no longer needed.
    void SaveNow();
    const QString& RunFolder() const { return m_runFolder; }

private:
    QString CopyFile(const CMirtalaDoc* doc, const char* suffix) const;
    void Remove(const CMirtalaDoc* doc);
    void RemoveStale();
    void ReportFailure(const QString& reason);
    void RemoveAbandonedFolders() const;
    bool SaveNames();
    static void RecoverNames(const QString& runFolder);

    CDocumentManager& m_documents;
    QString m_folder;
    QString m_runFolder;
    QTimer* m_timer;
    std::map<const CMirtalaDoc*, int> m_numbers;  // the copy number of each document
    int m_nextNumber = 1;
    bool m_failureReported = false;
    int m_lock = -1;                          // the descriptor whose lock says this run is alive
    std::vector<std::string> m_namesAtStart;  // the name table as this run found it
};

}  // namespace mirtala::app
