// CNewPoseDlg: the modal dialog that adds a pose gene, either a new pose
// under the lowest free pose number with a typed name, or a variant of an
// existing pose with another switch-on time.
#pragma once

#include "editor/genome/Gene.h"
#include "editor/ui/TemplateDialog.h"

#include <vector>

namespace mirtala {
class CMirtalaDoc;
}

namespace mirtala::ui {

class CNewPoseDlg : public CTemplateDialog {
    Q_OBJECT
public:
    CNewPoseDlg(CMirtalaDoc& doc, QWidget* parent = nullptr);
    // Starts from this gene (a pasted one) instead of a fresh pose gene.
    void SetGene(const Gene& gene) { m_gene = gene; }
    // Opens in variant mode on this pose number with this switch-on time chosen
    // (the pose sheet's "New Variant at this stage").
    void PresetVariant(int poseNumber, int switchOn) {
        m_presetPose = poseNumber;
        m_presetSwitchOn = switchOn;
    }
    const Gene& GetGene() const { return m_gene; }
    int NewPoseNumber() const { return m_newPoseNumber; }
    const std::vector<int>& PoseNumbers() const { return m_poseNumbers; }

protected:
    void DoDataExchange(bool save) override;
    void OnInitDialog() override;
    void OnOK() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;

private:
    void OnModeChange();
    void RefreshSwitchOnList();
    // Shows a refusal; the dialog stays open.
    void Refuse(const QString& text);

    CMirtalaDoc& m_doc;
    int m_switchOn = 0;
    int m_poseIndex = 0;
    int m_mode = -1;  // 0 new pose, 1 variant
    QString m_poseName;
    std::vector<int> m_poseNumbers;
    int m_newPoseNumber = 256;
    int m_presetPose = -1, m_presetSwitchOn = 0;
    Gene m_gene;
};

}  // namespace mirtala::ui
