// The open documents, their windows, saving and the questions before closing.
#include "editor/app/DocumentManager.h"

#include "editor/app/ChildFrame.h"
#include "editor/app/MirtalaApp.h"
#include "editor/app/RecentFileList.h"
#include "editor/document/FileDialogService.h"
#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/document/PathBytes.h"
#include "platform/fileio/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>

#include <algorithm>

namespace mirtala::app {

namespace {

QString SamePathKey(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace

CDocumentManager::CDocumentManager(CRecentFileList& recentFiles) : m_recentFiles(recentFiles) {}

CDocumentManager::~CDocumentManager() {
    const std::vector<CChildFrame*> frames = m_frames;  // the windows hold views of the documents
    for (CChildFrame* frame : frames) delete frame;
    m_documents.clear();
}

// ---- the way in ---------------------------------------------------------------

CMirtalaDoc* CDocumentManager::Adopt(std::unique_ptr<CMirtalaDoc> doc) {
    CMirtalaDoc* raw = doc.get();
    m_documents.push_back(std::move(doc));
    CreateFrame(*raw);
    emit documentsChanged();
    return raw;
}

CMirtalaDoc* CDocumentManager::OpenNew() {
    auto doc = std::make_unique<CMirtalaDoc>();
    if (!doc->OnNewDocument()) return nullptr;
    doc->SetTitle(QStringLiteral("Genome%1").arg(++m_untitledCount));
    return Adopt(std::move(doc));
}

void CDocumentManager::OnFileOpen() {
    FileDialogRequest request;
    request.open = true;
    request.filter = QStringLiteral("Genome Files (*.gen)|*.gen|All Files (*.*)|*");
    request.hideReadOnly = true;
    request.owner = m_owner;
    if (const std::optional<QString> chosen = ChooseFile(request)) OpenFile(*chosen);
}

CMirtalaDoc* CDocumentManager::FindDocument(const QString& path) const {
    const QString key = SamePathKey(path);
    for (const auto& doc : m_documents)
        if (!doc->GetPathName().isEmpty() && SamePathKey(doc->GetPathName()) == key) return doc.get();
    return nullptr;
}

CMirtalaDoc* CDocumentManager::OpenFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (CMirtalaDoc* open = FindDocument(absolute)) {
        for (CChildFrame* frame : m_frames)
            if (&frame->GetDocument() == open && frame->mdiArea()) frame->mdiArea()->setActiveSubWindow(frame);
        return open;
    }
    auto doc = std::make_unique<CMirtalaDoc>();
    if (!doc->OnOpenDocument(absolute)) return nullptr;  // which takes the path as the document's
    m_recentFiles.Add(absolute);
    return Adopt(std::move(doc));
}

CMirtalaDoc* CDocumentManager::OpenRecovered(const QString& copy, const QString& originalPath, const QString& title) {
    auto doc = std::make_unique<CMirtalaDoc>();
    if (!doc->OnOpenDocument(copy)) return nullptr;
    if (originalPath.isEmpty()) {
        doc->SetPathName(QString());
        doc->SetTitle(title);
    } else {
        doc->SetPathName(originalPath);
    }
    doc->SetModifiedUntilSaved();
    return Adopt(std::move(doc));
}

void CDocumentManager::OpenRecentFile(int index) {
    if (index < 0 || index >= m_recentFiles.Files().size()) return;
    if (!OpenFile(m_recentFiles.Files()[index])) m_recentFiles.Remove(index);
}

// ---- windows ------------------------------------------------------------------

CChildFrame* CDocumentManager::CreateFrame(CMirtalaDoc& doc) {
    auto* frame = new CChildFrame(*this, doc);
    m_frames.push_back(frame);
    connect(frame, &QObject::destroyed, this, [this, frame, docPtr = &doc] {
        std::erase(m_frames, frame);
        if (FramesOf(*docPtr) > 0) return UpdateFrameTitles(*docPtr);
        // The document's last window is gone, and with it the last view.
        std::erase_if(m_documents, [docPtr](const auto& d) { return d.get() == docPtr; });
        emit documentsChanged();
    });
    connect(&doc, &CMirtalaDoc::titleChanged, frame, [this, &doc] { UpdateFrameTitles(doc); });
    emit frameCreated(frame);
    UpdateFrameTitles(doc);
    return frame;
}

CChildFrame* CDocumentManager::NewWindow(CMirtalaDoc& doc) { return CreateFrame(doc); }

std::vector<CMirtalaDoc*> CDocumentManager::Documents() const {
    std::vector<CMirtalaDoc*> docs;
    for (const auto& doc : m_documents) docs.push_back(doc.get());
    return docs;
}

int CDocumentManager::FramesOf(const CMirtalaDoc& doc) const {
    return static_cast<int>(
        std::ranges::count_if(m_frames, [&doc](CChildFrame* f) { return &f->GetDocument() == &doc; }));
}

int CDocumentManager::FrameNumber(const CChildFrame* frame) const {
    int number = 0;
    for (CChildFrame* f : m_frames) {
        if (&f->GetDocument() != &frame->GetDocument()) continue;
        ++number;
        if (f == frame) return number;
    }
    return number;
}

void CDocumentManager::UpdateFrameTitles(const CMirtalaDoc& doc) {
    for (CChildFrame* frame : m_frames)
        if (&frame->GetDocument() == &doc) frame->UpdateTitle();
}

// ---- saving and closing -------------------------------------------------------

bool CDocumentManager::SaveTo(CMirtalaDoc& doc, const QString& path) {
    // A read-only file is refused, not replaced, and the user may choose another name.
    if (fileio::IsReadOnlyFile(PathToBytes(path))) {
        ShowMessage({kAppTitle,
                     QStringLiteral("%1 is read-only. The file was not changed.").arg(QDir::toNativeSeparators(path)),
                     MessageIcon::Warning, MessageButtons::Ok, m_owner});
        return SaveAs(doc);
    }
    QString error;
    if (!doc.OnSaveDocument(path, &error)) {
        ShowMessage({kAppTitle, error, MessageIcon::Critical, MessageButtons::Ok, m_owner});
        return false;
    }
    doc.SetPathName(path);
    return true;
}

bool CDocumentManager::Save(CMirtalaDoc& doc) {
    return doc.GetPathName().isEmpty() ? SaveAs(doc) : SaveTo(doc, doc.GetPathName());
}

bool CDocumentManager::SaveAs(CMirtalaDoc& doc) {
    FileDialogRequest request;
    request.open = false;
    request.defaultExtension = QStringLiteral(".gen");
    request.initialFile = doc.GetTitle();
    request.filter = QStringLiteral("Genome Files (*.gen)|*.gen");
    request.hideReadOnly = true;
    request.overwritePrompt = true;
    request.owner = m_owner;
    const std::optional<QString> chosen = ChooseFile(request);
    return chosen && SaveTo(doc, *chosen);
}

bool CDocumentManager::CanCloseDocument(CMirtalaDoc& doc) {
    if (!doc.IsModified()) return true;
    const QString name = doc.GetPathName().isEmpty() ? doc.GetTitle() : QDir::toNativeSeparators(doc.GetPathName());
    // The question belongs to the main window, so that it stays in front of it.
    switch (ShowMessage({kAppTitle, QStringLiteral("Save changes to %1?").arg(name), MessageIcon::Warning,
                         MessageButtons::YesNoCancel, m_owner})) {
        case MessageAnswer::Yes: return Save(doc);
        case MessageAnswer::No: return true;
        default: return false;
    }
}

bool CDocumentManager::SaveAllModified() {
    for (const auto& doc : m_documents)
        if (!CanCloseDocument(*doc)) return false;
    return true;
}

void CDocumentManager::CloseDocument(CMirtalaDoc& doc) {
    const std::vector<CChildFrame*> frames = m_frames;
    for (CChildFrame* frame : frames)
        if (&frame->GetDocument() == &doc) delete frame;
}

void CDocumentManager::CloseAllDocuments() {
    const std::vector<CChildFrame*> frames = m_frames;
    for (CChildFrame* frame : frames) delete frame;
    m_documents.clear();
    emit documentsChanged();
}

}  // namespace mirtala::app
