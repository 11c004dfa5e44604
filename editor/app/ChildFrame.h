// CChildFrame: a document window. It holds one form view, cannot be resized
// by its edges, fits the form exactly, and asks to save a modified document
// when it is the document's last window.
#pragma once

#include <QMdiSubWindow>

namespace mirtala {
class CMirtalaDoc;
}
namespace mirtala::ui {
class CMirtalaView;
}

namespace mirtala::app {

class CDocumentManager;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(CDocumentManager& documents, CMirtalaDoc& doc, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CMirtalaDoc& GetDocument() const { return m_doc; }
    ui::CMirtalaView* GetView() const { return m_view; }
    // Sets the caption from the document's title, numbered when it has several windows.
    void UpdateTitle();
    // Fits the frame to the form, growing as well as shrinking.
    void RecalcLayout();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CDocumentManager& m_documents;
    CMirtalaDoc& m_doc;
    ui::CMirtalaView* m_view;
};

}  // namespace mirtala::app
