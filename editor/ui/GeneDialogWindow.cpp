// The modeless gene dialogs' window, ownership and closing.
#include "editor/ui/GeneDialogWindow.h"

#include "editor/document/MirtalaDoc.h"
#include "editor/ui/CZubrelle.h"
#include "editor/ui/DialogPictures.h"
#include "editor/ui/DialogResources.h"

#include <QEvent>
#include <QMainWindow>
#include <QPointer>

namespace mirtala::ui {

CGeneDialogWindow::CGeneDialogWindow(const DialogTemplate& dialog, CMirtalaDoc& doc, const GeneRef& gene,
                                     QWidget* parent)
    : CTemplateDialog(dialog, parent), m_doc(&doc), m_gene(gene) {
    Controls().SetPictureFactory(MakeDialogPicture);
    // A caption, a system menu and a minimize box; no help button, no resizing frame.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

void CGeneDialogWindow::Open() {
    if (QWidget* owner = parentWidget()) {
        QWidget* client = owner;
        if (auto* frame = qobject_cast<QMainWindow*>(owner); frame && frame->centralWidget())
            client = frame->centralWidget();
        move(client->mapToGlobal(QPoint(0, 0)));
    }
    CreateModeless();
}

GeneDialogHandle CGeneDialogWindow::MakeHandle(CGeneDialogWindow* window) {
    // The owner may have deleted the window already (the main frame closing first).
    return GeneDialogHandle(window, [guard = QPointer<CGeneDialogWindow>(window)](CGeneDialog*) {
        if (guard) guard->Discard();
    });
}

void CGeneDialogWindow::Discard() {
    m_doc = nullptr;
    hide();
    setEnabled(false);
    deleteLater();
}

void CGeneDialogWindow::BringToTop() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

CZubrelle* CGeneDialogWindow::Picture(int id) const { return qobject_cast<CZubrelle*>(GetDlgItem(id)); }

void CGeneDialogWindow::EnableApply(bool enable) {
    if (QWidget* apply = GetDlgItem(id::Apply)) apply->setEnabled(enable);
}

void CGeneDialogWindow::OnOK() {
    if (!m_doc) return;
    Apply();
    if (m_doc) ReportClosed(*m_doc);
}

void CGeneDialogWindow::OnCancel() {
    if (m_doc) ReportClosed(*m_doc);
}

void CGeneDialogWindow::OnCommand(int id) {
    if (id == id::Apply) Apply();
}

void CGeneDialogWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) PausePictures(isMinimized() || !isVisible());
    CTemplateDialog::changeEvent(event);
}

void CGeneDialogWindow::showEvent(QShowEvent* event) {
    PausePictures(isMinimized());
    CTemplateDialog::showEvent(event);
}

void CGeneDialogWindow::hideEvent(QHideEvent* event) {
    PausePictures(true);
    CTemplateDialog::hideEvent(event);
}

void CGeneDialogWindow::PausePictures(bool paused) {
    for (CZubrelle* picture : findChildren<CZubrelle*>()) picture->SetTimersPaused(paused);
}

}  // namespace mirtala::ui
