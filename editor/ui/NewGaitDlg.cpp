// New Gait: choosing the name of a gait gene under the lowest free number.
#include "editor/ui/NewGaitDlg.h"

#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/genome/PoseGenes.h"
#include "editor/ui/DialogResources.h"
#include "editor/ui/NameText.h"

#include <QLineEdit>

namespace mirtala::ui {

CNewGaitDlg::CNewGaitDlg(CMirtalaDoc& doc, QWidget* parent)
    : CTemplateDialog(NewGaitTemplate(), parent),
      m_doc(doc),
      m_gene{{kCreatureGeneType, kGaitSubtype, 0, 0, 0, 0, 0}, std::vector<std::uint8_t>(kGaitDataSize, 0)} {}

int CNewGaitDlg::FreeGaitNumber(const Genome& genome) { return LowestFreeNumber(UsedNumbers(genome, kGaitSubtype)); }

void CNewGaitDlg::DoDataExchange(bool save) { Controls().ExchangeText(save, id::GaitName, m_gaitName); }

void CNewGaitDlg::OnInitDialog() {
    UpdateData(false);
    if (auto* edit = Controls().ItemAs<QLineEdit>(id::GaitName)) edit->setValidator(new NameValidator(edit));
    m_newGaitNumber = FreeGaitNumber(m_doc.GetGenome());
    if (m_newGaitNumber < 256) m_gaitName = NameOf(256u + static_cast<unsigned>(m_newGaitNumber));
    UpdateData(false);
}

void CNewGaitDlg::OnOK() {
    UpdateData(true);
    auto refuse = [this](const QString& text) {
        ShowMessage({QStringLiteral("Error"), text, MessageIcon::Warning, MessageButtons::Ok, this});
    };
    if (m_newGaitNumber > 255)
        return refuse(QStringLiteral("All 256 gait numbers are in use. Remove a gait before adding another."));
    const int id = m_doc.GetGenome().FreeId(kCreatureGeneType, kGaitSubtype);
    if (id < 0)
        return refuse(
            QStringLiteral("All 255 gait gene identifiers are in use. Remove a gait gene before adding another."));
    m_gene.header.id = static_cast<std::uint8_t>(id);
    if (m_gene.data.empty()) m_gene.data.push_back(0);
    m_gene.data[0] = static_cast<std::uint8_t>(m_newGaitNumber);
    StoreName(256u + static_cast<unsigned>(m_newGaitNumber), m_gaitName);
    m_doc.AddGene(m_gene);
    EndDialog(IDOK);
}

}  // namespace mirtala::ui
