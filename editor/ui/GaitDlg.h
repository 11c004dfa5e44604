// CGaitDlg: the modeless dialog that edits one gait gene. Eight step
// thumbnails with their buttons, the selected step's pose, the genome's poses
// to put there, Insert and Remove, and a preview that animates the sequence
// at the chosen angle, walking or turning. The working copy is taken once:
// refreshes re-resolve the poses but never reload it. A row under the
// preview plays, pauses and steps it, sets its speed and exports it.
#pragma once

#include "editor/ui/GeneDialogWindow.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace mirtala {
struct WalkSettings;
}

namespace mirtala::ui {

class CGaitTransport;

class CGaitDlg final : public CGeneDialogWindow {
    Q_OBJECT
public:
    CGaitDlg(CMirtalaDoc& doc, const GeneRef& gene, const Gene& workingCopy, QWidget* parent);

    // Shows the steps again with the genome's current poses.
    void Refresh() override;
    void SetAppearance(const Appearance& appearance) override;

    // The pose number at step 0 to 7; 0 for an empty step.
    int Step(int k) const { return m_workingCopy.data[std::size_t(k) + 1]; }
    CGaitTransport& Transport() { return *m_transport; }
    // The preview as the control shows it now, at its own size: what Export writes.
    WalkSettings PreviewSettings();

protected:
    void DoDataExchange(bool save) override;
    void OnInitDialog() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnEditChange(int id) override;
    void OnDeltaPos(int id, int delta) override;
    void Apply() override;
    void ReportClosed(CMirtalaDoc& doc) override;

private:
    void RefreshSequence();
    void RefreshSelectedPose();
    void FillPoseList();
    void Insert();
    void Remove();
    void StepAngle(int delta);
    QString AngleText() const;
    void Export();

    Gene m_workingCopy;                       // data padded to eight steps
    std::size_t m_dataLength;                 // what the gene holds; Apply writes no further
    std::vector<std::uint8_t> m_poseNumbers;  // behind each entry of the pose list
    std::array<QString, 8> m_stepText;        // what each thumbnail shows, in words
    int m_selectedStep = 0;
    int m_poseListIndex = -1;
    bool m_friction = true;
    std::array<CZubrelle*, 8> m_thumbnails{};
    CZubrelle* m_stepPicture = nullptr;
    CZubrelle* m_preview = nullptr;
    CGaitTransport* m_transport = nullptr;    // owned by the preview
    std::vector<std::string> m_previewPoses;  // the pose strings the preview animates
};

}  // namespace mirtala::ui
