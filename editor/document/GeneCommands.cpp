// Bodies of the gene commands.
#include "editor/document/GeneCommands.h"

#include "editor/document/DocumentView.h"
#include "editor/document/MirtalaDoc.h"

namespace mirtala {

Genome& GeneCommand::GenomeOf(CMirtalaDoc& doc) { return doc.m_genome; }

void GeneCommand::Restore(CMirtalaDoc& doc) {
    GeneRef added = GenomeOf(doc).Append(m_gene);
    doc.UpdateAllViews(nullptr, HintGeneAdded, added);
}

void GeneCommand::Take(CMirtalaDoc& doc) {
    const GeneKey key = m_gene.Key();
    GeneRef removed = GenomeOf(doc).Remove(key);
    doc.CloseDialogsFor(key);
    doc.RefreshDialogs(key);
    // Nothing was removed when the gene has already left the genome: no hint then.
    if (removed) doc.UpdateAllViews(nullptr, HintGeneRemoved, removed);
}

void ModifyGeneCommand::Do(CMirtalaDoc& doc) {
    m_gene = GenomeOf(doc).Replace(m_gene);
    doc.RefreshDialogs(m_gene.Key());
}

void ModifyGeneCommand::Undo(CMirtalaDoc& doc) { Do(doc); }
QString ModifyGeneCommand::Name() const { return QStringLiteral("Modify Gene"); }

void AddGeneCommand::Do(CMirtalaDoc& doc) { Restore(doc); }
void AddGeneCommand::Undo(CMirtalaDoc& doc) { Take(doc); }
QString AddGeneCommand::Name() const { return QStringLiteral("Add Gene"); }

void RemoveGeneCommand::Do(CMirtalaDoc& doc) { Take(doc); }
void RemoveGeneCommand::Undo(CMirtalaDoc& doc) { Restore(doc); }
QString RemoveGeneCommand::Name() const { return QStringLiteral("Remove Gene"); }

}  // namespace mirtala
