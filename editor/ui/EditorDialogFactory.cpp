// Creating the editor's pose and gait dialogs.
#include "editor/ui/EditorDialogFactory.h"

#include "editor/ui/GaitDlg.h"
#include "editor/ui/PoseDlg.h"

namespace mirtala::ui {

CEditorDialogFactory::CEditorDialogFactory(QWidget* parent) : m_parent(parent) {}

GeneDialogHandle CEditorDialogFactory::CreatePoseDialog(CMirtalaDoc& doc, const GeneRef& gene,
                                                        const std::string& poseString) {
    auto* dialog = new CPoseDlg(doc, gene, poseString, m_parent);
    GeneDialogHandle handle = CGeneDialogWindow::MakeHandle(dialog);
    dialog->Open();
    return handle;
}

GeneDialogHandle CEditorDialogFactory::CreateGaitDialog(CMirtalaDoc& doc, const GeneRef& gene,
                                                        const Gene& workingCopy) {
    auto* dialog = new CGaitDlg(doc, gene, workingCopy, m_parent);
    GeneDialogHandle handle = CGeneDialogWindow::MakeHandle(dialog);
    dialog->Open();
    return handle;
}

}  // namespace mirtala::ui
