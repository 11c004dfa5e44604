// CTemplateDialog: a dialog whose controls come from a template. It runs
// modally (DoModal) or modeless (CreateModeless), initializes through
// OnInitDialog, and routes every control notification to virtual handlers:
// OK (id 1, also Enter) to OnOK, Cancel (id 2, also Escape and the window's
// close box) to OnCancel, every other button to OnCommand.
#pragma once

#include "editor/ui/DialogTemplate.h"

#include <QDialog>

namespace mirtala::ui {

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

class CTemplateDialog : public QDialog, protected CControlEvents {
    Q_OBJECT
public:
    CTemplateDialog(const DialogTemplate& dialog, QWidget* parent);

    // Builds and initializes the dialog, then runs it; IDOK or IDCANCEL.
    int DoModal();
    // Builds and initializes the dialog and shows it without blocking.
    void CreateModeless();
    // Exchanges data with the controls; `save` moves it out of them.
    bool UpdateData(bool save);
    CTemplateWidgets& Controls() { return m_controls; }
    QWidget* GetDlgItem(int id) const { return m_controls.Item(id); }

protected:
    virtual void DoDataExchange(bool /*save*/) {}
    virtual void OnInitDialog() { UpdateData(false); }
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Runs before any command is handled (buttons, Enter, Escape).
    virtual void BeforeCommand(int /*id*/) {}
    void OnCommand(int /*id*/) override {}
    void EndDialog(int result);

    void reject() override;  // Escape and the close box: Cancel
    void accept() override;  // Enter through the default button is already a command

private:
    void Dispatch(int id);
    void Build();

    const DialogTemplate& m_template;
    CTemplateWidgets m_controls;
    // Every button click goes through Dispatch, which calls the public handlers.
    class Router;
    friend class Router;
    std::unique_ptr<CControlEvents> m_router;
    bool m_built = false;
};

}  // namespace mirtala::ui
