// CRecovery: recovery copies of documents with unsaved changes, so that a
// crash loses at most the last minute of editing. Each run keeps its copies
// in a folder of its own under the user's data folder and removes it when it
// ends cleanly; a folder whose run is gone belongs to a run that crashed.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <map>
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

    CDocumentManager& m_documents;
    QString m_folder;
    QString m_runFolder;
    QTimer* m_timer;
    std::map<const CMirtalaDoc*, int> m_numbers;  // the copy number of each document
    int m_nextNumber = 1;
    bool m_failureReported = false;
};

}  // namespace mirtala::app
