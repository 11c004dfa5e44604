// CEditorDialogFactory: creates the pose and gait dialogs for the document,
// as modeless windows owned by the main frame.
#pragma once

#include "editor/document/GeneDialog.h"

#include <QPointer>
#include <QWidget>

namespace mirtala::ui {

class CEditorDialogFactory : public CGeneDialogFactory {
public:
    // `parent` owns the windows (the main frame); null gives windows of their own.
    explicit CEditorDialogFactory(QWidget* parent);

    GeneDialogHandle CreatePoseDialog(CMirtalaDoc& doc, const GeneRef& gene, const std::string& poseString) override;
    GeneDialogHandle CreateGaitDialog(CMirtalaDoc& doc, const GeneRef& gene, const Gene& workingCopy) override;

private:
    QPointer<QWidget> m_parent;
};

}  // namespace mirtala::ui
