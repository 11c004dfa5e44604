// CDocumentManager: the open genome documents and their windows. Every new
// document (New, Open, a recovered copy) comes in through one door that keeps
// it, makes its first window and tells the main frame; the manager numbers
// untitled documents ("Genome1", ...), titles the windows of a document
// ("Genome1:2"), saves, and asks before a modified document closes.
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QWidget;

namespace mirtala {
class CMirtalaDoc;
}

namespace mirtala::app {

class CChildFrame;
class CRecentFileList;

class CDocumentManager : public QObject {
    Q_OBJECT
public:
    explicit CDocumentManager(CRecentFileList& recentFiles);
    ~CDocumentManager() override;

    // File dialogs and message boxes belong to this window (the main frame).
    void SetOwner(QWidget* owner) { m_owner = owner; }

    // New: an empty genome titled "Genome" and the next number.
    CMirtalaDoc* OpenNew();
    // Open...: asks for a genome file and opens it.
    void OnFileOpen();
    // Opens (or activates, when already open) the genome file; null when it cannot be read.
    CMirtalaDoc* OpenFile(const QString& path);
    // A recovery copy as a modified document with its former path, or its title when it had none.
    CMirtalaDoc* OpenRecovered(const QString& copy, const QString& originalPath, const QString& title);
    // Opens the recent file; one that no longer opens leaves the list.
    void OpenRecentFile(int index);
    // Window, New Window: one more window on the document.
    CChildFrame* NewWindow(CMirtalaDoc& doc);

    std::vector<CMirtalaDoc*> Documents() const;
    int FramesOf(const CMirtalaDoc& doc) const;
    // 1 for the document's first window, 2 for its second, ...
    int FrameNumber(const CChildFrame* frame) const;

    // Save: to the document's path, or through Save As when it has none.
    bool Save(CMirtalaDoc& doc);
    // Save As: asks for a path, saves there and takes it as the document's.
    bool SaveAs(CMirtalaDoc& doc);
    // True when the document may close: unmodified, saved on Yes, or No.
    bool CanCloseDocument(CMirtalaDoc& doc);
    // Asks for every modified document in turn; false when one answer was Cancel.
    bool SaveAllModified();
    // Closes every window of the document without asking.
    void CloseDocument(CMirtalaDoc& doc);
    void CloseAllDocuments();

signals:
    // A document window was made; the main frame places it.
    void frameCreated(CChildFrame* frame);
    void documentsChanged();

private:
    // The one way in: keeps the document and gives it its first window.
    CMirtalaDoc* Adopt(std::unique_ptr<CMirtalaDoc> doc);
    CChildFrame* CreateFrame(CMirtalaDoc& doc);
    void UpdateFrameTitles(const CMirtalaDoc& doc);
    CMirtalaDoc* FindDocument(const QString& path) const;
    bool SaveTo(CMirtalaDoc& doc, const QString& path);

    CRecentFileList& m_recentFiles;
    QWidget* m_owner = nullptr;
    int m_untitledCount = 0;
    std::vector<std::unique_ptr<CMirtalaDoc>> m_documents;
    std::vector<CChildFrame*> m_frames;
};

}  // namespace mirtala::app
