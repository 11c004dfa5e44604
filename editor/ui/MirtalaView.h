// CMirtalaView: the form that shows one genome document: the preview
// appearance on the left, the pose genes in the middle and the gait genes on
// the right, each list with Add, Remove and Properties. It keeps no gene
// data of its own, only handles to the listed genes in display order, kept
// in step with the document through update hints.
#pragma once

#include "editor/document/DocumentView.h"
#include "editor/ui/DialogTemplate.h"

#include <QWidget>

#include <array>
#include <vector>

class QListWidget;
class QTreeWidget;

namespace mirtala {
class CMirtalaDoc;
}

namespace mirtala::ui {

class CMirtalaView : public QWidget, public CDocumentView, private CControlEvents {
    Q_OBJECT
public:
    CMirtalaView(CMirtalaDoc& doc, QWidget* parent = nullptr);
    ~CMirtalaView() override;

    CMirtalaDoc& GetDocument() const { return m_doc; }
    // Fills the form and runs the first full rebuild.
    void OnInitialUpdate();
    void OnUpdate(CDocumentView* sender, int hint, const GeneRef& gene) override;
    void DoDataExchange(bool save);

    // Edit commands, acting on the list that has the focus.
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    bool CanCopy() const;  // also Cut
    bool CanPaste() const;

    const std::vector<GeneRef>& Poses() const { return m_poses; }
    const std::vector<GeneRef>& Gaits() const { return m_gaits; }
    QTreeWidget* PoseList() const;
    QListWidget* GaitList() const;
    const CTemplateWidgets& Controls() const { return m_controls; }
    QSize sizeHint() const override { return m_controls.ClientSize(); }

signals:
    // The focus moved between the lists or a selection changed: Cut and Copy may change.
    void EditStateChanged();

private:
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnDoubleClick(int id) override;

    void Rebuild();
    void Insert(const GeneRef& gene);
    void Remove(const GeneRef& gene);
    void SetColumnWidths();
    // The handle behind the selected item of each list; null without a selection.
    const GeneRef* SelectedPose() const;
    const GeneRef* SelectedGait() const;
    // The gene the Edit commands act on: the focused list's selection.
    const Gene* FocusedSelection() const;
    void AddPose(const Gene* pasted);
    void AddGait(const Gene* pasted);

    CMirtalaDoc& m_doc;
    CTemplateWidgets m_controls;
    std::array<int, 13> m_appearance;  // the Sex combo to the Tail Variant combo, as selection indices
    std::vector<GeneRef> m_poses;
    std::vector<GeneRef> m_gaits;
};

}  // namespace mirtala::ui
