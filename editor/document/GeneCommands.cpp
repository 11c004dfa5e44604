// Bodies of the gene commands and of the step that runs one on the undo stack.
#include "editor/document/GeneCommands.h"

#include "editor/document/DocumentView.h"
#include "editor/document/MirtalaDoc.h"

namespace mirtala {

Genome& GeneCommand::GenomeOf(CMirtalaDoc& doc) { return doc.m_genome; }
void GeneCommand::DialogsOutOfDate(CMirtalaDoc& doc) { doc.MarkDialogsOutOfDate(); }

void GeneCommand::Restore(CMirtalaDoc& doc) {
    GeneRef added = GenomeOf(doc).Append(m_gene);
    doc.UpdateAllViews(nullptr, HintGeneAdded, added);
}

void GeneCommand::Take(CMirtalaDoc& doc) {
    const GeneKey key = m_gene.Key();
    GeneRef removed = GenomeOf(doc).Remove(key);
    doc.CloseDialogsFor(key);
    DialogsOutOfDate(doc);
    // Nothing was removed when the gene has already left the genome: no hint then.
    if (removed) doc.UpdateAllViews(nullptr, HintGeneRemoved, removed);
}

void ModifyGeneCommand::Do(CMirtalaDoc& doc) {
    m_gene = GenomeOf(doc).Replace(m_gene);
    DialogsOutOfDate(doc);
}

void ModifyGeneCommand::Undo(CMirtalaDoc& doc) { Do(doc); }
QString ModifyGeneCommand::Name() const { return QStringLiteral("Modify Gene"); }

void AddGeneCommand::Do(CMirtalaDoc& doc) { Restore(doc); }
void AddGeneCommand::Undo(CMirtalaDoc& doc) { Take(doc); }
QString AddGeneCommand::Name() const { return QStringLiteral("Add Gene"); }

void RemoveGeneCommand::Do(CMirtalaDoc& doc) { Take(doc); }
void RemoveGeneCommand::Undo(CMirtalaDoc& doc) { Restore(doc); }
QString RemoveGeneCommand::Name() const { return QStringLiteral("Remove Gene"); }

GeneUndoStep::GeneUndoStep(CMirtalaDoc& doc, GeneCommandHandle command)
    : QUndoCommand(command->Name()), m_doc(doc), m_command(std::move(command)) {}

void GeneUndoStep::redo() { m_command->Do(m_doc); }
void GeneUndoStep::undo() { m_command->Undo(m_doc); }

}  // namespace mirtala
