// The pose dialog: slot buttons to pose string and back, and applying it.
#include "editor/ui/PoseDlg.h"

#include "editor/document/MirtalaDoc.h"
#include "editor/genome/PoseGenes.h"
#include "editor/ui/CZubrelle.h"
#include "editor/ui/DialogPictures.h"
#include "editor/ui/DialogResources.h"
#include "editor/ui/DirectionStrip.h"
#include "editor/ui/NameText.h"

#include <cstring>

namespace mirtala::ui {

namespace {

constexpr float kPictureScale = 1.35f;

std::string FifteenCharacters(std::string pose) {
    pose.resize(kPoseStringLength, '0');
    return pose;
}

}  // namespace

CPoseDlg::CPoseDlg(CMirtalaDoc& doc, const GeneRef& gene, const std::string& poseString, QWidget* parent)
    : CGeneDialogWindow(PoseTemplate(), doc, gene, parent), m_poseString(FifteenCharacters(poseString)) {}

void CPoseDlg::DoDataExchange(bool save) {
    for (int k = 0; k < kPoseSlotCount; ++k) {
        const char* alphabet = PoseSlotAlphabet(k);
        const int size = int(std::strlen(alphabet));
        int& index = m_slots[std::size_t(k)];
        if (!save) {
            // A character outside the alphabet selects the first button, whose character Apply stores.
            const char* found = std::strchr(alphabet, m_poseString[std::size_t(k)]);
            index = found && m_poseString[std::size_t(k)] != '\0' ? int(found - alphabet) : 0;
        }
        Controls().ExchangeRadio(save, PoseSlotButtonId(k, 0), index);
        if (save) {
            if (index < 0 || index >= size) index = 0;
            m_poseString[std::size_t(k)] = alphabet[index];
        }
    }
}

void CPoseDlg::OnInitDialog() {
    m_picture = Picture(id::PosePicture);
    m_strip = new CDirectionStrip(*this, *m_picture, kPictureScale);
    UpdateData(false);
    ShowPose();
    m_picture->SetScale(kPictureScale);
    setWindowTitle(NameOf(unsigned(GeneNumber(*GetGeneRef()))));
    SetAppearance(Document()->GetAppearance());
}

void CPoseDlg::BeforeCommand(int) {
    UpdateData(true);
    EnableApply(true);
    ShowPose();
}

void CPoseDlg::Refresh() {
    m_poseString = FifteenCharacters(PoseStringOf(*GetGeneRef()));
    UpdateData(false);
    ShowPose();
}

void CPoseDlg::SetAppearance(const Appearance& appearance) {
    m_picture->SetAppearance(appearance);
    if (m_strip) m_strip->SetAppearance(appearance);
}

void CPoseDlg::Apply() {
    UpdateData(true);
    if (!Document()) return;
    Gene changed = *GetGeneRef();
    // Data bytes 1 to 15, as far as the gene has them: its length never changes.
    for (std::size_t i = 0; i < kPoseStringLength && i + 1 < changed.data.size(); ++i)
        changed.data[i + 1] = static_cast<std::uint8_t>(m_poseString[i]);
    Document()->ModifyGene(changed);
    EnableApply(false);
}

void CPoseDlg::ReportClosed(CMirtalaDoc& doc) { doc.PoseDialogClosed(this); }

void CPoseDlg::ShowPose() {
    const QString pose = QString::fromLatin1(m_poseString.data(), qsizetype(m_poseString.size()));
    m_picture->SetPoseString(0, pose);
    DescribePicture(*m_picture, QStringLiteral("Pose string %1").arg(pose));
    if (m_strip) m_strip->ShowPose(m_poseString);
}

}  // namespace mirtala::ui
