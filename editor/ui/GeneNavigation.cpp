// Selecting a gene in the document's forms and opening its dialog.
#include "editor/ui/GeneNavigation.h"

#include "editor/document/MirtalaDoc.h"
#include "editor/genome/PoseGenes.h"
#include "editor/ui/MirtalaView.h"

#include <QListWidget>
#include <QTreeWidget>

#include <algorithm>

namespace mirtala::ui {

void SelectInForms(CMirtalaDoc& doc, const GeneRef& gene) {
    if (!gene) return;
    // A form's list item k shows its gene k.
    for (CDocumentView* view : doc.Views()) {
        auto* form = dynamic_cast<CMirtalaView*>(view);
        if (!form) continue;
        const bool pose = IsPoseGene(*gene);
        const std::vector<GeneRef>& genes = pose ? form->Poses() : form->Gaits();
        const auto it = std::find(genes.begin(), genes.end(), gene);
        if (it == genes.end()) continue;
        const int row = int(it - genes.begin());
        if (pose)
            form->PoseList()->setCurrentItem(form->PoseList()->topLevelItem(row));
        else
            form->GaitList()->setCurrentRow(row);
    }
}

bool GoToGene(CMirtalaDoc& doc, const GeneRef& gene) {
    if (!gene || !(IsPoseGene(*gene) || IsGaitGene(*gene))) return false;
    SelectInForms(doc, gene);
    if (IsPoseGene(*gene))
        doc.OpenPoseDialog(gene);
    else
        doc.OpenGaitDialog(gene);
    return true;
}

}  // namespace mirtala::ui
