// Drawing the pose sheet window's rows through the sheet's painter, keeping
// them in step with the document, and what a cell offers.
#include "editor/ui/PoseSheetWindow.h"

#include "editor/document/GeneClipboard.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/document/NameEvents.h"
#include "editor/ui/GeneNavigation.h"
#include "editor/ui/NameText.h"
#include "editor/ui/NewPoseDlg.h"
#include "editor/ui/PoseSheetAccessible.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QUndoStack>

#include <algorithm>

namespace mirtala::ui {

namespace {

// The sheet draws each stage at its own age: the preview age is not part of its pictures.
Appearance WithoutAge(Appearance a) {
    a.age = 0;
    return a;
}

std::string PoseOf(const PoseSheetCell& cell) { return cell.gene ? PoseStringOf(*cell.gene) : std::string(); }

}  // namespace

PoseSheetWindow::PoseSheetWindow(CMirtalaDoc& doc, int sizeFactor, QWidget* parent)
    : QWidget(parent), m_doc(&doc), m_layout(PoseSheetLayout::ForSizeFactor(std::clamp(sizeFactor, 1, 3))) {
    InstallPoseSheetAccessible();
    setWindowTitle(QStringLiteral("Pose Sheet"));
    setAccessibleName(QStringLiteral("Pose Sheet"));
    setFocusPolicy(Qt::StrongFocus);
    doc.AddView(this);
    connect(doc.UndoStack(), &QUndoStack::indexChanged, this, [this] { Refresh(); });
    connect(&doc, &CMirtalaDoc::appearanceChanged, this, [this] { Refresh(); });
    connect(&doc, &QObject::destroyed, this, &QObject::deleteLater);
    connect(&NameEvents::Instance(), &NameEvents::namesChanged, this, &PoseSheetWindow::OnNamesChanged);
    Refresh();
}

PoseSheetWindow::~PoseSheetWindow() {
    if (m_doc) m_doc->RemoveView(this);
}

void PoseSheetWindow::SetSizeFactor(int sizeFactor) {
    m_layout = PoseSheetLayout::ForSizeFactor(std::clamp(sizeFactor, 1, 3));
    m_painter.reset();
    Refresh();
}

void PoseSheetWindow::OnUpdate(CDocumentView*, int, const GeneRef&) { Refresh(); }

QString PoseSheetWindow::RowLabel(int row) const {
    const int number = m_model.rows[std::size_t(row)].poseNumber;
    return QStringLiteral("(%1) %2").arg(number).arg(NameOf(unsigned(number)));
}

QString PoseSheetWindow::CellName(int row, int column) const {
    if (row < 0 || row >= int(m_model.rows.size())) return {};
    const int number = m_model.rows[std::size_t(row)].poseNumber;
    QString name = NameOf(unsigned(number));
    // A name still its own digits is the table's default: no name.
    if (name.isEmpty() || name == QString::number(number)) name = QStringLiteral("Pose %1").arg(number);
    return name + QStringLiteral(", ") + QString::fromLatin1(LifeStageName(m_model.firstStage + column));
}

QString PoseSheetWindow::CellDescription(int row, int column) const {
    const GeneRef gene = GeneAt(row, column);
    return gene ? QString::fromLatin1(PoseStringOf(*gene)) : QStringLiteral("No variant");
}

GeneRef PoseSheetWindow::GeneAt(int row, int column) const {
    if (row < 0 || row >= int(m_model.rows.size()) || column < 0 || column >= m_model.StageCount()) return {};
    return m_model.rows[std::size_t(row)].cells[std::size_t(column)].gene;
}

int PoseSheetWindow::MeasureLabels() const {
    // As wide as the longest label, within reason: longer names are elided.
    int widest = fontMetrics().horizontalAdvance(QStringLiteral("(255)"));
    for (int r = 0; r < int(m_model.rows.size()); ++r)
        widest = std::max(widest, fontMetrics().horizontalAdvance(RowLabel(r)));
    return std::min(widest, 200) + 12;
}
int PoseSheetWindow::HeaderHeight() const { return fontMetrics().height() + 6; }
int PoseSheetWindow::GridTop() const { return HeaderHeight() + (m_loadError.empty() ? 0 : fontMetrics().height() * 2); }

QRect PoseSheetWindow::CellRect(int row, int column) const {
    int x = 0, y = 0;
    PoseSheetCellOrigin(m_layout, row, column, x, y);
    return QRect(m_labelWidth + x, GridTop() + y, m_layout.cellWidth, m_layout.cellHeight);
}

bool PoseSheetWindow::CellAt(const QPoint& point, int& row, int& column) const {
    // The labels and headings lie over the cells at the view's edges.
    const QRect view = ViewRect();
    if (point.x() < view.left() + m_labelWidth || point.y() < view.top() + GridTop()) return false;
    const QRect first = CellRect(0, 0);
    const int pitchX = m_layout.cellWidth + m_layout.gap, pitchY = m_layout.cellHeight + m_layout.gap;
    const int dx = point.x() - first.left(), dy = point.y() - first.top();
    if (dx < 0 || dy < 0) return false;
    const int r = dy / pitchY, c = dx / pitchX;
    if (r >= int(m_model.rows.size()) || c >= m_model.StageCount() || !CellRect(r, c).contains(point)) return false;
    row = r;
    column = c;
    return true;
}

void PoseSheetWindow::DrawRow(std::size_t r) {
    const PoseSheetRow& row = m_model.rows[r];
    RowPicture& picture = m_rows[r];
    const int w = m_layout.cellWidth, h = m_layout.cellHeight;
    // The row's earlier picture is drawn over when it has the size: nothing is allocated.
    if (const QSize size(w * int(row.cells.size()), h); picture.image.size() != size)
        picture.image = QImage(size, QImage::Format_RGBX8888);
    // The control paints each cell straight into its place in the row's picture.
    const int stride = int(picture.image.bytesPerLine() / 4);
    auto* pixels = reinterpret_cast<std::uint32_t*>(picture.image.bits());
    for (std::size_t c = 0; c < row.cells.size(); ++c)
        m_painter->PaintCell(row.cells[c], m_model.firstStage + int(c), pixels + c * std::size_t(w), stride);
    picture.drawn = true;
    ++m_rowsDrawn;
}

void PoseSheetWindow::EnsurePicture(std::size_t row) {
    if (!m_rows[row].drawn) DrawRow(row);
}

std::size_t PoseSheetWindow::PictureBytes() const {
    std::size_t bytes = 0;
    for (const RowPicture& row : m_rows) bytes += std::size_t(row.image.sizeInBytes());
    return bytes;
}

void PoseSheetWindow::KeepWithinBudget() {
    std::size_t bytes = PictureBytes();
    if (bytes <= m_pictureBudget) return;
    std::vector<std::size_t> order;
    for (std::size_t r = 0; r < m_rows.size(); ++r)
        if (!m_rows[r].image.isNull() && m_rows[r].used != m_paints) order.push_back(r);
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return m_rows[a].used < m_rows[b].used; });
    for (std::size_t r : order) {
        if (bytes <= m_pictureBudget) break;
        bytes -= std::size_t(m_rows[r].image.sizeInBytes());
        m_rows[r].image = QImage();
        m_rows[r].drawn = false;
    }
}

bool PoseSheetWindow::RowPicture::Shows(const PoseSheetRow& row) const {
    if (poses.size() != row.cells.size()) return false;
    for (std::size_t c = 0; c < row.cells.size(); ++c)
        if (lighter[c] != row.cells[c].sameAsLeft || poses[c] != PoseOf(row.cells[c])) return false;
    return true;
}

void PoseSheetWindow::Refresh() {
    if (!m_doc) return;
    // A changed appearance makes every picture old; the preview age alone changes none.
    if (!m_painter || !(WithoutAge(m_appearance) == WithoutAge(m_doc->GetAppearance()))) {
        m_painter = std::make_unique<PoseSheetPainter>(m_doc->GetAppearance(), m_layout);
        m_loadError = m_painter->Start() ? m_painter->LoadError() : m_painter->Error();
        for (RowPicture& row : m_rows) row.drawn = false;
    }
    m_appearance = m_doc->GetAppearance();
    m_model = BuildPoseSheet(m_doc->GetGenome());
    std::vector<RowPicture> rows(m_model.rows.size());
    std::vector<bool> taken(m_rows.size());
    std::size_t old = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const PoseSheetRow& row = m_model.rows[r];
        // The rows before and after are in rising pose number: the old row of the same number, if any.
        while (old < m_rows.size() && m_rows[old].poseNumber < row.poseNumber) ++old;
        const bool sameNumber = old < m_rows.size() && m_rows[old].poseNumber == row.poseNumber && !taken[old];
        std::size_t from = sameNumber ? old : m_rows.size();
        // An unchanged row keeps its picture, even under another number.
        if (!sameNumber || !m_rows[old].drawn || !m_rows[old].Shows(row))
            for (std::size_t k = 0; k < m_rows.size(); ++k)
                if (!taken[k] && m_rows[k].drawn && m_rows[k].Shows(row)) {
                    from = k;
                    break;
                }
        RowPicture& picture = rows[r];
        if (from < m_rows.size()) {
            taken[from] = true;
            picture = std::move(m_rows[from]);
        }
        picture.poseNumber = row.poseNumber;
        // A changed row is drawn when it is shown, over its earlier picture.
        if (!picture.drawn || !picture.Shows(row)) {
            picture.drawn = false;
            picture.poses.clear();
            picture.lighter.clear();
            for (const PoseSheetCell& cell : row.cells) {
                picture.poses.push_back(PoseOf(cell));
                picture.lighter.push_back(cell.sameAsLeft);
            }
        }
    }
    m_rows = std::move(rows);
    m_labelWidth = MeasureLabels();
    UpdateSize();
    SetCurrentCell(m_currentRow, m_currentColumn);
}

void PoseSheetWindow::OnNamesChanged() {
    m_labelWidth = MeasureLabels();
    UpdateSize();
    TellFocus();
}

void PoseSheetWindow::UpdateSize() {
    const QRect last = CellRect(std::max(0, int(m_model.rows.size()) - 1), m_model.StageCount() - 1);
    setMinimumSize(last.right() + m_layout.gap + 1, last.bottom() + m_layout.gap + 1);
    update();
}

QRect PoseSheetWindow::ViewRect() const {
    const QRect visible = visibleRegion().boundingRect();
    return visible.isEmpty() ? rect() : visible;
}

void PoseSheetWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect exposed = event->rect(), view = ViewRect();
    p.fillRect(exposed, palette().window());
    // Only the rows the exposed area reaches.
    ++m_paints;
    for (int r = 0; r < int(m_rows.size()); ++r) {
        const QRect first = CellRect(r, 0);
        if (first.bottom() < exposed.top()) continue;
        if (first.top() > exposed.bottom()) break;
        EnsurePicture(std::size_t(r));
        m_rows[std::size_t(r)].used = m_paints;
        for (int c = 0; c < m_model.StageCount(); ++c)
            p.drawImage(CellRect(r, c).topLeft(), m_rows[std::size_t(r)].image,
                        QRect(c * m_layout.cellWidth, 0, m_layout.cellWidth, m_layout.cellHeight));
    }
    if (hasFocus() && !m_rows.empty()) {
        p.setPen(QPen(palette().highlight(), 2));
        p.drawRect(CellRect(m_currentRow, m_currentColumn).adjusted(-1, -1, 0, 0));
    }
    // The row labels and the stage headings stay at the view's left and top
    // edges however far the sheet is scrolled, drawn over the cells there.
    p.setPen(palette().windowText().color());
    p.fillRect(QRect(view.left(), view.top(), m_labelWidth, view.height()), palette().window());
    for (int r = 0; r < int(m_rows.size()); ++r) {
        const QRect first = CellRect(r, 0);
        if (first.bottom() < view.top()) continue;
        if (first.top() > view.bottom()) break;
        p.drawText(QRect(view.left() + 6, first.top(), m_labelWidth - 6, first.height()),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(RowLabel(r), Qt::ElideRight, m_labelWidth - 8));
    }
    int top = view.top();
    p.fillRect(QRect(view.left(), top, view.width(), GridTop()), palette().window());
    if (!m_loadError.empty()) {
        p.drawText(QRect(view.left() + 4, top, view.width() - 8, fontMetrics().height() * 2),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, QString::fromStdString(m_loadError));
        top += fontMetrics().height() * 2;
    }
    // The column of the preview age, which the pose dialogs show, is marked.
    const int previewColumn = m_appearance.age - m_model.firstStage;
    for (int c = 0; c < m_model.StageCount(); ++c) {
        const QRect cell = CellRect(0, c);
        const QRect header(cell.left(), top, cell.width(), HeaderHeight());
        if (header.right() < view.left() + m_labelWidth) continue;
        QFont font = p.font();
        font.setBold(c == previewColumn);
        p.setFont(font);
        p.save();
        p.setClipRect(QRect(view.left() + m_labelWidth, top, view.width(), HeaderHeight()));
        if (c == previewColumn) p.fillRect(header.adjusted(0, 2, 0, -2), palette().alternateBase());
        p.drawText(header, Qt::AlignCenter, QString::fromLatin1(LifeStageName(m_model.firstStage + c)));
        p.restore();
    }
    KeepWithinBudget();
}

void PoseSheetWindow::SetCurrentCell(int row, int column) {
    if (m_model.rows.empty()) return;
    const QRect before = CellRect(m_currentRow, m_currentColumn);
    m_currentRow = std::clamp(row, 0, int(m_model.rows.size()) - 1);
    m_currentColumn = std::clamp(column, 0, m_model.StageCount() - 1);
    update(before.adjusted(-3, -3, 3, 3));
    update(CellRect(m_currentRow, m_currentColumn).adjusted(-3, -3, 3, 3));
    TellFocus();
    emit currentCellChanged(m_currentRow, m_currentColumn);
}

void PoseSheetWindow::TellFocus() {
    if (!hasFocus() || m_model.rows.empty() || !QAccessible::isActive()) return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(m_currentRow * m_model.StageCount() + m_currentColumn);
    QAccessible::updateAccessibility(&focus);
}

void PoseSheetWindow::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update(CellRect(m_currentRow, m_currentColumn).adjusted(-3, -3, 3, 3));
    TellFocus();
}

void PoseSheetWindow::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update(CellRect(m_currentRow, m_currentColumn).adjusted(-3, -3, 3, 3));
}

void PoseSheetWindow::OpenCell(int row, int column) {
    if (const GeneRef gene = GeneAt(row, column); gene && m_doc) m_doc->OpenPoseDialog(gene);
}

void PoseSheetWindow::CopyCell(int row, int column) {
    // As the form's Copy: the gene goes to the clipboard as it is in the genome.
    if (const GeneRef gene = GeneAt(row, column)) CopyToClipboard(*gene);
}

void PoseSheetWindow::NewVariantAt(int row, int column) {
    if (!m_doc || row < 0 || row >= int(m_model.rows.size())) return;
    CNewPoseDlg dialog(*m_doc, window());
    dialog.PresetVariant(m_model.rows[std::size_t(row)].poseNumber, m_model.firstStage + column);
    dialog.DoModal();
}

void PoseSheetWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left: SetCurrentCell(m_currentRow, m_currentColumn - 1); break;
        case Qt::Key_Right: SetCurrentCell(m_currentRow, m_currentColumn + 1); break;
        case Qt::Key_Up: SetCurrentCell(m_currentRow - 1, m_currentColumn); break;
        case Qt::Key_Down: SetCurrentCell(m_currentRow + 1, m_currentColumn); break;
        case Qt::Key_Return:
        case Qt::Key_Enter: OpenCell(m_currentRow, m_currentColumn); break;
        case Qt::Key_F10: {
            // Shift+F10 as the menu key: the platform turns only the latter into a context menu.
            if (event->modifiers() != Qt::ShiftModifier) {
                QWidget::keyPressEvent(event);
                return;
            }
            const QPoint at = CellRect(m_currentRow, m_currentColumn).center();
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, mapToGlobal(at));
            contextMenuEvent(&menu);
            break;
        }
        default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void PoseSheetWindow::mousePressEvent(QMouseEvent* event) {
    int row = 0, column = 0;
    if (!m_doc || event->button() != Qt::LeftButton || !CellAt(event->position().toPoint(), row, column)) return;
    SetCurrentCell(row, column);
    SelectInForms(*m_doc, GeneAt(row, column));
}

void PoseSheetWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    int row = 0, column = 0;
    if (CellAt(event->position().toPoint(), row, column)) OpenCell(row, column);
}

void PoseSheetWindow::contextMenuEvent(QContextMenuEvent* event) {
    int row = m_currentRow, column = m_currentColumn;
    QPoint at = CellRect(row, column).center();
    // From the keyboard (menu key, Shift+F10) the menu is the current cell's.
    if (event->reason() != QContextMenuEvent::Keyboard) {
        if (!CellAt(event->pos(), row, column)) return;
        SetCurrentCell(row, column);
        at = event->pos();
    }
    if (m_model.rows.empty() || !m_doc) return;
    const bool hasGene = bool(GeneAt(row, column));
    QMenu menu(this);
    menu.setAccessibleName(CellName(row, column));
    QAction* properties = menu.addAction(QStringLiteral("&Properties"), this, [=, this] { OpenCell(row, column); });
    QAction* copy = menu.addAction(QStringLiteral("&Copy"), this, [=, this] { CopyCell(row, column); });
    menu.addSeparator();
    menu.addAction(QStringLiteral("New &Variant at this stage"), this, [=, this] { NewVariantAt(row, column); });
    properties->setEnabled(hasGene);
    copy->setEnabled(hasGene);
    menu.setDefaultAction(properties);
    menu.exec(mapToGlobal(at));
}

}  // namespace mirtala::ui
