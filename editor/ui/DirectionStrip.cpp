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

// One picture of the strip with its caption. The picture takes the focus from
// the keyboard, and Space or Enter on it clicks its direction button as a
// mouse click on it does.
class CDirectionCell final : public QWidget {
public:
    CDirectionCell(QAbstractButton* radio, int direction, QWidget* parent) : QWidget(parent), m_radio(radio) {
        // The template names its buttons "Direction 0" and so on: the caption
        // says which direction a picture shows in the words its button uses.
        const QString name = radio ? radio->accessibleName() : QString();
        m_picture = new CZubrelle(this);
        // Not a control of the template: no template id.
        m_picture->Create(name, 0, QRect(), this, -1);
        m_picture->setObjectName(QStringLiteral("directionPicture%1").arg(direction));
        m_picture->setFocusPolicy(Qt::StrongFocus);
        m_picture->installEventFilter(this);
        m_caption = new QLabel(name, this);
        m_caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        m_caption->setBuddy(m_picture);
        QObject::connect(m_picture, &CZubrelle::Clicked, this, [this] { ClickDirection(); });
    }

    CZubrelle* Picture() const { return m_picture; }

    // The picture at `pictureSize`, its caption under it; returns the cell's height.
    int Place(const QSize& pictureSize) {
        m_picture->setGeometry(QRect(QPoint(kFrame, kFrame), pictureSize));
        const int top = kFrame * 2 + pictureSize.height();
        const int captionHeight = m_caption->sizeHint().height();
        m_caption->setGeometry(0, top, pictureSize.width() + 2 * kFrame, captionHeight);
        resize(pictureSize.width() + 2 * kFrame, top + captionHeight);
        return height();
    }

    // The direction the pose has now is captioned in bold.
    void SetCurrent(bool current) {
        QFont font = m_caption->font();
        if (font.bold() == current) return;
        font.setBold(current);
        m_caption->setFont(font);
        update();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_picture) return false;
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) update();
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        ClickDirection();
        return true;
    }

    void paintEvent(QPaintEvent*) override {
        const bool focused = m_picture->hasFocus();
        if (!focused && !m_caption->font().bold()) return;
        QPainter painter(this);
        const QRect around = m_picture->geometry().adjusted(-kFrame, -kFrame, kFrame, kFrame);
        const QColor colour = palette().color(focused ? QPalette::Highlight : QPalette::Mid);
        painter.fillRect(around, colour);
    }

private:
    void ClickDirection() {
        if (m_radio) m_radio->click();
    }

    QAbstractButton* m_radio;  // the dialog's, which outlives the strip's cells
    CZubrelle* m_picture;
    QLabel* m_caption;
};

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

    // Four pictures across the dialog's width, each shaped like the dialog's own.
    const int margin = units.X(kMargin), gap = units.X(kGap);
    const int cellWidth = (client.width() - 2 * margin - (kDirections - 1) * gap) / kDirections;
    const int pictureWidth = std::max(1, cellWidth - 2 * kFrame);
    const int pictureHeight = std::max(1, pictureWidth * std::max(1, picture.height()) / std::max(1, picture.width()));
    m_scale = scale * float(pictureWidth) / float(std::max(1, picture.width()));
    int cellHeight = 0;
    for (int k = 0; k < kDirections; ++k) {
        auto* cell = new CDirectionCell(DirectionButton(dialog, k), k, this);
        m_cells[std::size_t(k)] = cell;
        cellHeight = cell->Place(QSize(pictureWidth, pictureHeight));
        cell->move(margin + k * (cellWidth + gap), units.Y(kMargin));
        cell->Picture()->SetScale(m_scale);
    }
    setGeometry(0, m_templateHeight, client.width(), units.Y(kMargin) + cellHeight + units.Y(kMargin) / 2);
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
    return direction >= 0 && direction < kDirections ? m_cells[std::size_t(direction)]->Picture() : nullptr;
}

std::string CDirectionStrip::InDirection(std::string pose, int direction) {
    if (pose.empty()) pose.push_back('0');
    pose[0] = char('0' + direction);
    return pose;
}

void CDirectionStrip::ShowPose(const std::string& pose) {
    for (int k = 0; k < kDirections; ++k) {
        const std::string shown = InDirection(pose, k);
        const QString text = QString::fromLatin1(shown.data(), qsizetype(shown.size()));
        CZubrelle& picture = *Picture(k);
        picture.SetPoseString(0, text);
        DescribePicture(picture, QStringLiteral("Pose string %1").arg(text));
        m_cells[std::size_t(k)]->SetCurrent(!pose.empty() && pose[0] == char('0' + k));
    }
}

void CDirectionStrip::SetAppearance(const Appearance& appearance) {
    for (int k = 0; k < kDirections; ++k) Picture(k)->SetAppearance(appearance);
}

void CDirectionStrip::SetShown(bool shown) {
    setVisible(shown);
    m_dialog.setFixedSize(width(), m_templateHeight + (shown ? height() : 0));
}

void CDirectionStrip::paintEvent(QPaintEvent*) {
    // A line between the template's controls and the strip.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width(), 0);
}

}  // namespace mirtala::ui
