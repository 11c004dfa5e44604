// The document window around a form view.
#include "editor/app/ChildFrame.h"

#include "editor/app/DocumentManager.h"
#include "editor/app/Icons.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/ui/MirtalaView.h"

#include <QCloseEvent>
#include <QStyle>

namespace mirtala::app {

CChildFrame::CChildFrame(CDocumentManager& documents, CMirtalaDoc& doc, QWidget* parent)
    : QMdiSubWindow(parent), m_documents(documents), m_doc(doc), m_view(new ui::CMirtalaView(doc)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(DocumentIcon());
    // No sizing border: minimize, maximize and close stay.
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setOption(QMdiSubWindow::RubberBandResize, false);
    setWidget(m_view);
    m_view->OnInitialUpdate();
    RecalcLayout();
    UpdateTitle();
}

// The view goes first, while its document certainly exists: the document may
// be dropped as soon as this frame reports its destruction.
CChildFrame::~CChildFrame() { delete widget(); }

void CChildFrame::RecalcLayout() {
    const QSize form = m_view->sizeHint();
    const int frame = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    setFixedSize(form.width() + 2 * frame, form.height() + title + frame);
}

void CChildFrame::UpdateTitle() {
    QString title = m_doc.GetWindowTitle();
    const int windows = m_documents.FramesOf(m_doc);
    if (windows > 1) title += QStringLiteral(":%1").arg(m_documents.FrameNumber(this));
    setWindowTitle(title);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    // The document closes with its last window: ask first.
    if (m_documents.FramesOf(m_doc) <= 1 && !m_documents.CanCloseDocument(m_doc)) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace mirtala::app
