// Going to a gene from a window other than the form (the pose sheet, the
// genome check): the gene is selected in the pose or gait list of every form
// of its document, and its editing dialog is opened or raised.
#pragma once

#include "editor/genome/Gene.h"

namespace mirtala {
class CMirtalaDoc;
}

namespace mirtala::ui {

// Selects the gene in every form of the document that lists it.
void SelectInForms(CMirtalaDoc& doc, const GeneRef& gene);
// Selects it and opens its pose or gait dialog; false for a gene of another kind.
bool GoToGene(CMirtalaDoc& doc, const GeneRef& gene);

}  // namespace mirtala::ui
