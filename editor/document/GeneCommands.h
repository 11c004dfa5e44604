// The undoable gene commands of a document: modify a gene in place, add a
// gene at the end of the genome, remove a gene. Each holds a full copy of
// its gene. GeneUndoStep puts one on the document's QUndoStack.
#pragma once

#include "editor/genome/Gene.h"

#include <QString>
#include <QUndoCommand>

#include <memory>

namespace mirtala {

class CMirtalaDoc;
class Genome;

class GeneCommand {
public:
    explicit GeneCommand(const Gene& gene) : m_gene(gene) {}
    virtual ~GeneCommand() = default;
    virtual void Do(CMirtalaDoc& doc) = 0;
    virtual void Undo(CMirtalaDoc& doc) = 0;
    virtual QString Name() const = 0;

    const Gene& StoredGene() const { return m_gene; }

protected:
    static Genome& GenomeOf(CMirtalaDoc& doc);
    // Appends the stored gene and tells the views.
    void Restore(CMirtalaDoc& doc);
    // Removes the first gene with the stored key, closes its dialogs and tells the views.
    void Take(CMirtalaDoc& doc);
    // The open dialogs show genes this command changed: they refresh once the step is done.
    static void DialogsOutOfDate(CMirtalaDoc& doc);

    Gene m_gene;
};

using GeneCommandHandle = std::shared_ptr<GeneCommand>;

class ModifyGeneCommand : public GeneCommand {
public:
    using GeneCommand::GeneCommand;
    // Each call swaps the stored content with the genome's gene of the same key.
    void Do(CMirtalaDoc& doc) override;
    void Undo(CMirtalaDoc& doc) override;
    QString Name() const override;
};

class AddGeneCommand : public GeneCommand {
public:
    using GeneCommand::GeneCommand;
    void Do(CMirtalaDoc& doc) override;
    void Undo(CMirtalaDoc& doc) override;
    QString Name() const override;
};

class RemoveGeneCommand : public GeneCommand {
public:
    using GeneCommand::GeneCommand;
    void Do(CMirtalaDoc& doc) override;
    void Undo(CMirtalaDoc& doc) override;
    QString Name() const override;
};

// One step on the document's undo stack: redo() is the command's Do, undo()
// its Undo, the text its Name. The stack owns the step, the step shares the
// command; the commands themselves know nothing of the stack.
class GeneUndoStep : public QUndoCommand {
public:
    GeneUndoStep(CMirtalaDoc& doc, GeneCommandHandle command);
    void redo() override;
    void undo() override;
    const GeneCommandHandle& Command() const { return m_command; }

private:
    CMirtalaDoc& m_doc;
    GeneCommandHandle m_command;
};

}  // namespace mirtala
