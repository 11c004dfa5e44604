// The genome document: its undo stack, views, dialogs, open and save.
#include "editor/document/MirtalaDoc.h"

#include "editor/document/DocumentView.h"
#include "editor/document/MessageService.h"
#include "editor/document/NameEncoding.h"
#include "editor/document/NameTable.h"
#include "editor/document/PathBytes.h"
#include "editor/document/ReadWarnings.h"
#include "editor/genome/PoseGenes.h"
#include "platform/fileio/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

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

CMirtalaDoc::CMirtalaDoc(QObject* parent) : QObject(parent), m_undoStack(std::make_unique<QUndoStack>()) {
    connect(m_undoStack.get(), &QUndoStack::indexChanged, this, &CMirtalaDoc::OnStackIndexChanged);
    connect(m_undoStack.get(), &QUndoStack::cleanChanged, this, &CMirtalaDoc::OnCleanChanged);
}

CMirtalaDoc::~CMirtalaDoc() {
    // The commands go first, and quietly: nothing is told of a stack emptied on the way out.
    m_undoStack->disconnect(this);
    m_undoStack.reset();
    // A dialog may report its closing while it is destroyed: it is unlinked first.
    std::vector<OpenEditor> dialogs = std::exchange(m_dialogs, {});
    const auto firstGait =
        std::find_if(dialogs.begin(), dialogs.end(), [](const OpenEditor& e) { return e.kind == DialogKind::Gait; });
    std::rotate(dialogs.begin(), firstGait, dialogs.end());
    for (OpenEditor& editor : dialogs) editor.dialog.reset();
}

// ---- framework side -------------------------------------------------------

bool CMirtalaDoc::OnNewDocument() {
    m_undoStack->setClean();
    return true;
}

bool CMirtalaDoc::OnOpenDocument(const QString& path) {
    ReadWarningTally warnings;
    fileio::FileError error;
    const ReadStatus status = m_genome.ReadFile(
        LocalPath(path), [&warnings](std::string_view w) { warnings.Add(w); }, &error);
    if (status == ReadStatus::CannotOpen) {
        // The reason the system gives: a folder, a device, no permission, a loop of links.
        const QString shown = QDir::toNativeSeparators(path);
        const QString text =
            error.code == ENOENT
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
    m_undoStack->setClean();
    return true;
}

bool CMirtalaDoc::OnSaveDocument(const QString& path, QString* error) {
    const QString shown = QDir::toNativeSeparators(path);
    QString reason;
    if (auto unfaithful = m_genome.FindUnfaithfulGene()) {
        const Gene& gene = *m_genome.At(unfaithful->index);
        reason = QStringLiteral(
                     "Cannot save %1.\n\n%2 would not read back as it stands: %3.\n\n"
                     "The file was not changed.")
                     .arg(shown, DescribeGene(gene, unfaithful->index), QString::fromStdString(unfaithful->reason));
    } else if (std::string written; !m_genome.Write(LocalPath(path), &written)) {
        reason = QStringLiteral("Cannot save %1.\n\n%2.\n\nThe file was not changed.")
                     .arg(shown, QString::fromLocal8Bit(written));
    }
    if (!reason.isEmpty()) {
        if (error) *error = reason;
        return false;
    }
    m_undoStack->setClean();
    return true;
}

void CMirtalaDoc::SetPathName(const QString& path) {
    m_pathName = path;
    SetTitle(QFileInfo(path).fileName());
}

void CMirtalaDoc::SetTitle(const QString& title) {
    m_title = title;
    emit titleChanged(GetWindowTitle());
}

QString CMirtalaDoc::GetWindowTitle() const { return IsModified() ? m_title + QLatin1Char('*') : m_title; }

bool CMirtalaDoc::IsModified() const { return !m_undoStack->isClean(); }

void CMirtalaDoc::SetModifiedUntilSaved() { m_undoStack->resetClean(); }

void CMirtalaDoc::OnCleanChanged(bool clean) {
    emit modifiedChanged(!clean);
    emit titleChanged(GetWindowTitle());
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
    // The stack performs the command (redo) and drops the redo part, which may hold the saved state.
    if (command) m_undoStack->push(new GeneUndoStep(*this, command));
}

void CMirtalaDoc::Undo() { m_undoStack->undo(); }
void CMirtalaDoc::Redo() { m_undoStack->redo(); }
std::size_t CMirtalaDoc::UndoCount() const { return static_cast<std::size_t>(m_undoStack->index()); }
std::size_t CMirtalaDoc::RedoCount() const {
    return static_cast<std::size_t>(m_undoStack->count() - m_undoStack->index());
}

void CMirtalaDoc::OnStackIndexChanged() {
    // One refresh per move of the stack, however many commands a jump in the history ran.
    if (std::exchange(m_dialogsOutOfDate, false)) RefreshDialogs(GeneKey{});
}

void CMirtalaDoc::ModifyGene(const Gene& gene) { Execute(std::make_shared<ModifyGeneCommand>(gene)); }
void CMirtalaDoc::AddGene(const Gene& gene) { Execute(std::make_shared<AddGeneCommand>(gene)); }
void CMirtalaDoc::RemoveGene(const Gene& gene) { Execute(std::make_shared<RemoveGeneCommand>(gene)); }

// ---- dialogs --------------------------------------------------------------

std::vector<GeneDialogHandle> CMirtalaDoc::Dialogs(DialogKind kind) const {
    std::vector<GeneDialogHandle> dialogs;
    for (const OpenEditor& e : m_dialogs)
        if (e.kind == kind) dialogs.push_back(e.dialog);
    return dialogs;
}

void CMirtalaDoc::ChangeAppearance(const Appearance& appearance) {
    m_appearance = appearance;
    // A copy keeps every dialog alive while it is told, even if one closes meanwhile.
    const std::vector<OpenEditor> dialogs = m_dialogs;
    for (const OpenEditor& e : dialogs) e.dialog->SetAppearance(m_appearance);
    emit appearanceChanged();
}

void CMirtalaDoc::RefreshDialogs(const GeneKey&) {
    const std::vector<OpenEditor> dialogs = m_dialogs;
    for (const OpenEditor& e : dialogs) e.dialog->Refresh();
}

void CMirtalaDoc::CloseDialogsFor(const GeneKey& key) {
    std::vector<OpenEditor> closing;
    for (auto it = m_dialogs.begin(); it != m_dialogs.end();) {
        const GeneRef& gene = it->dialog->GetGeneRef();
        if (gene && gene->Key() == key) {
            closing.push_back(std::move(*it));
            it = m_dialogs.erase(it);
        } else {
            ++it;
        }
    }
    // Released only now, when the list no longer holds them.
}

CGeneDialog* CMirtalaDoc::OpenDialog(DialogKind kind, const GeneRef& gene) {
    if (!gene) return nullptr;
    for (const OpenEditor& e : m_dialogs) {
        if (e.kind == kind && e.dialog->GetGeneRef() == gene) {
            e.dialog->BringToTop();
            return e.dialog.get();
        }
    }
    CGeneDialogFactory* factory = InstalledDialogFactory();
    if (!factory) return nullptr;
    GeneDialogHandle dialog;
    if (kind == DialogKind::Pose) {
        std::string pose = PoseStringOf(*gene);
        pose.resize(kPoseStringLength, '0');
        dialog = factory->CreatePoseDialog(*this, gene, pose);
    } else {
        dialog = factory->CreateGaitDialog(*this, gene, *gene);  // the gait dialog edits a working copy
    }
    if (!dialog) return nullptr;
    // After the last dialog of its kind: poses stay ahead of gaits.
    const auto after = std::find_if(m_dialogs.rbegin(), m_dialogs.rend(), [kind](const OpenEditor& e) {
        return kind == DialogKind::Gait || e.kind == DialogKind::Pose;
    });
    m_dialogs.insert(after.base(), OpenEditor{kind, dialog});
    dialog->BringToTop();
    return dialog.get();
}

void CMirtalaDoc::DialogClosed(DialogKind kind, CGeneDialog* dialog) {
    const auto it = std::find_if(m_dialogs.begin(), m_dialogs.end(), [kind, dialog](const OpenEditor& e) {
        return e.kind == kind && e.dialog.get() == dialog;
    });
    if (it == m_dialogs.end()) return;
    GeneDialogHandle closing = std::move(it->dialog);
    m_dialogs.erase(it);
}

}  // namespace mirtala
