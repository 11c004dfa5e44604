// The pose dialog's strip of the four directions.
#include "editor/ui/DirectionStrip.h"

#include "editor/ui/CZubrelle.h"
#include "editor/ui/DialogPictures.h"
#include "editor/ui/EditDialogIds.h"
#include "editor/ui/TemplateDialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSettings>

#include <algorithm>

namespace mirtala::ui {

namespace {

// Around each picture, room for the frame that shows the focus.
constexpr int kFrame = 2;

// Where the check box goes, in dialog units: the free corner left of OK,
// Cancel and Apply, centred on their row, so it sits right above the strip it
// opens and nothing of the template moves.
constexpr int kCheckX = 4, kCheckY = 148, kCheckW = 100, kCheckH = 10;
// The strip's margins and the space between its pictures, in dialog units.
constexpr int kMargin = 4, kGap = 4;

QAbstractButton* DirectionButton(const CTemplateDialog& dialog, int direction) {
    return qobject_cast<QAbstractButton*>(dialog.GetDlgItem(PoseSlotButtonId(0, direction)));
}

}  // namespace

const QString& CDirectionStrip::SettingKey() {
    static const QString key = QStringLiteral("PoseDialog/ShowAllDirections");
    return key;
}

CDirectionStrip::CDirectionStrip(CTemplateDialog& dialog, const QWidget& picture, float scale)
    : QWidget(&dialog), m_dialog(dialog) {
    const DialogUnits& units = dialog.Controls().Units();
    const QSize client = dialog.Controls().ClientSize();
    m_templateHeight = client.height();

    m_check = new QCheckBox(QStringLiteral("Show &all directions"), &dialog);
    m_check->setAccessibleName(AccessibleNameFromText(m_check->text()));
    const QRect box = units.Rect(kCheckX, kCheckY, kCheckW, kCheckH);
    m_check->setGeometry(box.x(), box.y(), std::max(box.width(), m_check->sizeHint().width()), box.height());
    // Assistive tools list the dialog's children in stacking order: the check box before what it opens.
    m_check->stackUnder(this);

    // Four pictures across the dialog's width, as tall as the dialog's own and
    // drawn at its scale: the figure is the same size and stands at the same
    // height as there, and whatever the dialog's picture shows whole, a side
    // view included, fits the narrower strip picture too.
    const int margin = units.X(kMargin), gap = units.X(kGap);
    const int cellWidth = (client.width() - 2 * margin - (kDirections - 1) * gap) / kDirections;
    const QSize pictureSize(std::max(1, cellWidth - 2 * kFrame), std::max(1, picture.height()));
    const int top = units.Y(kMargin);
    const int captionTop = top + pictureSize.height() + 2 * kFrame;
    QWidget* before = m_check;
    for (int k = 0; k < kDirections; ++k) {
        const std::size_t i = std::size_t(k);
        m_buttons[i] = DirectionButton(dialog, k);
        // The template names its buttons "Direction 0" and so on: a caption
        // says which direction its picture shows in the words its button uses.
        const QString name = m_buttons[i] ? m_buttons[i]->accessibleName() : QString();
        const int left = margin + k * (cellWidth + gap);
        auto* picture = new CZubrelle(this);
        // Not a control of the template: no template id.
        picture->Create(name, 0, QRect(QPoint(left + kFrame, top + kFrame), pictureSize), this, -1);
        picture->setObjectName(QStringLiteral("directionPicture%1").arg(k));
        picture->setFocusPolicy(Qt::StrongFocus);
        picture->installEventFilter(this);
        picture->SetScale(scale);
        connect(picture, &CZubrelle::Clicked, this, [this, i] {
            if (m_buttons[i]) m_buttons[i]->click();
        });
        auto* caption = new QLabel(name, this);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->setBuddy(picture);
        caption->setGeometry(left, captionTop, cellWidth, caption->sizeHint().height());
        m_pictures[i] = picture;
        m_captions[i] = caption;
        // Tab goes from the check box along the pictures, then on to OK.
        QWidget::setTabOrder(before, picture);
        before = picture;
    }
    setGeometry(0, m_templateHeight, client.width(), captionTop + m_captions[0]->height() + top);
    setAccessibleName(QStringLiteral("All directions"));

    const bool shown = QSettings().value(SettingKey(), false).toBool();
    m_check->setChecked(shown);
    SetShown(shown);
    connect(m_check, &QCheckBox::toggled, this, [this](bool on) {
        QSettings().setValue(SettingKey(), on);
        SetShown(on);
    });
}

CZubrelle* CDirectionStrip::Picture(int direction) const {
    return direction >= 0 && direction < kDirections ? m_pictures[std::size_t(direction)] : nullptr;
}

std::string CDirectionStrip::InDirection(std::string pose, int direction) {
    if (pose.empty()) pose.push_back('0');
    pose[0] = char('0' + direction);
    return pose;
}

void CDirectionStrip::ShowPose(const std::string& pose) {
    const int current = !pose.empty() && pose[0] >= '0' && pose[0] < char('0' + kDirections) ? pose[0] - '0' : -1;
    for (int k = 0; k < kDirections; ++k) {
        const std::string shown = InDirection(pose, k);
        const QString text = QString::fromLatin1(shown.data(), qsizetype(shown.size()));
        CZubrelle& picture = *Picture(k);
        picture.SetPoseString(0, text);
        DescribePicture(picture, QStringLiteral("Pose string %1").arg(text));
        // The direction the pose has now is captioned in bold.
        QFont font = m_captions[std::size_t(k)]->font();
        font.setBold(k == current);
        m_captions[std::size_t(k)]->setFont(font);
    }
    if (current != m_current) update();
    m_current = current;
}

void CDirectionStrip::SetAppearance(const Appearance& appearance) {
    for (int k = 0; k < kDirections; ++k) Picture(k)->SetAppearance(appearance);
}

void CDirectionStrip::SetShown(bool shown) {
    setVisible(shown);
    m_dialog.setFixedSize(width(), m_templateHeight + (shown ? height() : 0));
}

bool CDirectionStrip::eventFilter(QObject* watched, QEvent* event) {
    const auto found = std::find(m_pictures.begin(), m_pictures.end(), watched);
    if (found == m_pictures.end()) return false;
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) update();
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Space) return false;
    if (QAbstractButton* button = m_buttons[std::size_t(found - m_pictures.begin())]) button->click();
    return true;
}

void CDirectionStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A line between the template's controls and the strip.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width(), 0);
    // A frame around the picture of the pose's own direction, a stronger one
    // around the picture that has the focus.
    for (int k = 0; k < kDirections; ++k) {
        const CZubrelle* picture = m_pictures[std::size_t(k)];
        if (!picture->hasFocus() && k != m_current) continue;
        const QColor colour = palette().color(picture->hasFocus() ? QPalette::Highlight : QPalette::Mid);
        painter.fillRect(picture->geometry().adjusted(-kFrame, -kFrame, kFrame, kFrame), colour);
    }
}

}  // namespace mirtala::ui
