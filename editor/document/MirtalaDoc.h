// CMirtalaDoc: one open genome file. It owns the genome, the preview
// appearance, the open pose and gait dialogs and the undo and redo stacks of
// gene commands; views attach to it and follow it through update hints.
#pragma once

#include "editor/document/Appearance.h"
#include "editor/document/CommandUi.h"
#include "editor/document/GeneCommands.h"
#include "editor/document/GeneDialog.h"
#include "editor/genome/Genome.h"

#include <QObject>
#include <QString>

#include <vector>

namespace mirtala {

class CDocumentView;

class CMirtalaDoc : public QObject {
    Q_OBJECT

public:
    explicit CMirtalaDoc(QObject* parent = nullptr);
    ~CMirtalaDoc() override;

    // The framework's side: new, open, save and close.
    bool OnNewDocument();
    // Reads the file, showing reading warnings; presets the appearance from the genes.
    bool OnOpenDocument(const QString& path);
    // Writes the genome atomically; refuses a genome that would not read back.
    bool OnSaveDocument(const QString& path);
    // Save: to the document's path, or through Save As when it has none.
    bool DoFileSave();
    // Save As when `path` is empty, else save to `path` and take it as the document's;
    // a read-only `path` is refused with a message and Save As is offered.
    bool DoSave(const QString& path);
    // True when the document may close: unmodified, saved on Yes, or No.
    bool SaveModified();

    const QString& GetPathName() const { return m_pathName; }
    void SetPathName(const QString& path);  // the title becomes the file name
    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);
    // The title, with a '*' after it while there are unsaved changes.
    QString GetWindowTitle() const;
    bool IsModified() const;
    // The document counts as modified until it is next saved (a recovered copy).
    void SetModifiedUntilSaved();

    void AddView(CDocumentView* view);
    void RemoveView(CDocumentView* view);
    const std::vector<CDocumentView*>& Views() const { return m_views; }
    void UpdateAllViews(CDocumentView* sender, int hint, const GeneRef& gene);

    const Genome& GetGenome() const { return m_genome; }
    const Appearance& GetAppearance() const { return m_appearance; }

    void Execute(const GeneCommandHandle& command);
    void Undo();
    void Redo();
    void UpdateUndoMenu(CCmdUI& item) const;
    void UpdateRedoMenu(CCmdUI& item) const;
    std::size_t UndoCount() const { return m_undoStack.size(); }
    std::size_t RedoCount() const { return m_redoStack.size(); }

    void ModifyGene(const Gene& gene);
    void AddGene(const Gene& gene);
    void RemoveGene(const Gene& gene);
    void ChangeAppearance(const Appearance& appearance);

    // Every open dialog refreshes; the key does not narrow it down.
    void RefreshDialogs(const GeneKey& key);
    // Closes, without asking, every dialog open on a gene with this key.
    void CloseDialogsFor(const GeneKey& key);
    // Opens a dialog on the gene, or raises the one already open on it.
    CGeneDialog* OpenPoseDialog(const GeneRef& gene);
    CGeneDialog* OpenGaitDialog(const GeneRef& gene);
    void PoseDialogClosed(CGeneDialog* dialog);
    void GaitDialogClosed(CGeneDialog* dialog);
    const std::vector<GeneDialogHandle>& PoseDialogs() const { return m_poseDialogs; }
    const std::vector<GeneDialogHandle>& GaitDialogs() const { return m_gaitDialogs; }

    // File, Names, Import Gait Names...: names the genome's gaits from a ".gno" file.
    void OnImportGaitNames();

signals:
    void modifiedChanged(bool modified);
    void titleChanged(const QString& windowTitle);
    // The undo or redo stack changed: menu items may need updating.
    void commandStacksChanged();

private:
    friend class GeneCommand;

    void SetSavedState();
    void AfterStacksChanged(bool wasModified);
    static void Release(std::vector<GeneDialogHandle>& dialogs, CGeneDialog* dialog);
    static void ReleaseFor(std::vector<GeneDialogHandle>& dialogs, const GeneKey& key);

    std::vector<CDocumentView*> m_views;
    QString m_pathName;
    QString m_title;
    // Undo stack depth at the last save; -1 once that state cannot come back.
    std::ptrdiff_t m_savedDepth = 0;

    // Destroyed in reverse order: redo, undo, gait dialogs, pose dialogs, genome.
    Genome m_genome;
    Appearance m_appearance;
    std::vector<GeneDialogHandle> m_poseDialogs;
    std::vector<GeneDialogHandle> m_gaitDialogs;
    std::vector<GeneCommandHandle> m_undoStack;  // back: undone next
    std::vector<GeneCommandHandle> m_redoStack;  // back: redone next
};

}  // namespace mirtala
