// CNewGaitDlg: the modal dialog that adds a gait gene under the lowest free
// gait number with a typed name.
#pragma once

#include "editor/genome/Gene.h"
#include "editor/ui/TemplateDialog.h"

namespace mirtala {
class CMirtalaDoc;
class Genome;
}  // namespace mirtala

namespace mirtala::ui {

class CNewGaitDlg : public CTemplateDialog {
    Q_OBJECT
public:
    CNewGaitDlg(CMirtalaDoc& doc, QWidget* parent = nullptr);
    void SetGene(const Gene& gene) { m_gene = gene; }
    const Gene& GetGene() const { return m_gene; }
    int NewGaitNumber() const { return m_newGaitNumber; }
    // The lowest gait number no gait gene carries; 256 when all are taken.
    static int FreeGaitNumber(const Genome& genome);

protected:
    void DoDataExchange(bool save) override;
    void OnInitDialog() override;
    void OnOK() override;

private:
    CMirtalaDoc& m_doc;
    QString m_gaitName;
    int m_newGaitNumber = 256;
    Gene m_gene;
};

}  // namespace mirtala::ui
