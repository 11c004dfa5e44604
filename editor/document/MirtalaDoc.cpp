// The genome document: commands and their stacks, views, dialogs, open and save.
#include "editor/document/MirtalaDoc.h"

#include "editor/document/DocumentView.h"
#include "editor/document/FileDialogService.h"
#include "editor/document/MessageService.h"
#include "editor/document/NameEncoding.h"
#include "editor/document/NameTable.h"
#include "editor/document/PathBytes.h"
#include "editor/document/ReadWarnings.h"
#include "platform/fileio/AtomicFile.h"
#include "editor/genome/PoseGenes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <utility>

namespace mirtala {

namespace {

const QString kAppCaption = QStringLiteral("Mirtala");
const QString kReadErrorCaption = QStringLiteral("Error reading file");

std::string LocalPath(const QString& path) { return PathToBytes(path); }

// How a message names a gene: by its pose or gait name when it has one.
QString DescribeGene(const Gene& gene, std::size_t index) {
    const QString where = QStringLiteral("gene %1 of the genome: type %2, subtype %3, id %4")
                              .arg(index + 1)
                              .arg(gene.header.type)
                              .arg(gene.header.subtype)
                              .arg(gene.header.id);
    const NameTable& names = NameTable::Instance();
    if (IsPoseGene(gene) && !gene.data.empty())
        return QStringLiteral("The pose \"%1\" (%2)")
            .arg(QString::fromStdString(ShownName(names.NameBytes(gene.data[0]))), where);
    if (IsGaitGene(gene) && !gene.data.empty())
        return QStringLiteral("The gait \"%1\" (%2)")
            .arg(QString::fromStdString(ShownName(names.NameBytes(NameTable::kGaitBase + gene.data[0]))), where);
    return QStringLiteral("The %1").arg(where);
}

}  // namespace

CMirtalaDoc::CMirtalaDoc(QObject* parent) : QObject(parent) {}

CMirtalaDoc::~CMirtalaDoc() {
    // A dialog may report its closing while it is destroyed: it is unlinked first.
    m_redoStack.clear();
    m_undoStack.clear();
    std::vector<GeneDialogHandle> gaits = std::exchange(m_gaitDialogs, {});
    gaits.clear();
    std::vector<GeneDialogHandle> poses = std::exchange(m_poseDialogs, {});
    poses.clear();
}

// ---- framework side -------------------------------------------------------

bool CMirtalaDoc::OnNewDocument() {
    SetSavedState();
    return true;
}

bool CMirtalaDoc::OnOpenDocument(const QString& path) {
    ReadWarningTally warnings;
    FileError error;
    const ReadStatus status =
        m_genome.ReadFile(LocalPath(path), [&warnings](std::string_view w) { warnings.Add(w); }, &error);
    if (status == ReadStatus::CannotOpen) {
        // The reason the system gives: a folder, a device, no permission, a loop of links.
        const QString shown = QDir::toNativeSeparators(path);
        const QString text = error.code == ENOENT
                                 ? QStringLiteral("%1 was not found.").arg(shown)
                                 : QStringLiteral("Cannot open %1: %2.").arg(shown, QString::fromLocal8Bit(error.reason));
        ShowMessage(kAppCaption, text, MessageIcon::Warning);
        return false;
    }
    // One box for the whole file, however many warnings it raised.
    if (!warnings.Empty()) ShowMessage(kReadErrorCaption, warnings.Text(), MessageIcon::Warning);
    if (status != ReadStatus::Ok) return false;
    m_appearance = AppearanceFromGenome(m_genome);
    SetPathName(path);
    SetSavedState();
    return true;
}

bool CMirtalaDoc::OnSaveDocument(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    if (auto unfaithful = m_genome.FindUnfaithfulGene()) {
        const Gene& gene = *m_genome.At(unfaithful->index);
        ShowMessage(kAppCaption,
                    QStringLiteral("Cannot save %1.\n\n%2 would not read back as it stands: %3.\n\n"
                                   "The file was not changed.")
                        .arg(shown, DescribeGene(gene, unfaithful->index),
                             QString::fromStdString(unfaithful->reason)),
                    MessageIcon::Critical);
        return false;
    }
    std::string error;
    if (!m_genome.Write(LocalPath(path), &error)) {
        ShowMessage(kAppCaption,
                    QStringLiteral("Cannot save %1.\n\n%2.\n\nThe file was not changed.")
                        .arg(shown, QString::fromLocal8Bit(error)),
                    MessageIcon::Critical);
        return false;
    }
    SetSavedState();
    return true;
}

bool CMirtalaDoc::DoFileSave() { return DoSave(m_pathName); }

bool CMirtalaDoc::DoSave(const QString& path) {
    QString target = path;
    if (target.isEmpty()) {
        FileDialogRequest request;
        request.open = false;
        request.defaultExtension = QStringLiteral(".gen");
        request.initialFile = m_title;
        request.filter = QStringLiteral("Genome Files (*.gen)|*.gen");
        request.hideReadOnly = true;
        request.overwritePrompt = true;
        std::optional<QString> chosen = ChooseFile(request);
        if (!chosen) return false;
        target = *chosen;
    }
    // A read-only file is refused, not replaced, and the user may choose another name.
    if (IsReadOnlyFile(LocalPath(target))) {
        ShowMessage(kAppCaption,
                    QStringLiteral("%1 is read-only. The file was not changed.").arg(QDir::toNativeSeparators(target)),
                    MessageIcon::Warning);
        return DoSave(QString());
    }
    if (!OnSaveDocument(target)) return false;
    SetPathName(target);
    return true;
}

bool CMirtalaDoc::SaveModified() {
    if (!IsModified()) return true;
    const QString name = m_pathName.isEmpty() ? m_title : QDir::toNativeSeparators(m_pathName);
    switch (ShowMessage(kAppCaption, QStringLiteral("Save changes to %1?").arg(name),
                        MessageIcon::Warning, MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes: return DoFileSave();
        case MessageAnswer::No: return true;
        default: return false;
    }
}

void CMirtalaDoc::SetPathName(const QString& path) {
    m_pathName = path;
    SetTitle(QFileInfo(path).fileName());
}

void CMirtalaDoc::SetTitle(const QString& title) {
    m_title = title;
    emit titleChanged(GetWindowTitle());
}

QString CMirtalaDoc::GetWindowTitle() const {
    return IsModified() ? m_title + QLatin1Char('*') : m_title;
}

bool CMirtalaDoc::IsModified() const {
    return m_savedDepth != static_cast<std::ptrdiff_t>(m_undoStack.size());
}

void CMirtalaDoc::SetModifiedUntilSaved() {
    const bool was = IsModified();
    m_savedDepth = -1;
    if (!was) {
        emit modifiedChanged(true);
        emit titleChanged(GetWindowTitle());
    }
}

void CMirtalaDoc::SetSavedState() {
    const bool was = IsModified();
    m_savedDepth = static_cast<std::ptrdiff_t>(m_undoStack.size());
    if (was) {
        emit modifiedChanged(false);
        emit titleChanged(GetWindowTitle());
    }
}

// ---- views ----------------------------------------------------------------

void CMirtalaDoc::AddView(CDocumentView* view) {
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end()) m_views.push_back(view);
}

void CMirtalaDoc::RemoveView(CDocumentView* view) { std::erase(m_views, view); }

void CMirtalaDoc::UpdateAllViews(CDocumentView* sender, int hint, const GeneRef& gene) {
    // A view may detach while it is being told; the others are still told.
    const std::vector<CDocumentView*> views = m_views;
    for (CDocumentView* view : views) {
        if (view == sender || std::find(m_views.begin(), m_views.end(), view) == m_views.end()) continue;
        view->OnUpdate(sender, hint, gene);
    }
}

// ---- commands -------------------------------------------------------------

void CMirtalaDoc::Execute(const GeneCommandHandle& command) {
    if (!command) return;
    const bool was = IsModified();
    // The saved state lies on the redo stack, which this command empties.
    if (m_savedDepth > static_cast<std::ptrdiff_t>(m_undoStack.size())) m_savedDepth = -1;
    m_undoStack.push_back(command);
    command->Do(*this);
    m_redoStack.clear();
    AfterStacksChanged(was);
}

void CMirtalaDoc::Undo() {
    if (m_undoStack.empty()) return;
    const bool was = IsModified();
    GeneCommandHandle command = m_undoStack.back();
    command->Undo(*this);
    m_redoStack.push_back(command);
    m_undoStack.pop_back();
    AfterStacksChanged(was);
}

void CMirtalaDoc::Redo() {
    if (m_redoStack.empty()) return;
    const bool was = IsModified();
    GeneCommandHandle command = m_redoStack.back();
    command->Do(*this);
    m_undoStack.push_back(command);
    m_redoStack.pop_back();
    AfterStacksChanged(was);
}

void CMirtalaDoc::AfterStacksChanged(bool wasModified) {
    if (IsModified() != wasModified) {
        emit modifiedChanged(IsModified());
        emit titleChanged(GetWindowTitle());
    }
    emit commandStacksChanged();
}

void CMirtalaDoc::UpdateUndoMenu(CCmdUI& item) const {
    item.Enable(!m_undoStack.empty());
    const QString name = m_undoStack.empty() ? QString() : m_undoStack.back()->Name();
    item.SetText(QStringLiteral("Undo ") + name + QStringLiteral("\tCtrl+Z"));
}

void CMirtalaDoc::UpdateRedoMenu(CCmdUI& item) const {
    item.Enable(!m_redoStack.empty());
    const QString name = m_redoStack.empty() ? QString() : m_redoStack.back()->Name();
    item.SetText(QStringLiteral("Redo ") + name + QStringLiteral("\tCtrl+Y"));
}

void CMirtalaDoc::ModifyGene(const Gene& gene) { Execute(std::make_shared<ModifyGeneCommand>(gene)); }
void CMirtalaDoc::AddGene(const Gene& gene) { Execute(std::make_shared<AddGeneCommand>(gene)); }
void CMirtalaDoc::RemoveGene(const Gene& gene) { Execute(std::make_shared<RemoveGeneCommand>(gene)); }

// ---- dialogs --------------------------------------------------------------

void CMirtalaDoc::ChangeAppearance(const Appearance& appearance) {
    m_appearance = appearance;
    // Copies keep every dialog alive while it is told, even if one closes meanwhile.
    const std::vector<GeneDialogHandle> poses = m_poseDialogs;
    for (const GeneDialogHandle& d : poses) d->SetAppearance(m_appearance);
    const std::vector<GeneDialogHandle> gaits = m_gaitDialogs;
    for (const GeneDialogHandle& d : gaits) d->SetAppearance(m_appearance);
}

void CMirtalaDoc::RefreshDialogs(const GeneKey&) {
    const std::vector<GeneDialogHandle> poses = m_poseDialogs;
    for (const GeneDialogHandle& d : poses) d->Refresh();
    const std::vector<GeneDialogHandle> gaits = m_gaitDialogs;
    for (const GeneDialogHandle& d : gaits) d->Refresh();
}

void CMirtalaDoc::ReleaseFor(std::vector<GeneDialogHandle>& dialogs, const GeneKey& key) {
    std::vector<GeneDialogHandle> closing;
    for (auto it = dialogs.begin(); it != dialogs.end();) {
        const GeneRef& gene = (*it)->GetGeneRef();
        if (gene && gene->Key() == key) {
            closing.push_back(std::move(*it));
            it = dialogs.erase(it);
        } else {
            ++it;
        }
    }
    // Released only now, when the list no longer holds them.
}

void CMirtalaDoc::CloseDialogsFor(const GeneKey& key) {
    ReleaseFor(m_poseDialogs, key);
    ReleaseFor(m_gaitDialogs, key);
}

CGeneDialog* CMirtalaDoc::OpenPoseDialog(const GeneRef& gene) {
    if (!gene) return nullptr;
    for (const GeneDialogHandle& d : m_poseDialogs) {
        if (d->GetGeneRef() == gene) {
            d->BringToTop();
            return d.get();
        }
    }
    CGeneDialogFactory* factory = InstalledDialogFactory();
    if (!factory) return nullptr;
    std::string pose = PoseStringOf(*gene);
    pose.resize(kPoseStringLength, '0');
    GeneDialogHandle dialog = factory->CreatePoseDialog(*this, gene, pose);
    if (!dialog) return nullptr;
    m_poseDialogs.push_back(dialog);
    dialog->BringToTop();
    return dialog.get();
}

CGeneDialog* CMirtalaDoc::OpenGaitDialog(const GeneRef& gene) {
    if (!gene) return nullptr;
    for (const GeneDialogHandle& d : m_gaitDialogs) {
        if (d->GetGeneRef() == gene) {
            d->BringToTop();
            return d.get();
        }
    }
    CGeneDialogFactory* factory = InstalledDialogFactory();
    if (!factory) return nullptr;
    const Gene workingCopy = *gene;
    GeneDialogHandle dialog = factory->CreateGaitDialog(*this, gene, workingCopy);
    if (!dialog) return nullptr;
    m_gaitDialogs.push_back(dialog);
    dialog->BringToTop();
    return dialog.get();
}

void CMirtalaDoc::Release(std::vector<GeneDialogHandle>& dialogs, CGeneDialog* dialog) {
    auto it = std::find_if(dialogs.begin(), dialogs.end(),
                           [dialog](const GeneDialogHandle& d) { return d.get() == dialog; });
    if (it == dialogs.end()) return;
    GeneDialogHandle closing = std::move(*it);
    dialogs.erase(it);
}

void CMirtalaDoc::PoseDialogClosed(CGeneDialog* dialog) { Release(m_poseDialogs, dialog); }
void CMirtalaDoc::GaitDialogClosed(CGeneDialog* dialog) { Release(m_gaitDialogs, dialog); }

// ---- names ----------------------------------------------------------------

void CMirtalaDoc::OnImportGaitNames() {
    FileDialogRequest request;
    request.open = true;
    request.defaultExtension = QStringLiteral(".gno");
    request.filter = QStringLiteral("Genome files (*.gno)|*.gno");
    request.hideReadOnly = true;
    request.overwritePrompt = true;
    std::optional<QString> chosen = ChooseFile(request);
    if (!chosen) return;
    // Read first, so that a file that cannot be read leaves the gait names as they are.
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(LocalPath(*chosen), bytes)) {
        ShowMessage(kAppCaption,
                    QStringLiteral("Cannot open %1.\n\nThe gait names were not changed.")
                        .arg(QDir::toNativeSeparators(*chosen)),
                    MessageIcon::Warning);
        return;
    }
    NameTable::Instance().ParseGaitNames(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), m_genome);
}

}  // namespace mirtala
