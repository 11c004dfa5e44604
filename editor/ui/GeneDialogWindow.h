// CGeneDialogWindow: what the modeless pose and gait dialogs share. Each is
// opened on one gene of one document, which owns it through a shared handle;
// when the document drops the handle the window goes at once and the object
// is deleted later, since that may happen inside one of its own handlers.
// OK applies and reports the closing, Cancel and the close box only report
// it. Pictures stop animating while the window is hidden or minimized.
#pragma once

#include "editor/document/GeneDialog.h"
#include "editor/ui/TemplateDialog.h"

namespace mirtala::ui {

class CZubrelle;

class CGeneDialogWindow : public CTemplateDialog, public CGeneDialog {
    Q_OBJECT
public:
    CGeneDialogWindow(const DialogTemplate& dialog, CMirtalaDoc& doc, const GeneRef& gene, QWidget* parent);

    const GeneRef& GetGeneRef() const override { return m_gene; }
    void BringToTop() override;

    // Builds the window at the origin of the parent's client area and shows it.
    void Open();
    // The handle the document keeps; dropping its last copy discards the window.
    static GeneDialogHandle MakeHandle(CGeneDialogWindow* window);

protected:
    // Null once the document has let go of the dialog.
    CMirtalaDoc* Document() const { return m_doc; }
    CZubrelle* Picture(int id) const;
    void EnableApply(bool enable);

    virtual void Apply() = 0;
    // PoseDialogClosed or GaitDialogClosed.
    virtual void ReportClosed(CMirtalaDoc& doc) = 0;

    void OnOK() override;
    void OnCancel() override;
    void OnCommand(int id) override;

    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Discard();
    void PausePictures(bool paused);

    CMirtalaDoc* m_doc;
    GeneRef m_gene;
};

}  // namespace mirtala::ui
