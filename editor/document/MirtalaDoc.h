// CMirtalaDoc: one open genome file. It owns the genome, the preview
// appearance, the open pose and gait dialogs and the QUndoStack of gene
// commands, whose clean state is the modified flag; views attach to it and
// follow it through update hints.
#pragma once

#include "editor/document/Appearance.h"
#include "editor/document/GeneCommands.h"
#include "editor/document/GeneDialog.h"
#include "editor/genome/Genome.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QUndoStack;

namespace mirtala {

class CDocumentView;

// The Edit menu's Undo and Redo texts before the command's name: "Undo Modify
// Gene", and plain "Undo" when there is nothing to undo.
inline const QString kUndoPrefix = QStringLiteral("Undo");
inline const QString kRedoPrefix = QStringLiteral("Redo");

// The two kinds of editing dialog a document keeps open.
enum class DialogKind { Pose, Gait };

class CMirtalaDoc : public QObject {
    Q_OBJECT

public:
    explicit CMirtalaDoc(QObject* parent = nullptr);
    ~CMirtalaDoc() override;

    // The framework's side: new, open and save (asking and Save As are the document manager's).
    bool OnNewDocument();
    // Reads the file, showing reading warnings; presets the appearance from the genes.
    bool OnOpenDocument(const QString& path);
    // Writes the genome atomically and marks the stack clean; refuses a genome
    // that would not read back. On failure `error` says why, for the caller to show.
    bool OnSaveDocument(const QString& path, QString* error);

    const QString& GetPathName() const { return m_pathName; }
    void SetPathName(const QString& path);  // the title becomes the file name
    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);
    // The title, with a '*' after it while there are unsaved changes.
    QString GetWindowTitle() const;
    bool IsModified() const;
    // The document counts as modified until it is next saved (a recovered copy):
    // no undo or redo reaches a clean state then.
    void SetModifiedUntilSaved();

    void AddView(CDocumentView* view);
    void RemoveView(CDocumentView* view);
    const std::vector<CDocumentView*>& Views() const { return m_views; }
    void UpdateAllViews(CDocumentView* sender, int hint, const GeneRef& gene);

    const Genome& GetGenome() const { return m_genome; }
    const Appearance& GetAppearance() const { return m_appearance; }

    // Performs the command and pushes it on the undo stack, emptying the redo part.
    void Execute(const GeneCommandHandle& command);
    void Undo();
    void Redo();
    // The stack's own undo and redo actions, history view and clean state work on this.
    QUndoStack* UndoStack() const { return m_undoStack.get(); }
    std::size_t UndoCount() const;
    std::size_t RedoCount() const;

    void ModifyGene(const Gene& gene);
    void AddGene(const Gene& gene);
    void RemoveGene(const Gene& gene);
    void ChangeAppearance(const Appearance& appearance);

    // Every open dialog refreshes; the key does not narrow it down.
    void RefreshDialogs(const GeneKey& key);
    // Closes, without asking, every dialog open on a gene with this key.
    void CloseDialogsFor(const GeneKey& key);
    // Opens a dialog of that kind on the gene, or raises the one already open on it.
    CGeneDialog* OpenDialog(DialogKind kind, const GeneRef& gene);
    CGeneDialog* OpenPoseDialog(const GeneRef& gene) { return OpenDialog(DialogKind::Pose, gene); }
    CGeneDialog* OpenGaitDialog(const GeneRef& gene) { return OpenDialog(DialogKind::Gait, gene); }
    // Drops the dialog of that kind from the list, which destroys it.
    void DialogClosed(DialogKind kind, CGeneDialog* dialog);
    void PoseDialogClosed(CGeneDialog* dialog) { DialogClosed(DialogKind::Pose, dialog); }
    void GaitDialogClosed(CGeneDialog* dialog) { DialogClosed(DialogKind::Gait, dialog); }
    // The open dialogs of one kind, in opening order.
    std::vector<GeneDialogHandle> Dialogs(DialogKind kind) const;
    std::vector<GeneDialogHandle> PoseDialogs() const { return Dialogs(DialogKind::Pose); }
    std::vector<GeneDialogHandle> GaitDialogs() const { return Dialogs(DialogKind::Gait); }

signals:
    void modifiedChanged(bool modified);
    void titleChanged(const QString& windowTitle);
    // ChangeAppearance replaced the preview appearance (not undoable, so no stack change tells of it).
    void appearanceChanged();

private:
    friend class GeneCommand;

    struct OpenEditor {
        DialogKind kind;
        GeneDialogHandle dialog;
    };

    // A command changed genes that open dialogs show: they refresh once the stack has moved.
    void MarkDialogsOutOfDate() { m_dialogsOutOfDate = true; }
    void OnStackIndexChanged();
    void OnCleanChanged(bool clean);

    std::vector<CDocumentView*> m_views;
    QString m_pathName;
    QString m_title;

    Genome m_genome;
    Appearance m_appearance;
    // Pose dialogs before gait dialogs, each kind in opening order: the order
    // in which they refresh and close. The document closes gaits first.
    std::vector<OpenEditor> m_dialogs;
    bool m_dialogsOutOfDate = false;
    // Owns the gene commands; released first when the document goes.
    std::unique_ptr<QUndoStack> m_undoStack;
};

}  // namespace mirtala
