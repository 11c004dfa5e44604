// The pose sheet window's frame, and exporting the sheet from it.
#include "editor/ui/PoseSheetFrame.h"

#include "editor/document/FileDialogService.h"
#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/document/PathBytes.h"
#include "editor/ui/PoseSheetWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace mirtala::ui {

PoseSheetFrame::PoseSheetFrame(CMirtalaDoc& doc, int sizeFactor, QWidget* parent)
    : QMainWindow(parent),
      m_doc(&doc),
      m_scroll(new QScrollArea),
      m_sheet(new PoseSheetWindow(doc, sizeFactor)),
      m_status(new QLabel(QStringLiteral("Ready"))) {
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setAccessibleName(QStringLiteral("Pose Sheet"));
    m_scroll->setWidget(m_sheet);
    m_scroll->setAccessibleName(QStringLiteral("Pose Sheet"));
    m_scroll->setFocusProxy(m_sheet);
    setCentralWidget(m_scroll);
    QToolBar* tools = addToolBar(QStringLiteral("Pose Sheet"));
    tools->setMovable(false);
    QAction* exportAction = tools->addAction(QStringLiteral("&Export..."), this, [this] { Export(); });
    exportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    exportAction->setStatusTip(QStringLiteral("Write the pose sheet as one PNG picture"));
    if (QWidget* button = tools->widgetForAction(exportAction)) {
        button->setAccessibleName(QStringLiteral("Export"));
        button->setToolTip(QStringLiteral("Export the sheet as a PNG picture (Ctrl+E)"));
    }
    // The name finds the line; the description, which follows its text, is what is read.
    m_status->setAccessibleName(QStringLiteral("Status"));
    m_status->setAccessibleDescription(m_status->text());
    statusBar()->addWidget(m_status, 1);
    connect(m_sheet, &PoseSheetWindow::currentCellChanged, this, &PoseSheetFrame::ScrollToCell);
    // The labels and headings are drawn at the view's edges: a scroll moves
    // them with the cells, so the whole view is painted again.
    for (QScrollBar* bar : {m_scroll->horizontalScrollBar(), m_scroll->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, m_sheet, qOverload<>(&QWidget::update));
    connect(m_sheet, &QObject::destroyed, this, &QWidget::close);
    connect(&doc, &CMirtalaDoc::titleChanged, this, &PoseSheetFrame::UpdateTitle);
    UpdateTitle();
    // Every stage beside the vertical scroll bar where the screen is wide enough, rows as the screen allows.
    const QSize content = m_sheet->minimumSize();
    const int edges = 2 * m_scroll->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize screen =
        QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableSize() : QSize(1280, 1024);
    resize(std::min(content.width() + edges, screen.width() - 16),
           std::min(content.height() + 90, screen.height() - 120));
    m_sheet->setFocus();
}

void PoseSheetFrame::ScrollToCell(int row, int column) {
    // Whole in view, and clear of the labels and headings kept at the view's edges.
    const QRect cell = m_sheet->CellRect(row, column);
    const QSize view = m_scroll->viewport()->size();
    const auto follow = [](QScrollBar* bar, int first, int last, int band, int length) {
        if (first - band - 4 < bar->value())
            bar->setValue(first - band - 4);
        else if (last + 4 > bar->value() + length)
            bar->setValue(std::min(first - band - 4, last + 4 - length));
    };
    follow(m_scroll->horizontalScrollBar(), cell.left(), cell.right(), m_sheet->LabelWidth(), view.width());
    follow(m_scroll->verticalScrollBar(), cell.top(), cell.bottom(), m_sheet->GridTop(), view.height());
}

void PoseSheetFrame::UpdateTitle() {
    if (m_doc) setWindowTitle(QStringLiteral("Pose Sheet - ") + m_doc->GetWindowTitle());
}

QString PoseSheetFrame::StatusText() const { return m_status->text(); }

void PoseSheetFrame::SetStatus(const QString& text) {
    m_status->setText(text);
    m_status->setAccessibleDescription(text);
}

bool PoseSheetFrame::Export() {
    if (!m_doc) return false;
    FileDialogRequest request;
    request.open = false;
    request.owner = this;
    request.caption = QStringLiteral("Export Pose Sheet");
    request.filter = QStringLiteral("PNG pictures (*.png)|*.png");
    request.defaultExtension = QStringLiteral(".png");
    request.overwritePrompt = true;
    // Beside the genome, named after it.
    const QFileInfo genome(m_doc->GetPathName());
    request.initialFile = m_doc->GetPathName().isEmpty()
                              ? m_doc->GetTitle() + QStringLiteral(" poses.png")
                              : genome.dir().filePath(genome.completeBaseName() + QStringLiteral(" poses.png"));
    const std::optional<QString> chosen = ChooseFile(request);
    if (!chosen) return false;
    const PoseSheetModel& model = m_sheet->Model();
    std::string error;
    int width = 0, height = 0;
    bool written = false;
    if (model.rows.empty())
        error = "the genome has no pose gene";
    else
        written = PoseSheetSize(model, m_sheet->Layout(), width, height, error) &&
                  ExportPoseSheet(model, m_sheet->DrawnAppearance(), m_sheet->Layout(), PathToBytes(*chosen), error);
    if (!written) {
        const QString text = QStringLiteral("The pose sheet was not exported: %1.").arg(QString::fromStdString(error));
        SetStatus(text);
        ShowMessage({QStringLiteral("Export Pose Sheet"), text, MessageIcon::Warning, MessageButtons::Ok, this});
        return false;
    }
    SetStatus(QStringLiteral("Wrote the pose sheet of %1 poses, %2 x %3 pixels, to %4")
                  .arg(model.rows.size())
                  .arg(width)
                  .arg(height)
                  .arg(QDir::toNativeSeparators(*chosen)));
    return true;
}

}  // namespace mirtala::ui
