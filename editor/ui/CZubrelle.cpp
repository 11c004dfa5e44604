// The picture control's widget.
#include "editor/ui/CZubrelle.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QImage>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <vector>

namespace mirtala::ui {

namespace {
CZubrelle::MessageHandler& Handler() {
    static CZubrelle::MessageHandler handler;
    return handler;
}

// Every picture there is, for ReloadAll.
std::vector<CZubrelle*>& Pictures() {
    static std::vector<CZubrelle*> pictures;
    return pictures;
}

// What assistive tools read as a picture's description: the host's words for
// what it shows, then why its body did not load. Kept apart from the widget's
// own description, which the dialogs set to what the picture shows.
class PictureAccessible final : public QAccessibleWidget {
public:
    explicit PictureAccessible(CZubrelle* picture) : QAccessibleWidget(picture) {}
    QString text(QAccessible::Text t) const override {
        QString text = QAccessibleWidget::text(t);  // the tooltip when there is no description
        QString error = static_cast<const CZubrelle*>(object())->LoadError();
        if (t != QAccessible::Description || error.isEmpty() || text.contains(error)) return text;
        return text.isEmpty() ? error : text + QLatin1Char('\n') + error;
    }
};

QAccessibleInterface* MakePictureAccessible(const QString&, QObject* object) {
    auto* picture = qobject_cast<CZubrelle*>(object);
    return picture ? new PictureAccessible(picture) : nullptr;
}

// Centred and wrapped, in a smaller font where the picture is too small for it.
void DrawFittingText(QPainter& painter, const QRect& box, const QString& text) {
    QFont font = painter.font();
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    for (qreal size = font.pointSizeF(); size > 5; size -= 1) {
        font.setPointSizeF(size);
        QRect needed = QFontMetrics(font).boundingRect(box, flags, text);
        if (needed.height() <= box.height() && needed.width() <= box.width()) break;
    }
    painter.setFont(font);
    painter.setPen(Qt::darkGray);
    painter.drawText(box, flags, text);
}
}  // namespace

CZubrelle::CZubrelle(QWidget* parent)
    : QWidget(parent),
      m_host(std::make_unique<mirtala::ZubrelleHost>(static_cast<mirtala::ZubrelleHost::Window&>(*this))) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    Pictures().push_back(this);
    static const bool accessible = (QAccessible::installFactory(MakePictureAccessible), true);
    (void)accessible;
}

CZubrelle::~CZubrelle() {
    std::erase(Pictures(), this);
    if (!m_loadError.isEmpty()) emit Events().LoadErrorChanged(this);
    // The control goes before the timers it may still ask to stop.
    m_host.reset();
    for (auto& [id, timer] : m_timers) delete timer;
}

bool CZubrelle::Create(const QString& windowName, std::uint32_t, const QRect& rect, QWidget* parent, int id) {
    if (parent) setParent(parent);
    setGeometry(rect);
    setAccessibleName(windowName);
    setObjectName(QStringLiteral("zubrelle%1").arg(id));
    m_createTried = true;
    bool ok = m_host->Create();
    if (!ok) setToolTip(MissingControlText());
    RefreshLoadError();
    show();
    update();
    return ok;
}

bool CZubrelle::IsTimerRunning(std::uint32_t id) const {
    auto it = m_timers.find(id);
    return it != m_timers.end() && it->second->isActive();
}

void CZubrelle::SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }

QString CZubrelle::NoBodyText() { return QStringLiteral("No body files for this appearance. ") + ChooseFoldersText(); }

QString CZubrelle::ChooseFoldersText() { return QStringLiteral("Choose the folders in File › Host Product Folders…"); }

void CZubrelle::SetImagesDirectory(const QString& folder) {
    m_host->SetImagesDirectory(folder.toStdString());
    RefreshLoadError();
}

void CZubrelle::SetBodyDataDirectory(const QString& folder) {
    m_host->SetBodyDataDirectory(folder.toStdString());
    RefreshLoadError();
}

void CZubrelle::ReloadBody() {
    m_host->ReloadBody();
    RefreshLoadError();
}

void CZubrelle::ReloadAll() {
    // Guarded copies: a slot of LoadErrorChanged may create or delete pictures.
    std::vector<QPointer<CZubrelle>> pictures(Pictures().begin(), Pictures().end());
    for (const auto& picture : pictures)
        if (picture) picture->ReloadBody();
}

CZubrelleEvents& CZubrelle::Events() {
    static CZubrelleEvents events;
    return events;
}

void CZubrelle::RefreshLoadError() {
    QString error = QString::fromStdString(m_host->GetLoadError());
    if (error == m_loadError) return;
    m_loadError = error;
    // What to do comes last, as on the picture itself.
    setToolTip(error.isEmpty() ? error : error + QLatin1Char('\n') + ChooseFoldersText());
    QAccessibleEvent described(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
    update();
    emit LoadErrorChanged(error);
    emit Events().LoadErrorChanged(this);
}

void CZubrelle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_host->IsCreated()) {
        painter.fillRect(rect(), Qt::white);
        painter.setPen(Qt::black);
        QString text = m_createTried ? MissingControlText() : QString();
        painter.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, text);
        return;
    }
    // The control draws at the picture's logical size, so a figure is as large
    // on every screen; above ratio 1 each control pixel becomes a block of
    // device pixels (nearest neighbour, never smoothed), exact at integer ratios.
    const QSize size = PixelSize();
    if (size.isEmpty()) return;
    QImage image = Render(size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect shown(QPoint(0, 0), size * m_zoom);
    painter.drawImage(shown, image);
    // A widget not a multiple of the zoom keeps a white edge.
    painter.fillRect(QRect(shown.width(), 0, width() - shown.width(), height()), Qt::white);
    painter.fillRect(QRect(0, shown.height(), shown.width(), height() - shown.height()), Qt::white);
    if (!m_loadError.isEmpty()) DrawFittingText(painter, rect().adjusted(3, 3, -3, -3), NoBodyText());
    emit Painted();
}

void CZubrelle::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        m_host->Click(int(event->position().x()) / m_zoom, int(event->position().y()) / m_zoom);
    }
    QWidget::mouseReleaseEvent(event);
}

void CZubrelle::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit DoubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

void CZubrelle::Invalidate(bool) { update(); }

void CZubrelle::SetScale(float scale) {
    m_host->SetScale(scale);
    m_state.scale = scale;
    emit StateChanged();
}

void CZubrelle::SetFriction(bool friction) {
    m_host->SetFriction(friction);
    m_state.friction = friction;
    emit StateChanged();
}

void CZubrelle::SetAngle(double angle) {
    m_host->SetAngle(angle);
    m_state.angle = angle;
    emit StateChanged();
}

void CZubrelle::SetPoseCount(std::int16_t count) {
    m_host->SetPoseCount(count);
    m_state.poseCount = count;
    emit StateChanged();
}

void CZubrelle::SetAppearance(std::int16_t headGenus, std::int16_t headVariant, std::int16_t bodyGenus,
                              std::int16_t bodyVariant, std::int16_t legsGenus, std::int16_t legsVariant,
                              std::int16_t armsGenus, std::int16_t armsVariant, std::int16_t tailGenus,
                              std::int16_t tailVariant, std::int16_t sex, std::int16_t age) {
    SetAppearance(mirtala::Appearance{sex, age, headGenus, headVariant, bodyGenus, bodyVariant, legsGenus, legsVariant,
                                      armsGenus, armsVariant, tailGenus, tailVariant});
}

void CZubrelle::SetAppearance(const mirtala::Appearance& appearance) {
    m_host->SetAppearance(appearance);
    m_state.appearance = appearance;
    RefreshLoadError();
    emit StateChanged();
}

void CZubrelle::SetPoseString(std::int16_t index, const QString& text) {
    m_host->SetPoseString(index, text.toStdString());
    m_state.poseStrings[index] = text;
    emit StateChanged();
}

bool CZubrelle::StartTimer(std::uint32_t id, std::uint32_t periodMs) {
    QTimer*& timer = m_timers[id];
    if (!timer) {
        timer = new QTimer();
        QObject::connect(timer, &QTimer::timeout, this, [this, id] { m_host->TimerFired(id); });
    }
    m_periods[id] = periodMs;
    timer->setInterval(ScaledPeriod(id));
    if (m_timersPaused)
        m_pausedTimers.insert(id);
    else
        timer->start();
    return true;
}

int CZubrelle::ScaledPeriod(std::uint32_t id) const {
    auto it = m_periods.find(id);
    if (it == m_periods.end()) return 0;
    return std::max(1, int(std::lround(double(it->second) / m_speed)));
}

void CZubrelle::SetSpeed(double speed) {
    if (!(speed > 0)) return;
    m_speed = speed;
    // A running timer keeps running at the new period.
    for (auto& [id, timer] : m_timers) timer->setInterval(ScaledPeriod(id));
}

int CZubrelle::TimerInterval(std::uint32_t id) const {
    auto it = m_timers.find(id);
    return it == m_timers.end() ? 0 : it->second->interval();
}

void CZubrelle::StopTimer(std::uint32_t id) {
    m_pausedTimers.erase(id);
    auto it = m_timers.find(id);
    if (it != m_timers.end()) it->second->stop();
}

void CZubrelle::SetTimersPaused(bool paused) {
    if (paused == m_timersPaused) return;
    m_timersPaused = paused;
    for (auto& [id, timer] : m_timers) {
        if (paused && timer->isActive()) {
            timer->stop();
            m_pausedTimers.insert(id);
        } else if (!paused && m_pausedTimers.count(id)) {
            timer->start();
        }
    }
    if (!paused) m_pausedTimers.clear();
}

QSize CZubrelle::PixelSize() const { return {width() / m_zoom, height() / m_zoom}; }

void CZubrelle::SetZoom(int zoom) {
    if (zoom < 1 || zoom == m_zoom) return;
    m_zoom = zoom;
    update();
}

QImage CZubrelle::Render(const QSize& size) {
    QImage image(size, QImage::Format_RGBX8888);
    image.fill(Qt::white);
    auto* pixels = reinterpret_cast<std::uint32_t*>(image.bits());
    const int stride = int(image.bytesPerLine() / 4);
    if (m_onion)
        m_onion->Paint(*m_host, pixels, size.width(), size.height(), stride);
    else
        m_host->Paint(pixels, size.width(), size.height(), stride);
    return image;
}

void CZubrelle::SetOnionSkin(int depth) {
    if (depth == OnionSkinDepth()) return;
    m_onion = depth > 0 ? std::make_unique<mirtala::OnionSkin>(depth) : nullptr;
    update();
}

com::RECT CZubrelle::ClientRect() {
    const QSize size = PixelSize();
    return {0, 0, size.width(), size.height()};
}

void CZubrelle::ShowMessage(const std::string& caption, const std::string& text) {
    QString c = QString::fromStdString(caption), t = QString::fromStdString(text);
    if (Handler()) {
        Handler()(c, t);
    } else {
        QMessageBox::about(this, c, t);
    }
}

}  // namespace mirtala::ui
