// The pose sheet of a document as a window: a row per pose number, a column
// per life stage, each cell the control's picture of the variant shown there.
// It follows the document (undo stack and update hints), the preview
// appearance and the names; a row's picture is drawn when the row is shown,
// and again only once its cells or the appearance changed;
// a double-clicked cell opens the pose dialog on its gene, the context menu
// offers Properties, Copy and a new variant at the cell's stage. Assistive
// tools see each cell (PoseSheetAccessible). It deletes itself when its
// document goes.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <cstdint>
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

    CMirtalaDoc* Document() const { return m_doc; }
    const PoseSheetModel& Model() const { return m_model; }
    const PoseSheetLayout& Layout() const { return m_layout; }
    // The appearance the cells are drawn at (the document's; each cell's age is its stage).
    const Appearance& DrawnAppearance() const { return m_appearance; }
    // Rows whose pictures were drawn since the window opened.
    int RowsDrawn() const { return m_rowsDrawn; }
    // The bytes the row pictures may hold at once. A sheet larger than that keeps
    // the rows painted last and draws the others again when they come into view.
    static constexpr std::size_t kPictureBudget = std::size_t(256) << 20;
    void SetPictureBudget(std::size_t bytes) { m_pictureBudget = bytes; }
    // The bytes the row pictures hold now.
    std::size_t PictureBytes() const;
    // Why the body does not load; empty when it loads at every stage.
    const std::string& LoadError() const { return m_loadError; }
    // The part of the window in view (all of it when not shown).
    QRect ViewRect() const;
    // The bands at the view's left and top edges that the row labels and the
    // stage headings keep, over the cells scrolled under them.
    int LabelWidth() const { return m_labelWidth; }
    int GridTop() const;
    // The cell under a point of the window: false outside every cell and under the labels or headings.
    bool CellAt(const QPoint& point, int& row, int& column) const;
    QRect CellRect(int row, int column) const;
    // The gene a cell shows; empty for an empty cell or one outside the sheet.
    GeneRef GeneAt(int row, int column) const;
    // "Walk step 1, Adult" ("Pose 7, Adult" while pose 7 has no name of its own).
    QString CellName(int row, int column) const;
    // The cell's pose string, or "No variant".
    QString CellDescription(int row, int column) const;
    // Rebuilds the model from the document; the rows that changed are drawn again when shown.
    void Refresh();
    // Thumbnails 1, 2 or 3 times the sheet's scale 0.5: every row is drawn again.
    void SetSizeFactor(int sizeFactor);
    // The cell the keyboard is on, framed; assistive tools are told it has the focus.
    void SetCurrentCell(int row, int column);
    int CurrentRow() const { return m_currentRow; }
    int CurrentColumn() const { return m_currentColumn; }

    // What a cell offers (the context menu; Enter and double-click open).
    void OpenCell(int row, int column);
    void CopyCell(int row, int column);
    // The New Pose dialog in variant mode on the row's pose with the cell's stage chosen.
    void NewVariantAt(int row, int column);

    void OnUpdate(CDocumentView* sender, int hint, const GeneRef& gene) override;

signals:
    // The keyboard or a click moved to a cell (the frame scrolls it into view).
    void currentCellChanged(int row, int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Click selects the cell's gene in the form's pose list; double-click opens its dialog.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Arrows move between cells, Enter opens the current cell's gene.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct RowPicture {
        int poseNumber = -1;
        std::vector<std::string> poses;  // each cell's pose string ("" when empty), to see a change
        std::vector<bool> lighter;
        QImage image;            // null until drawn, and again once dropped for the budget
        bool drawn = false;      // the image shows these cells at the painter's appearance
        std::uint64_t used = 0;  // the paint that last showed it
        bool Shows(const PoseSheetRow& row) const;
    };
    // Draws the row's picture, over the one it has when that has the size.
    void DrawRow(std::size_t row);
    // Draws a row when its picture is missing or old; an unchanged row keeps the one it has.
    void EnsurePicture(std::size_t row);
    // Drops the pictures of the rows shown longest ago until the budget holds,
    // never one shown by the current paint.
    void KeepWithinBudget();
    // "(n) name" from the name table.
    QString RowLabel(int row) const;
    int MeasureLabels() const;
    int HeaderHeight() const;
    // Names changed: labels and accessible names follow, no picture is drawn.
    void OnNamesChanged();
    void UpdateSize();
    void TellFocus();

    QPointer<CMirtalaDoc> m_doc;  // closes with its document; the window may outlive it briefly
    PoseSheetLayout m_layout;
    Appearance m_appearance;
    std::unique_ptr<PoseSheetPainter> m_painter;
    PoseSheetModel m_model;
    std::vector<RowPicture> m_rows;
    std::string m_loadError;
    int m_rowsDrawn = 0;
    std::uint64_t m_paints = 0;
    std::size_t m_pictureBudget = kPictureBudget;
    int m_labelWidth = 0;  // measured when the rows or the names change
    int m_currentRow = 0, m_currentColumn = 0;
};

}  // namespace mirtala::ui
