// The gene clipboard: one gene in the private format "MirtalaGene", shared
// between documents and between editors running on the same desktop.
#pragma once

#include "editor/genome/Gene.h"

#include <QString>

class QClipboard;

namespace mirtala {

inline const QString kGeneClipboardFormat = QStringLiteral("MirtalaGene");

// Each takes the application's clipboard when none is given; without a
// graphical application they do nothing and report failure.

// Replaces the clipboard's content with the gene's block.
bool CopyToClipboard(const Gene& gene, QClipboard* clipboard = nullptr);
// Reads the clipboard's gene; false, with `gene` unchanged, when there is none
// or the block is too short to hold a header.
bool PasteFromClipboard(Gene& gene, const QClipboard* clipboard = nullptr);
// Whether the clipboard offers data in the gene format.
bool CanPaste(const QClipboard* clipboard = nullptr);
// Leaves the clipboard empty (a Copy with nothing to copy does this).
void EmptyClipboard(QClipboard* clipboard = nullptr);

}  // namespace mirtala
