// The pose sheet of a document as a window: a row per pose number, a column
// per life stage, each cell the control's picture of the variant shown there.
// It follows the document (undo stack and update hints), repainting only the
// rows whose genes changed, and opens the pose dialog on a double-clicked cell.
// It deletes itself when its document goes.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "editor/document/DocumentView.h"
#include "editor/picture/PoseSheet.h"

namespace mirtala {
class CMirtalaDoc;
}

namespace mirtala::ui {

class PoseSheetWindow final : public QWidget, public CDocumentView {
    Q_OBJECT
public:
    // sizeFactor 1, 2 or 3: small, medium, large thumbnails.
    PoseSheetWindow(CMirtalaDoc& doc, int sizeFactor = 1, QWidget* parent = nullptr);
    ~PoseSheetWindow() override;

    const PoseSheetModel& Model() const { return m_model; }
    // Rows whose pictures were drawn since the window opened.
    int RowsDrawn() const { return m_rowsDrawn; }
    // Why the body does not load; empty when it loads at every stage.
    const std::string& LoadError() const { return m_loadError; }
    // The cell under a point of the window: false outside every cell.
    bool CellAt(const QPoint& point, int& row, int& column) const;
    QRect CellRect(int row, int column) const;
    // Rebuilds the model from the document and redraws the rows that changed.
    void Refresh();
    // Thumbnails 1, 2 or 3 times the sheet's scale 0.5: every row is drawn again.
    void SetSizeFactor(int sizeFactor);
    // The cell the keyboard is on; the window's accessible name ("Walk step 1, Adult")
    // and description (the pose string, or "No variant") say what it shows.
    void SetCurrentCell(int row, int column);
    int CurrentRow() const { return m_currentRow; }
    int CurrentColumn() const { return m_currentColumn; }

    void OnUpdate(CDocumentView* sender, int hint, const GeneRef& gene) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Click selects the cell's gene in the form's pose list; double-click opens its dialog.
    void mousePressEvent(QMouseEvent* event) override;
    // Arrows move between cells, Enter opens the current cell's gene.
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    struct RowPicture {
        std::vector<std::string> poses;  // each cell's pose string ("" when empty), to see a change
        std::vector<bool> lighter;
        QImage image;
    };
    RowPicture DrawRow(const PoseSheetRow& row);
    // "(n) name" from the name table.
    QString RowLabel(int row) const;
    int MeasureLabels() const;
    int HeaderHeight() const;

    QPointer<CMirtalaDoc> m_doc;  // closes with its document; the window may outlive it briefly
    PoseSheetLayout m_layout;
    Appearance m_appearance;
    std::unique_ptr<PoseSheetPainter> m_painter;
    PoseSheetModel m_model;
    std::vector<RowPicture> m_rows;
    std::string m_loadError;
    int m_rowsDrawn = 0;
    int m_labelWidth = 0;
    int m_currentRow = 0, m_currentColumn = 0;  // measured when the rows change
};

}  // namespace mirtala::ui
