// The gait dialog: the step sequence, its pictures and the animated preview.
#include "editor/ui/GaitDlg.h"

#include "editor/document/MirtalaDoc.h"
#include "editor/document/NameTable.h"
#include "editor/genome/PoseGenes.h"
#include "editor/ui/CZubrelle.h"
#include "editor/ui/DialogPictures.h"
#include "editor/ui/DialogResources.h"
#include "editor/ui/EditDialogIds.h"
#include "editor/ui/GaitTransport.h"
#include "editor/ui/NameText.h"
#include "editor/ui/WalkExportDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <locale.h>
#include <stdlib.h>
#include <algorithm>
#include <climits>
#include <cmath>

namespace mirtala::ui {

namespace {

constexpr int kSteps = int(kGaitStepCount);

// The standard conversion of the text's leading number (0 when there is none),
// read the same whatever the user's locale.
double LeadingNumber(const QString& text) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    const QByteArray bytes = text.toUtf8();
    return strtod_l(bytes.constData(), nullptr, c);
}

// Truncated toward zero, held inside the integer range.
long long TruncatedAngle(double angle) {
    const double t = std::trunc(angle);
    if (std::isnan(t)) return 0;
    return static_cast<long long>(std::clamp(t, double(INT_MIN), double(INT_MAX)));
}

}  // namespace

CGaitDlg::CGaitDlg(CMirtalaDoc& doc, const GeneRef& gene, const Gene& workingCopy, QWidget* parent)
    : CGeneDialogWindow(GaitTemplate(), doc, gene, parent),
      m_workingCopy(workingCopy),
      m_dataLength(workingCopy.data.size()) {
    // Missing steps show as empty; Apply gives the gene its own length back.
    if (m_workingCopy.data.size() < kGaitDataSize) m_workingCopy.data.resize(kGaitDataSize, 0);
}

void CGaitDlg::DoDataExchange(bool save) {
    Controls().ExchangeRadio(save, id::FirstStep, m_selectedStep);
    Controls().ExchangeComboIndex(save, id::GaitPoseList, m_poseListIndex);
    Controls().ExchangeCheck(save, id::Friction, m_friction);
    m_selectedStep = std::clamp(m_selectedStep, 0, kSteps - 1);
}

void CGaitDlg::OnInitDialog() {
    for (int k = 0; k < kSteps; ++k) m_thumbnails[std::size_t(k)] = Picture(id::FirstThumbnail + k);
    m_stepPicture = Picture(id::StepPicture);
    m_preview = Picture(id::Preview);
    m_transport =
        new CGaitTransport(*m_preview, *Controls().ItemAs<QPushButton>(id::Play),
                           *Controls().ItemAs<QLabel>(id::FrameReadout), *Controls().ItemAs<QComboBox>(id::Speed));
    UpdateData(false);
    setWindowTitle(NameOf(NameTable::kGaitBase + m_workingCopy.data[0]));
    SetAppearance(Document()->GetAppearance());
    FillPoseList();
    for (CZubrelle* thumbnail : m_thumbnails) thumbnail->SetScale(0.5f);
    RefreshSequence();
    RefreshSelectedPose();
    // The preview takes the angle through the text-change handler.
    if (auto* angle = Controls().ItemAs<QLineEdit>(id::Angle)) angle->setText(QStringLiteral("0"));
}

void CGaitDlg::Refresh() {
    RefreshSequence();
    RefreshSelectedPose();
}

void CGaitDlg::SetAppearance(const Appearance& appearance) {
    for (CZubrelle* thumbnail : m_thumbnails) thumbnail->SetAppearance(appearance);
    m_preview->SetAppearance(appearance);
    m_stepPicture->SetAppearance(appearance);
    Refresh();
}

void CGaitDlg::RefreshSequence() {
    if (!Document()) return;
    const std::vector<GaitStepPose> steps =
        ResolveGaitSteps(Document()->GetGenome(), m_workingCopy, Document()->GetAppearance().age);
    // The preview holds the poses the steps resolve to, packed from index 0,
    // so an empty or unknown step never leaves an old pose in the animation.
    std::int16_t count = 0;
    QStringList animated;
    m_previewPoses.clear();
    for (int k = 0; k < kSteps; ++k) {
        const GaitStepPose& step = steps[std::size_t(k)];
        QString& text = m_stepText[std::size_t(k)];
        QString pose;
        if (step.poseNumber == 0) {
            text = QStringLiteral("Step %1: empty").arg(k + 1);
        } else if (step.poseString) {
            pose = QString::fromLatin1(step.poseString->data(), qsizetype(step.poseString->size()));
            m_preview->SetPoseString(count++, pose);
            animated << pose;
            m_previewPoses.push_back(*step.poseString);
            text =
                QStringLiteral("Step %1: %2, pose string %3").arg(k + 1).arg(NameOf(unsigned(step.poseNumber)), pose);
        } else {
            // Blank rather than the picture of whatever stood here before.
            text = QStringLiteral("Step %1: blank, no pose gene carries pose %2").arg(k + 1).arg(step.poseNumber);
        }
        m_thumbnails[std::size_t(k)]->SetPoseString(0, pose);
        DescribePicture(*m_thumbnails[std::size_t(k)], text);
    }
    for (std::int16_t i = count; i < kSteps; ++i) m_preview->SetPoseString(i, QString());
    m_preview->SetPoseCount(count);
    QString shown = QStringLiteral("Blank: no step holds a pose the genome has");
    if (count == 1) shown = QStringLiteral("Stands in pose string %1").arg(animated[0]);
    if (count > 1) shown = QStringLiteral("Animates %1 poses in step order: %2").arg(count).arg(animated.join(", "));
    DescribePicture(*m_preview, shown);
    if (QWidget* exportButton = GetDlgItem(id::Export)) exportButton->setEnabled(count > 0);
    if (m_transport) m_transport->UpdateReadout();
}

void CGaitDlg::RefreshSelectedPose() {
    UpdateData(true);
    const std::size_t step = std::size_t(m_selectedStep);
    m_stepPicture->SetPoseString(0, m_thumbnails[step]->GetPoseString(0));
    DescribePicture(*m_stepPicture, m_stepText[step]);
    const int number = Step(m_selectedStep);
    const auto found = std::find(m_poseNumbers.begin(), m_poseNumbers.end(), number);
    if (number != 0 && found != m_poseNumbers.end()) m_poseListIndex = int(found - m_poseNumbers.begin());
    UpdateData(false);
}

void CGaitDlg::FillPoseList() {
    std::array<bool, 256> used{};
    for (GeneCursor c(Document()->GetGenome(), 0, kCreatureGeneType, kPoseSubtype); !c.AtEnd(); c.Advance())
        if (!c->data.empty()) used[c->data[0]] = true;
    m_poseNumbers.clear();
    auto* list = Controls().ItemAs<QComboBox>(id::GaitPoseList);
    list->clear();
    for (unsigned n = 0; n < used.size(); ++n) {
        if (!used[n]) continue;
        m_poseNumbers.push_back(std::uint8_t(n));
        list->addItem(NameOf(n));
    }
}

void CGaitDlg::Insert() {
    for (int k = kSteps - 1; k > m_selectedStep; --k)
        m_workingCopy.data[std::size_t(k) + 1] = m_workingCopy.data[std::size_t(k)];
}

void CGaitDlg::Remove() {
    for (int k = m_selectedStep; k < kSteps - 1; ++k)
        m_workingCopy.data[std::size_t(k) + 1] = m_workingCopy.data[std::size_t(k) + 2];
    m_workingCopy.data[kSteps] = 0;
}

void CGaitDlg::OnCommand(int id) {
    if (id >= id::FirstStep && id < id::FirstStep + kSteps) {
        RefreshSelectedPose();
    } else if (id == id::Insert || id == id::Remove) {
        UpdateData(true);
        id == id::Insert ? Insert() : Remove();
        RefreshSequence();
        RefreshSelectedPose();
        EnableApply(true);
    } else if (id == id::Friction) {
        UpdateData(true);
        m_preview->SetFriction(m_friction);
    } else if (id == id::OnionSkin) {
        auto* box = Controls().ItemAs<QCheckBox>(id::OnionSkin);
        m_preview->SetOnionSkin(box && box->isChecked() ? mirtala::OnionSkin::kMaxDepth : 0);
    } else if (id == id::Play) {
        m_transport->TogglePlay();
    } else if (id == id::StepFrame) {
        m_transport->Step(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    } else if (id == id::Export) {
        Export();
    } else {
        CGeneDialogWindow::OnCommand(id);
    }
}

void CGaitDlg::OnSelChange(int id) {
    if (id == id::Speed) m_transport->SpeedChosen(Controls().ItemAs<QComboBox>(id::Speed)->currentIndex());
    if (id != id::GaitPoseList) return;
    UpdateData(true);
    if (m_poseListIndex >= 0 && std::size_t(m_poseListIndex) < m_poseNumbers.size())
        m_workingCopy.data[std::size_t(m_selectedStep) + 1] = m_poseNumbers[std::size_t(m_poseListIndex)];
    RefreshSequence();
    // The step picture follows the choice at once.
    RefreshSelectedPose();
    EnableApply(true);
}

void CGaitDlg::OnEditChange(int id) {
    if (id == id::Angle && m_preview) m_preview->SetAngle(LeadingNumber(AngleText()));
}

void CGaitDlg::OnDeltaPos(int id, int delta) {
    if (id == id::AngleStep) StepAngle(delta);
}

void CGaitDlg::StepAngle(int delta) {
    long long angle = TruncatedAngle(LeadingNumber(AngleText()));
    if (delta == -1 || delta == 1) angle = std::clamp<long long>(angle + delta, INT_MIN, INT_MAX);
    if (auto* edit = Controls().ItemAs<QLineEdit>(id::Angle)) edit->setText(QString::number(angle));
    m_preview->SetAngle(double(angle));
}

QString CGaitDlg::AngleText() const {
    auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(id::Angle));
    return edit ? edit->text() : QString();
}

WalkSettings CGaitDlg::PreviewSettings() {
    UpdateData(true);
    WalkSettings s;
    s.poses = m_previewPoses;
    if (Document()) s.appearance = Document()->GetAppearance();
    const QSize size = m_preview->PixelSize();
    s.width = size.width();
    s.height = size.height();
    s.scale = 1.0f;  // the preview keeps the control's own scale
    s.angle = LeadingNumber(AngleText());
    s.friction = m_friction;
    return s;
}

void CGaitDlg::Export() {
    const WalkSettings settings = PreviewSettings();
    if (settings.poses.empty()) return;  // a blank preview has nothing to export
    const QString path = Document() ? Document()->GetPathName() : QString();
    const QString folder = path.isEmpty() ? QDir::homePath() : QFileInfo(path).absolutePath();
    QString name = windowTitle();
    name.replace(QLatin1Char('/'), QLatin1Char('-')).replace(QLatin1Char('\\'), QLatin1Char('-'));
    CWalkExportDlg dialog(settings, m_preview->FrameCount(), folder, name.isEmpty() ? QStringLiteral("walk") : name,
                          this);
    if (dialog.exec() != QDialog::Accepted) return;
    RunWalkExport(dialog.Settings(), dialog.Output(), this);
}

void CGaitDlg::Apply() {
    if (!Document()) return;
    Gene changed = m_workingCopy;
    changed.data.resize(m_dataLength);
    Document()->ModifyGene(changed);
    EnableApply(false);
}

void CGaitDlg::ReportClosed(CMirtalaDoc& doc) { doc.GaitDialogClosed(this); }

}  // namespace mirtala::ui
