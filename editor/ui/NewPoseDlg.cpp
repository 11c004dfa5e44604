// New Pose: choosing the number, name and switch-on time of a pose gene.
#include "editor/ui/NewPoseDlg.h"

#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/genome/PoseGenes.h"
#include "editor/ui/DialogResources.h"
#include "editor/ui/NameText.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace mirtala::ui {

namespace {
constexpr int kStages = 7;
}

CNewPoseDlg::CNewPoseDlg(CMirtalaDoc& doc, QWidget* parent)
    : CTemplateDialog(NewPoseTemplate(), parent),
      m_doc(doc),
      m_gene{{kCreatureGeneType, kPoseSubtype, 0, 0, 0, 0, 0}, std::vector<std::uint8_t>(kPoseDataSize, '0')} {}

void CNewPoseDlg::DoDataExchange(bool save) {
    Controls().ExchangeRadio(save, id::NewPoseMode, m_mode);
    Controls().ExchangeText(save, id::PoseName, m_poseName);
    Controls().ExchangeComboIndex(save, id::PoseChoice, m_poseIndex);
    Controls().ExchangeComboIndex(save, id::SwitchOn, m_switchOn);
}

void CNewPoseDlg::OnInitDialog() {
    UpdateData(false);
    if (auto* edit = Controls().ItemAs<QLineEdit>(id::PoseName)) edit->setValidator(new NameValidator(edit));
    const std::bitset<256> used = UsedNumbers(m_doc.GetGenome(), kPoseSubtype);
    m_poseIndex = 255;
    auto* poses = Controls().ItemAs<QComboBox>(id::PoseChoice);
    for (int n = 0; n < 256; ++n) {
        if (!used.test(static_cast<std::size_t>(n))) continue;
        poses->addItem(NameOf(static_cast<unsigned>(n)));
        m_poseNumbers.push_back(n);
    }
    m_newPoseNumber = LowestFreeNumber(used);
    if (m_newPoseNumber < 256) m_poseName = NameOf(static_cast<unsigned>(m_newPoseNumber));
    if (m_newPoseNumber == 256) {
        GetDlgItem(id::NewPoseMode)->setEnabled(false);
        m_mode = 1;
    } else {
        m_mode = 0;
    }
    const auto preset = std::find(m_poseNumbers.begin(), m_poseNumbers.end(), m_presetPose);
    if (preset != m_poseNumbers.end()) {
        m_mode = 1;
        m_poseIndex = static_cast<int>(preset - m_poseNumbers.begin());
        m_switchOn = std::clamp(m_presetSwitchOn, 0, kStages - 1);
    }
    UpdateData(false);
    OnModeChange();
}

void CNewPoseDlg::OnCommand(int id) {
    if (id == id::NewPoseMode || id == id::VariantMode) OnModeChange();
}

void CNewPoseDlg::OnSelChange(int id) {
    if (id == id::PoseChoice) RefreshSwitchOnList();
}

void CNewPoseDlg::OnModeChange() {
    UpdateData(true);
    GetDlgItem(id::PoseName)->setEnabled(m_mode == 0);
    GetDlgItem(id::PoseChoice)->setEnabled(m_mode == 1);
    RefreshSwitchOnList();
}

void CNewPoseDlg::RefreshSwitchOnList() {
    UpdateData(true);
    bool marked[kStages] = {};
    if (m_mode == 1 && m_poseIndex >= 0 && m_poseIndex < static_cast<int>(m_poseNumbers.size())) {
        const int number = m_poseNumbers[static_cast<std::size_t>(m_poseIndex)];
        for (GeneCursor c(m_doc.GetGenome(), 0, kCreatureGeneType, kPoseSubtype); !c.AtEnd(); c.Advance())
            if (GeneNumber(*c) == number && c->header.switchOn < kStages) marked[c->header.switchOn] = true;
    }
    auto* list = Controls().ItemAs<QComboBox>(id::SwitchOn);
    list->clear();
    for (int stage = 0; stage < kStages; ++stage)
        list->addItem((marked[stage] ? QStringLiteral("* ") : QString()) + QString::fromLatin1(LifeStageName(stage)));
    UpdateData(false);
}

void CNewPoseDlg::Refuse(const QString& text) {
    ShowMessage({QStringLiteral("Error"), text, MessageIcon::Warning, MessageButtons::Ok, this});
}

void CNewPoseDlg::OnOK() {
    UpdateData(true);
    const bool variant = m_mode == 1;
    if (variant && (m_poseIndex < 0 || m_poseIndex >= static_cast<int>(m_poseNumbers.size())))
        return Refuse(QStringLiteral("Choose the pose this variant belongs to."));
    if (!variant && m_mode != 0) return Refuse(QStringLiteral("Choose New Pose or Variant."));
    const int id = m_doc.GetGenome().FreeId(kCreatureGeneType, kPoseSubtype);
    if (id < 0)
        return Refuse(
            QStringLiteral("All 255 pose gene identifiers are in use. Remove a pose gene before adding another."));
    const int switchOn = std::max(0, m_switchOn);
    int number = 0;
    if (variant) {
        number = m_poseNumbers[static_cast<std::size_t>(m_poseIndex)];
    } else {
        number = m_newPoseNumber;
        StoreName(static_cast<unsigned>(number), m_poseName);
    }
    for (GeneCursor c(m_doc.GetGenome(), 0, kCreatureGeneType, kPoseSubtype); !c.AtEnd(); c.Advance()) {
        if (!c->data.empty() && GeneNumber(*c) == number && c->header.switchOn == switchOn)
            return Refuse(QStringLiteral("Pose already exists with this switch on time."));
    }
    m_gene.header.id = static_cast<std::uint8_t>(id);
    if (m_gene.data.empty()) m_gene.data.push_back(0);
    m_gene.data[0] = static_cast<std::uint8_t>(number);
    m_gene.header.switchOn = static_cast<std::uint8_t>(switchOn);
    m_doc.AddGene(m_gene);
    EndDialog(IDOK);
}

}  // namespace mirtala::ui
