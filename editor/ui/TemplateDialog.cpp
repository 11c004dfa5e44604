// Building, running and dispatching template dialogs.
#include "editor/ui/TemplateDialog.h"

#include <QLineEdit>

namespace mirtala::ui {

// Sits between the controls and the dialog: buttons become commands that
// pass through BeforeCommand, everything else goes straight on.
class CTemplateDialog::Router final : public CControlEvents {
public:
    explicit Router(CTemplateDialog& dialog) : m_dialog(dialog) {}
    void OnCommand(int id) override { m_dialog.Dispatch(id); }
    void OnSelChange(int id) override { Events().OnSelChange(id); }
    void OnEditChange(int id) override { Events().OnEditChange(id); }
    void OnDoubleClick(int id) override { Events().OnDoubleClick(id); }
    void OnDeltaPos(int id, int delta) override { Events().OnDeltaPos(id, delta); }

private:
    CControlEvents& Events() { return m_dialog; }
    CTemplateDialog& m_dialog;
};

CTemplateDialog::CTemplateDialog(const DialogTemplate& dialog, QWidget* parent)
    : QDialog(parent), m_template(dialog), m_router(std::make_unique<Router>(*this)) {
    setWindowTitle(dialog.caption);
}

void CTemplateDialog::Build() {
    if (m_built) return;
    m_built = true;
    m_controls.Build(m_template, this, m_router.get());
    setFixedSize(m_controls.ClientSize());
    OnInitDialog();
    // An edit that takes the focus as the dialog opens holds its whole text
    // selected, so typing replaces it (Tab into an edit selects it anyway).
    for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->selectAll();
}

int CTemplateDialog::DoModal() {
    Build();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CTemplateDialog::CreateModeless() {
    setModal(false);
    Build();
    show();
}

bool CTemplateDialog::UpdateData(bool save) {
    DoDataExchange(save);
    return true;
}

void CTemplateDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CTemplateDialog::EndDialog(int result) { done(result == IDOK ? QDialog::Accepted : QDialog::Rejected); }

void CTemplateDialog::Dispatch(int id) {
    BeforeCommand(id);
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
    else
        OnCommand(id);
}

void CTemplateDialog::reject() { Dispatch(IDCANCEL); }

void CTemplateDialog::accept() { Dispatch(IDOK); }

}  // namespace mirtala::ui
