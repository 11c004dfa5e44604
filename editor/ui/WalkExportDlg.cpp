// The Export dialog of the gait preview and the run of its export.
#include "editor/ui/WalkExportDlg.h"

#include "editor/document/FileDialogService.h"
#include "editor/document/MessageService.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>

#include <cmath>

namespace mirtala::ui {

namespace {
// In the order of the format list.
constexpr WalkFormat kFormats[] = {WalkFormat::Gif, WalkFormat::Sheet, WalkFormat::Frames};

QString Suffix(WalkFormat format) {
    switch (format) {
        case WalkFormat::Gif: return QStringLiteral(".gif");
        case WalkFormat::Sheet: return QStringLiteral("-sheet.png");
        case WalkFormat::Frames: return QStringLiteral("-frames");
    }
    return {};
}

// Scaled sizes round to whole pixels, at least one.
int Scaled(int pixels, double scale) { return std::max(1, int(std::lround(pixels * scale))); }
// The main window's status bar says what was written, as a file manager would.
void ReportExported(int frames, const QString& path, QWidget* parent) {
    QMainWindow* frame = nullptr;
    for (QWidget* w = parent; w; w = w->parentWidget())
        if (auto* main = qobject_cast<QMainWindow*>(w)) frame = main;
    if (frame)
        frame->statusBar()->showMessage(
            QStringLiteral("Exported %1 frames to %2").arg(frames).arg(QFileInfo(path).fileName()), 10000);
}

}  // namespace

CWalkExportDlg::CWalkExportDlg(const WalkSettings& settings, int frameCount, const QString& folder,
                               const QString& baseName, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_frameCount(frameCount), m_baseName(baseName) {
    setWindowTitle(QStringLiteral("Export Walk"));
    m_format = new QComboBox(this);
    m_format->addItems(
        {QStringLiteral("Animated GIF"), QStringLiteral("PNG sprite sheet"), QStringLiteral("Numbered PNG frames")});
    m_scale = new QDoubleSpinBox(this);
    m_scale->setRange(0.25, 8.0);
    m_scale->setSingleStep(0.25);
    m_scale->setValue(1.0);
    m_scale->setSuffix(QStringLiteral("\u00D7"));
    m_columns = new QSpinBox(this);
    m_columns->setRange(0, std::max(1, frameCount));
    m_columns->setSpecialValueText(QStringLiteral("One row"));
    m_size = new QLabel(this);
    m_size->setWordWrap(true);  // a sheet's longer line wraps rather than widening the dialog
    m_path = new QLineEdit(QDir(folder).filePath(baseName + Suffix(WalkFormat::Gif)), this);
    // Wide enough to read a path in, whatever the format chosen.
    m_path->setMinimumWidth(m_path->fontMetrics().averageCharWidth() * 48);
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    auto* where = new QHBoxLayout;
    where->addWidget(m_path, 1);
    where->addWidget(browse);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Format:"), m_format);
    form->addRow(QStringLiteral("S&cale:"), m_scale);
    form->addRow(QStringLiteral("Co&lumns:"), m_columns);
    form->addRow(QStringLiteral("Size:"), m_size);
    auto* to = new QLabel(QStringLiteral("&To:"), this);
    to->setBuddy(m_path);
    form->addRow(to, where);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Export"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &CWalkExportDlg::Browse);
    connect(m_format, &QComboBox::currentIndexChanged, this, &CWalkExportDlg::FormatChosen);
    connect(m_scale, &QDoubleSpinBox::valueChanged, this, &CWalkExportDlg::UpdateSize);
    connect(m_columns, &QSpinBox::valueChanged, this, &CWalkExportDlg::UpdateSize);
    FormatChosen();
    setFixedWidth(sizeHint().width());
}

WalkSettings CWalkExportDlg::Settings() const {
    WalkSettings s = m_settings;
    const double scale = m_scale->value();
    s.width = Scaled(m_settings.width, scale);
    s.height = Scaled(m_settings.height, scale);
    s.scale = float(double(m_settings.scale) * scale);
    return s;
}

WalkOutput CWalkExportDlg::Output() const {
    return {kFormats[std::max(0, m_format->currentIndex())], m_path->text().toStdString(), m_columns->value()};
}

void CWalkExportDlg::FormatChosen() {
    const WalkFormat format = Output().format;
    m_columns->setEnabled(format == WalkFormat::Sheet);
    // The offered name follows the format while it is still one this dialog offered.
    const QFileInfo path(m_path->text());
    for (WalkFormat other : kFormats)
        if (path.fileName() == m_baseName + Suffix(other))
            m_path->setText(path.dir().filePath(m_baseName + Suffix(format)));
    UpdateSize();
}

void CWalkExportDlg::UpdateSize() {
    const WalkSettings s = Settings();
    QString text = QStringLiteral("%1 frames of %2 \u00D7 %3 pixels").arg(m_frameCount).arg(s.width).arg(s.height);
    if (Output().format == WalkFormat::Sheet) {
        int w = 0, h = 0;
        WalkExport::SheetSize(m_frameCount, m_columns->value(), s.width, s.height, w, h);
        text += QStringLiteral(", a sheet of %1 \u00D7 %2").arg(w).arg(h);
    }
    m_size->setText(text);
}

QString CWalkExportDlg::SizeText() const { return m_size->text(); }

void CWalkExportDlg::Browse() {
    const WalkFormat format = Output().format;
    FileDialogRequest request;
    request.open = false;
    request.owner = this;
    request.initialFile = m_path->text();
    request.overwritePrompt = format != WalkFormat::Frames;
    if (format == WalkFormat::Gif) {
        request.caption = QStringLiteral("Export Walk as GIF");
        request.filter = QStringLiteral("GIF pictures (*.gif)|*.gif");
        request.defaultExtension = QStringLiteral(".gif");
    } else if (format == WalkFormat::Sheet) {
        request.caption = QStringLiteral("Export Walk as Sprite Sheet");
        request.filter = QStringLiteral("PNG pictures (*.png)|*.png");
        request.defaultExtension = QStringLiteral(".png");
    } else {
        request.caption = QStringLiteral("Export Walk Frames into Folder");
    }
    if (const auto chosen = ChooseFile(request)) m_path->setText(*chosen);
}

bool RunWalkExport(const WalkSettings& settings, const WalkOutput& output, QWidget* parent) {
    WalkExport walk(settings, output);
    const auto fail = [parent](const std::string& why) {
        MessageRequest request;
        request.caption = QStringLiteral("Export Walk");
        request.text = QStringLiteral("The walk was not exported: %1.").arg(QString::fromStdString(why));
        request.owner = parent;
        ShowMessage(request);
        return false;
    };
    if (!walk.Start()) return fail(walk.Error());
    QProgressDialog progress(QStringLiteral("Exporting the walk..."), QStringLiteral("Cancel"), 0,
                             walk.FrameCount() + 1, parent);
    progress.setWindowTitle(QStringLiteral("Export Walk"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);  // a short export shows no dialog at all
    const bool written = walk.Run([&progress, &output](int done, int total) {
        progress.setLabelText(done < total ? QStringLiteral("Painting frame %1 of %2...").arg(done + 1).arg(total)
                                           : QStringLiteral("Writing %1...").arg(QString::fromStdString(output.path)));
        progress.setValue(done);  // runs the events, Cancel among them
        return !progress.wasCanceled();
    });
    progress.setValue(progress.maximum());
    if (!written && walk.FailureKind() != WalkExport::Failure::Cancelled) return fail(walk.Error());
    if (written) ReportExported(walk.FrameCount(), QString::fromStdString(output.path), parent);
    return written;
}

}  // namespace mirtala::ui
