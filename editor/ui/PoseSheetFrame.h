// The pose sheet's own window: the sheet in a scroll area that follows the
// current cell, a toolbar with Export, and a status line saying what was
// written. Export asks for a file through the document's file-dialog seam and
// writes the sheet as one PNG through the same code as `--pose-sheet`.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include "editor/document/MirtalaDoc.h"

class QLabel;
class QScrollArea;

namespace mirtala::ui {

class PoseSheetWindow;

class PoseSheetFrame final : public QMainWindow {
    Q_OBJECT
public:
    PoseSheetFrame(CMirtalaDoc& doc, int sizeFactor, QWidget* parent = nullptr);

    PoseSheetWindow* Sheet() const { return m_sheet; }
    CMirtalaDoc* Document() const { return m_doc; }
    QString StatusText() const;
    // Asks for a PNG file and writes the sheet there; false when cancelled or refused
    // (the reason shown in a message box and on the status line).
    bool Export();

private:
    void ScrollToCell(int row, int column);
    void UpdateTitle();
    // The status line and what assistive tools read of it.
    void SetStatus(const QString& text);

    QPointer<CMirtalaDoc> m_doc;
    QScrollArea* m_scroll;
    PoseSheetWindow* m_sheet;
    QLabel* m_status;
};

}  // namespace mirtala::ui
