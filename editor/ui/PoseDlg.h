// CPoseDlg: the modeless dialog that edits one pose gene. One row of buttons
// per slot of the pose string, a picture that follows every click, and
// Apply/OK handing the edited gene to the document as one "Modify Gene" step.
#pragma once

#include "editor/ui/EditDialogIds.h"
#include "editor/ui/GeneDialogWindow.h"

#include <array>
#include <string>

namespace mirtala::ui {

class CDirectionStrip;

class CPoseDlg final : public CGeneDialogWindow {
    Q_OBJECT
public:
    // `poseString`: the gene's data bytes 1 to 15, '0' for those it lacks.
    CPoseDlg(CMirtalaDoc& doc, const GeneRef& gene, const std::string& poseString, QWidget* parent);

    // Reloads the pose from the gene; clicks not yet applied are lost.
    void Refresh() override;
    void SetAppearance(const Appearance& appearance) override;

    // The working pose: character k is slot k.
    const std::string& PoseString() const { return m_poseString; }
    // The four directions under the dialog ("Show all directions").
    CDirectionStrip* DirectionStrip() const { return m_strip; }

protected:
    void DoDataExchange(bool save) override;
    void OnInitDialog() override;
    // Every command first takes the buttons' state and shows it.
    void BeforeCommand(int id) override;
    void Apply() override;
    void ReportClosed(CMirtalaDoc& doc) override;

private:
    void ShowPose();

    std::string m_poseString;
    std::array<int, kPoseSlotCount> m_slots{};  // the selected button of each slot
    CZubrelle* m_picture = nullptr;
    CDirectionStrip* m_strip = nullptr;
};

}  // namespace mirtala::ui
