// Drawing the pose sheet window's rows through the sheet's painter and
// keeping them in step with the document.
#include "editor/ui/PoseSheetWindow.h"

#include "editor/document/MirtalaDoc.h"
#include "editor/ui/MirtalaView.h"
#include "editor/ui/NameText.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cstring>
#include <QPainter>
#include <QTreeWidget>
#include <QUndoStack>

namespace mirtala::ui {

PoseSheetWindow::PoseSheetWindow(CMirtalaDoc& doc, int sizeFactor, QWidget* parent)
    : QWidget(parent), m_doc(&doc), m_layout(PoseSheetLayout::ForSizeFactor(std::clamp(sizeFactor, 1, 3))) {
    setWindowTitle(QStringLiteral("Pose Sheet"));
    setAccessibleName(QStringLiteral("Pose Sheet"));
    setFocusPolicy(Qt::StrongFocus);
    doc.AddView(this);
    connect(doc.UndoStack(), &QUndoStack::indexChanged, this, [this] { Refresh(); });
    connect(&doc, &QObject::destroyed, this, &QObject::deleteLater);
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

int PoseSheetWindow::MeasureLabels() const {
    // As wide as the longest label, within reason: longer names are elided.
    int widest = fontMetrics().horizontalAdvance(QStringLiteral("(255)"));
    for (int r = 0; r < int(m_model.rows.size()); ++r) widest = std::max(widest, fontMetrics().horizontalAdvance(RowLabel(r)));
    return std::min(widest, 200) + 12;
}
int PoseSheetWindow::HeaderHeight() const { return fontMetrics().height() + 6; }

QRect PoseSheetWindow::CellRect(int row, int column) const {
    int x = 0, y = 0;
    PoseSheetCellOrigin(m_layout, row, column, x, y);
    const int top = HeaderHeight() + (m_loadError.empty() ? 0 : fontMetrics().height() * 2);
    return QRect(m_labelWidth + x, top + y, m_layout.cellWidth, m_layout.cellHeight);
}

bool PoseSheetWindow::CellAt(const QPoint& point, int& row, int& column) const {
    for (int r = 0; r < int(m_model.rows.size()); ++r)
        for (int c = 0; c < m_model.StageCount(); ++c)
            if (CellRect(r, c).contains(point)) {
                row = r;
                column = c;
                return true;
            }
    return false;
}

PoseSheetWindow::RowPicture PoseSheetWindow::DrawRow(const PoseSheetRow& row) {
    RowPicture picture;
    const int w = m_layout.cellWidth, h = m_layout.cellHeight;
    picture.image = QImage(w * int(row.cells.size()), h, QImage::Format_RGBX8888);
    std::vector<std::uint32_t> cell(std::size_t(w) * std::size_t(h));
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        picture.poses.push_back(row.cells[c].gene ? PoseStringOf(*row.cells[c].gene) : std::string());
        picture.lighter.push_back(row.cells[c].sameAsLeft);
        m_painter->PaintCell(row.cells[c], m_model.firstStage + int(c), cell.data());
        for (int y = 0; y < h; ++y)
            std::memcpy(picture.image.scanLine(y) + std::size_t(c) * std::size_t(w) * 4, cell.data() + std::size_t(y) * std::size_t(w),
                        std::size_t(w) * 4);
    }
    ++m_rowsDrawn;
    return picture;
}

void PoseSheetWindow::Refresh() {
    if (!m_doc) return;
    // A changed appearance redraws everything, through new controls.
    if (!m_painter || !(m_appearance == m_doc->GetAppearance())) {
        m_appearance = m_doc->GetAppearance();
        m_painter = std::make_unique<PoseSheetPainter>(m_appearance, m_layout);
        m_loadError = m_painter->Start() ? m_painter->LoadError() : m_painter->Error();
        m_rows.clear();
    }
    m_model = BuildPoseSheet(m_doc->GetGenome());
    std::vector<RowPicture> rows;
    for (const PoseSheetRow& row : m_model.rows) {
        // An unchanged row keeps its picture: same pose strings and the same lighter cells.
        auto same = std::find_if(m_rows.begin(), m_rows.end(), [&](const RowPicture& old) {
            if (old.poses.size() != row.cells.size()) return false;
            for (std::size_t c = 0; c < row.cells.size(); ++c)
                if (old.lighter[c] != row.cells[c].sameAsLeft ||
                    old.poses[c] != (row.cells[c].gene ? PoseStringOf(*row.cells[c].gene) : std::string()))
                    return false;
            return true;
        });
        rows.push_back(same != m_rows.end() ? std::move(*same) : DrawRow(row));
        if (same != m_rows.end()) m_rows.erase(same);
    }
    m_rows = std::move(rows);
    m_labelWidth = MeasureLabels();
    SetCurrentCell(m_currentRow, m_currentColumn);
    const QRect last = CellRect(std::max(0, int(m_model.rows.size()) - 1), m_model.StageCount() - 1);
    setMinimumSize(last.right() + m_layout.gap + 1, last.bottom() + m_layout.gap + 1);
    update();
}

void PoseSheetWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    int top = 0;
    if (!m_loadError.empty()) {
        p.drawText(QRect(4, 0, width() - 8, fontMetrics().height() * 2), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                   QString::fromStdString(m_loadError));
        top = fontMetrics().height() * 2;
    }
    for (int c = 0; c < m_model.StageCount(); ++c) {
        const QRect cell = CellRect(0, c);
        p.drawText(QRect(cell.left(), top, cell.width(), HeaderHeight()), Qt::AlignCenter,
                   QString::fromLatin1(LifeStageName(m_model.firstStage + c)));
    }
    for (int r = 0; r < int(m_rows.size()); ++r) {
        const QRect first = CellRect(r, 0);
        const int labelWidth = m_labelWidth;
        p.drawText(QRect(6, first.top(), labelWidth - 6, first.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(RowLabel(r), Qt::ElideRight, labelWidth - 8));
        for (int c = 0; c < m_model.StageCount(); ++c)
            p.drawImage(CellRect(r, c).topLeft(), m_rows[std::size_t(r)].image,
                        QRect(c * m_layout.cellWidth, 0, m_layout.cellWidth, m_layout.cellHeight));
    }
    if (hasFocus() && !m_rows.empty()) {
        p.setPen(QPen(palette().highlight(), 2));
        p.drawRect(CellRect(m_currentRow, m_currentColumn).adjusted(-1, -1, 0, 0));
    }
}

void PoseSheetWindow::SetCurrentCell(int row, int column) {
    if (m_model.rows.empty()) return;
    m_currentRow = std::clamp(row, 0, int(m_model.rows.size()) - 1);
    m_currentColumn = std::clamp(column, 0, m_model.StageCount() - 1);
    const PoseSheetRow& r = m_model.rows[std::size_t(m_currentRow)];
    const QString name = NameOf(unsigned(r.poseNumber));
    setAccessibleName((name.isEmpty() ? QStringLiteral("Pose %1").arg(r.poseNumber) : name) + QStringLiteral(", ") +
                      QString::fromLatin1(LifeStageName(m_model.firstStage + m_currentColumn)));
    const GeneRef& gene = r.cells[std::size_t(m_currentColumn)].gene;
    setAccessibleDescription(gene ? QString::fromLatin1(PoseStringOf(*gene)) : QStringLiteral("No variant"));
    update();
}

void PoseSheetWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left: SetCurrentCell(m_currentRow, m_currentColumn - 1); break;
    case Qt::Key_Right: SetCurrentCell(m_currentRow, m_currentColumn + 1); break;
    case Qt::Key_Up: SetCurrentCell(m_currentRow - 1, m_currentColumn); break;
    case Qt::Key_Down: SetCurrentCell(m_currentRow + 1, m_currentColumn); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_doc && !m_model.rows.empty())
            if (const GeneRef& gene = m_model.rows[std::size_t(m_currentRow)].cells[std::size_t(m_currentColumn)].gene)
                m_doc->OpenPoseDialog(gene);
        break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void PoseSheetWindow::mousePressEvent(QMouseEvent* event) {
    int row = 0, column = 0;
    if (!m_doc || event->button() != Qt::LeftButton || !CellAt(event->position().toPoint(), row, column)) return;
    SetCurrentCell(row, column);
    const GeneRef& gene = m_model.rows[std::size_t(row)].cells[std::size_t(column)].gene;
    if (!gene) return;
    // Each form of the document selects the gene in its pose list (item k is gene k).
    for (CDocumentView* view : m_doc->Views()) {
        auto* form = dynamic_cast<CMirtalaView*>(view);
        if (!form) continue;
        const auto& poses = form->Poses();
        const auto it = std::find(poses.begin(), poses.end(), gene);
        if (it != poses.end())
            form->PoseList()->setCurrentItem(form->PoseList()->topLevelItem(int(it - poses.begin())));
    }
}

void PoseSheetWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    int row = 0, column = 0;
    if (!CellAt(event->position().toPoint(), row, column)) return;
    const GeneRef& gene = m_model.rows[std::size_t(row)].cells[std::size_t(column)].gene;
    if (gene && m_doc) m_doc->OpenPoseDialog(gene);
}

}  // namespace mirtala::ui
