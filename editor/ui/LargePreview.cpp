// The large preview window.
#include "editor/ui/LargePreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

#include "editor/picture/OnionSkin.h"
#include "editor/ui/CZubrelle.h"
#include "editor/ui/EditDialogIds.h"
#include "editor/ui/GaitTransport.h"
#include "editor/ui/PictureState.h"

namespace mirtala::ui {

namespace {
constexpr int kPictureId = 1;

QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QLabel* EmptyText() {
    auto* text = new QLabel(QStringLiteral("Open a pose or gait dialog to see its picture here."));
    text->setAlignment(Qt::AlignCenter);
    text->setAccessibleName(QStringLiteral("No picture"));
    return text;
}
}  // namespace

CLargePreview::CLargePreview(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Large Preview"));
    setAccessibleName(QStringLiteral("Large Preview"));

    m_zoom = new QComboBox(this);
    for (int z = 1; z <= kMaxZoom; ++z) m_zoom->addItem(QStringLiteral("%1\u00D7").arg(z), z);
    m_zoom->addItem(QStringLiteral("Fit"), kFit);
    m_zoom->setCurrentIndex(m_zoom->count() - 1);
    m_zoom->setAccessibleName(QStringLiteral("Zoom"));
    m_onion = new QCheckBox(QStringLiteral("O&nion skin"), this);
    m_onion->setAccessibleName(QStringLiteral("Onion skin"));
    m_onionDepth = new QSpinBox(this);
    m_onionDepth->setRange(1, mirtala::OnionSkin::kMaxDepth);
    m_onionDepth->setValue(mirtala::OnionSkin::kMaxDepth);
    m_onionDepth->setAccessibleName(QStringLiteral("Frames each side"));

    auto* options = new QHBoxLayout;
    options->addWidget(BuddyLabel(QStringLiteral("&Zoom:"), m_zoom, this));
    options->addWidget(m_zoom);
    options->addSpacing(12);
    options->addWidget(m_onion);
    options->addWidget(BuddyLabel(QStringLiteral("&Frames each side:"), m_onionDepth, this));
    options->addWidget(m_onionDepth);
    options->addStretch();

    m_scroll = new QScrollArea(this);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAccessibleName(QStringLiteral("Picture"));
    m_scroll->setWidget(EmptyText());
    m_scroll->setWidgetResizable(false);
    m_scroll->viewport()->installEventFilter(this);

    m_play = new QPushButton(QStringLiteral("&Pause"), this);
    m_step = new QPushButton(QStringLiteral("&Step"), this);
    m_step->setAccessibleName(QStringLiteral("Step"));
    m_step->setToolTip(QStringLiteral("The next frame; with Shift the one before"));
    m_readout = new QLabel(this);
    m_readout->setAccessibleName(QStringLiteral("Frame"));
    auto* transport = new QHBoxLayout;
    transport->addWidget(m_play);
    transport->addWidget(m_step);
    transport->addSpacing(12);
    transport->addWidget(m_readout);
    transport->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(transport);

    connect(m_zoom, &QComboBox::currentIndexChanged, this, &CLargePreview::ApplyZoom);
    connect(m_onion, &QCheckBox::toggled, this, &CLargePreview::ApplyOnionSkin);
    connect(m_onionDepth, &QSpinBox::valueChanged, this, &CLargePreview::ApplyOnionSkin);
    connect(m_play, &QPushButton::clicked, this, [this] {
        if (m_transport) m_transport->TogglePlay();
    });
    connect(m_step, &QPushButton::clicked, this, [this] {
        if (m_transport) m_transport->Step(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    });
    // Ctrl+= too: on many keyboards + is Shift+=.
    for (const QKeySequence& keys : {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this] { ZoomBy(1); });
    connect(new QShortcut(QKeySequence::ZoomOut, this), &QShortcut::activated, this, [this] { ZoomBy(-1); });
    // Looked at once the event is through: focus also moves while a window is
    // being destroyed, when its children must not be searched.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now) QTimer::singleShot(0, this, &CLargePreview::FollowActiveWindow);
    });

    UpdateTransport();
    resize(720, 640);
}

CLargePreview::~CLargePreview() = default;

CZubrelle* CLargePreview::MirroredPicture(QWidget* window) {
    if (!window) return nullptr;
    for (int id : {id::PosePicture, id::Preview})
        if (auto* picture = window->findChild<CZubrelle*>(QStringLiteral("zubrelle%1").arg(id))) return picture;
    return nullptr;
}

void CLargePreview::FollowActiveWindow() {
    QWidget* active = QApplication::activeWindow();
    if (active != this && active != m_dialog && MirroredPicture(active)) SetSource(active);
}

void CLargePreview::Open() {
    if (!MirroredPicture(m_dialog)) {
        QWidget* active = QApplication::activeWindow();
        if (MirroredPicture(active)) {
            SetSource(active);
        } else {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible() && MirroredPicture(window)) {
                    SetSource(window);
                    break;
                }
        }
    }
    // The first time, large enough for zoom 4 where the screen has room.
    if (CZubrelle* mirrored = MirroredPicture(m_dialog); !m_sized && mirrored) {
        m_sized = true;
        const QSize room = screen()->availableGeometry().size() * 0.95;
        const QSize wanted = mirrored->PixelSize() * 4 + (size() - m_scroll->maximumViewportSize());
        resize(wanted.boundedTo(room));
    }
    show();
    raise();
    activateWindow();
}

void CLargePreview::SetSource(QWidget* dialog) {
    // Hidden, the preview only remembers the dialog: no control until it shows.
    m_dialog = dialog;
    if (!isVisible()) return;
    for (const auto& link : m_sourceLinks) disconnect(link);
    m_sourceLinks.clear();
    m_source = MirroredPicture(dialog);
    m_transport = m_source ? m_source->findChild<CGaitTransport*>() : nullptr;
    // A picture of its own for each dialog, so nothing the last one put stays.
    m_picture = nullptr;
    if (!m_source) {
        m_scroll->setWidget(EmptyText());
        setWindowTitle(QStringLiteral("Large Preview"));
        UpdateTransport();
        return;
    }
    auto* picture = new CZubrelle;
    picture->Create(QStringLiteral("Large preview"), 0, QRect(QPoint(0, 0), m_source->PixelSize()), m_scroll,
                    kPictureId);
    m_scroll->setWidget(picture);  // deletes the one before
    m_picture = picture;
    // Held: it shows the dialog picture's frame, never one of its own timing.
    m_picture->SetPlaying(false);
    setWindowTitle(QStringLiteral("Large Preview - ") + dialog->windowTitle());
    m_sourceLinks << connect(m_source, &CZubrelle::StateChanged, this, &CLargePreview::MirrorState)
                  << connect(m_source, &CZubrelle::Painted, this, &CLargePreview::FollowFrame)
                  << connect(m_source, &QObject::destroyed, this, [this] { SetSource(nullptr); })
                  << connect(m_picture, &CZubrelle::Painted, this, &CLargePreview::UpdateReadout);
    if (m_transport)
        m_sourceLinks << connect(m_transport, &CGaitTransport::PlayingChanged, this, &CLargePreview::UpdateTransport);
    MirrorState();
    ApplyOnionSkin();
    ApplyZoom();
    FollowFrame();
    UpdateTransport();
}

void CLargePreview::MirrorState() {
    if (!m_source || !m_picture) return;
    MirrorPictureState(m_source->State(), *m_picture);
    m_picture->setAccessibleDescription(m_source->accessibleDescription());
    UpdateReadout();
}

void CLargePreview::FollowFrame() {
    if (!m_source || !m_picture || !isVisible()) return;
    // The same frames in the same order: stepping to the dialog's frame
    // reaches the place its walk stands at too.
    const int n = m_picture->FrameCount();
    if (n > 1 && n == m_source->FrameCount()) {
        const int target = m_source->CurrentFrame();
        auto ahead = [&] { return ((target - m_picture->CurrentFrame()) % n + n) % n; };
        if (ahead() == n - 1 && n > 2) m_picture->StepFrame(true);  // Shift+Step in the dialog
        for (int k = ahead(); k > 0; --k) m_picture->StepFrame(false);
    }
    UpdateReadout();
}

void CLargePreview::UpdateReadout() {
    m_readout->setText(m_picture ? CGaitTransport::ReadoutText(m_picture->CurrentFrame(), m_picture->FrameCount())
                                 : QString());
}

void CLargePreview::UpdateTransport() {
    const bool animated = m_transport != nullptr;
    const bool playing = animated && m_transport->IsPlaying();
    // The button offers what it will do, as the dialog's does.
    m_play->setText(playing ? QStringLiteral("&Pause") : QStringLiteral("&Play"));
    m_play->setAccessibleName(playing ? QStringLiteral("Pause") : QStringLiteral("Play"));
    for (QWidget* w : std::initializer_list<QWidget*>{m_play, m_step, m_onion, m_onionDepth}) w->setEnabled(animated);
    UpdateReadout();
}

void CLargePreview::ApplyOnionSkin() {
    if (m_picture) m_picture->SetOnionSkin(m_onion->isChecked() ? m_onionDepth->value() : 0);
}

int CLargePreview::FitZoom() const {
    if (!m_source) return 1;
    const QSize picture = m_source->PixelSize();
    if (picture.isEmpty()) return 1;
    const QSize room = m_scroll->maximumViewportSize();
    return std::clamp(std::min(room.width() / picture.width(), room.height() / picture.height()), 1, kMaxZoom);
}

int CLargePreview::ZoomFactor() const {
    const int choice = m_zoom->currentData().toInt();
    return choice == kFit ? FitZoom() : choice;
}

void CLargePreview::SetZoomChoice(int choice) {
    const int index = m_zoom->findData(std::clamp(choice, kFit, kMaxZoom));
    if (index >= 0) m_zoom->setCurrentIndex(index);
}

void CLargePreview::ZoomBy(int steps) { SetZoomChoice(std::clamp(ZoomFactor() + steps, 1, kMaxZoom)); }

void CLargePreview::ApplyZoom() {
    if (!m_source || !m_picture) return;
    const int zoom = ZoomFactor();
    // The control keeps the dialog picture's size: only the enlargement changes.
    m_picture->SetZoom(zoom);
    m_picture->resize(m_source->PixelSize() * zoom);
    // Larger than the window, the middle of the picture is shown (once the
    // scroll bars know the new size).
    QTimer::singleShot(0, this, [this] {
        for (QScrollBar* bar : {m_scroll->horizontalScrollBar(), m_scroll->verticalScrollBar()})
            bar->setValue((bar->maximum() + bar->minimum()) / 2);
    });
}

bool CLargePreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_scroll->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta != 0) ZoomBy(delta > 0 ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CLargePreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_zoom->currentData().toInt() == kFit) ApplyZoom();
}

void CLargePreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (MirroredPicture(m_dialog) != m_source) SetSource(m_dialog);
    ApplyZoom();
    FollowFrame();
}

}  // namespace mirtala::ui
