// CZubrelle: the widget that shows a Zubrelle picture control. Its operations
// become dispatch calls on the control; it gives the control a site (repaint,
// one QTimer per timer id, the client rectangle in logical pixels, modal
// messages), paints the control's bitmap at the picture's logical size scaled
// to the screen's device pixel ratio by nearest neighbour, and forwards clicks. Without a registered control it shows a
// short text saying how to register it, and every operation does nothing.
// When the control's body did not load, the picture says so in a short line
// on white, and its tooltip and the description that assistive tools read
// (after the host's own accessible description) carry the full reason, and
// CZubrelle::Events() tells of the change for the main window's status bar.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "editor/document/Appearance.h"
#include "editor/picture/OnionSkin.h"
#include "editor/picture/ZubrelleHost.h"
#include "editor/ui/PictureState.h"

class QTimer;

namespace mirtala::ui {

class CZubrelle;

// What every picture tells: the main window's status bar names the load
// error of a picture in the active window and follows this instead of asking.
class CZubrelleEvents : public QObject {
    Q_OBJECT
signals:
    // A picture's load error changed, or a picture with one went away.
    void LoadErrorChanged(CZubrelle* picture);
    // A picture of a dialog was double-clicked: its window asks for the large preview.
    void LargePreviewRequested(CZubrelle* picture);
};

class CZubrelle : public QWidget, private mirtala::ZubrelleHost::Window {
    Q_OBJECT
public:
    explicit CZubrelle(QWidget* parent = nullptr);
    ~CZubrelle() override;

    // Creates the control by its class identifier as a child of parent, at rect;
    // the window name becomes the accessible name, the identifier the object name.
    bool Create(const QString& windowName, std::uint32_t style, const QRect& rect, QWidget* parent, int id);

    // Each put is remembered in State() and told by StateChanged.
    void SetScale(float scale);
    void SetFriction(bool friction);
    void SetAngle(double angle);
    void SetPoseCount(std::int16_t count);
    void SetAppearance(std::int16_t headGenus, std::int16_t headVariant, std::int16_t bodyGenus,
                       std::int16_t bodyVariant, std::int16_t legsGenus, std::int16_t legsVariant,
                       std::int16_t armsGenus, std::int16_t armsVariant, std::int16_t tailGenus,
                       std::int16_t tailVariant, std::int16_t sex, std::int16_t age);
    // The document's appearance record, in the control's order.
    void SetAppearance(const mirtala::Appearance& appearance);
    QString GetPoseString(std::int16_t index) { return QString::fromStdString(m_host->GetPoseString(index)); }
    void SetPoseString(std::int16_t index, const QString& text);
    // What has been put on the picture so far (MirrorPictureState copies it).
    const PictureState& State() const { return m_state; }
    void AboutBox() { m_host->AboutBox(); }
    // The animation's frames in one cycle and the one shown (from 0).
    int FrameCount() { return m_host->GetFrameCount(); }
    int CurrentFrame() { return m_host->GetCurrentFrame(); }
    // Held, the picture keeps its frame through any repaint.
    void SetPlaying(bool playing) { m_host->SetPlaying(playing); }
    void StepFrame(bool back) { m_host->StepFrame(back); }
    // The control's timers run at this multiple of the rate it asks for
    // (2: twice as often); the control's frames stay the same.
    void SetSpeed(double speed);
    // The period a timer of the control runs with now, 0 when it has none.
    int TimerInterval(std::uint32_t id) const;
    // 1 to 3: the frames before and after the one shown are drawn behind it,
    // faded (OnionSkin); 0, the default, turns the onion skin off.
    void SetOnionSkin(int depth);
    int OnionSkinDepth() const { return m_onion ? m_onion->Depth() : 0; }
    // The picture's size in the control's pixels: its logical size divided by
    // the zoom, whatever the screen's pixel ratio.
    QSize PixelSize() const;
    // Each control pixel shown as zoom x zoom logical pixels, never smoothed
    // (the large preview); 1, the default, for every dialog picture.
    void SetZoom(int zoom);
    int Zoom() const { return m_zoom; }

    // Why the body did not load (the body loader's message); empty when it
    // loaded, and when there is no control.
    QString LoadError() const { return m_loadError; }
    // The folders the control reads. A put tries a folder on this picture
    // alone and loads its body from there (again, if it failed there before);
    // an empty put goes back to the host product's.
    QString ImagesDirectory() { return QString::fromStdString(m_host->GetImagesDirectory()); }
    void SetImagesDirectory(const QString& folder);
    QString BodyDataDirectory() { return QString::fromStdString(m_host->GetBodyDataDirectory()); }
    void SetBodyDataDirectory(const QString& folder);
    // Finds the host product's folders again and reloads the body.
    void ReloadBody();
    // Reloads every picture there is, as after the host product's folders changed.
    static void ReloadAll();
    // The signals of all pictures together.
    static CZubrelleEvents& Events();
    // The line drawn on a picture whose body did not load.
    static QString NoBodyText();
    // What the user does about a blank picture; NoBodyText and the tooltip end with it.
    static QString ChooseFoldersText();

    bool IsControlCreated() const { return m_host->IsCreated(); }
    // The text shown instead of the picture when there is no control.
    QString MissingControlText() const { return QString::fromStdString(m_host->ErrorText()); }
    mirtala::ZubrelleHost& Host() { return *m_host; }
    bool IsTimerRunning(std::uint32_t id) const;
    // A picture nobody can see need not animate: while paused the control's
    // timers stand still, and they run again as the control left them.
    void SetTimersPaused(bool paused);

    // Shows the control's modal messages; a message box unless replaced (tests).
    using MessageHandler = std::function<void(const QString& caption, const QString& text)>;
    static void SetMessageHandler(MessageHandler handler);

signals:
    void Clicked();
    // The body's load error changed: a new reason, or empty once it loads.
    void LoadErrorChanged(const QString& error);
    // The control painted: an animation may show another frame now.
    void Painted();
    // Something was put on the picture: State() has changed.
    void StateChanged();
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    QSize sizeHint() const override { return {144, 124}; }

private:
    void Invalidate(bool erase) override;
    bool StartTimer(std::uint32_t id, std::uint32_t periodMs) override;
    void StopTimer(std::uint32_t id) override;
    com::RECT ClientRect() override;
    void ShowMessage(const std::string& caption, const std::string& text) override;
    void ControlClicked() override { emit Clicked(); }
    // Reads the control's load error after a call that loads a body.
    void RefreshLoadError();
    int ScaledPeriod(std::uint32_t id) const;
    // One paint of the control into a white bitmap of the given size.
    QImage Render(const QSize& size);

    std::unique_ptr<mirtala::ZubrelleHost> m_host;
    std::map<std::uint32_t, QTimer*> m_timers;
    std::map<std::uint32_t, std::uint32_t> m_periods;  // as the control asked
    double m_speed = 1.0;
    std::set<std::uint32_t> m_pausedTimers;  // started by the control, held by a pause
    bool m_timersPaused = false;
    bool m_createTried = false;
    QString m_loadError;
    std::unique_ptr<mirtala::OnionSkin> m_onion;
    PictureState m_state;
    int m_zoom = 1;
};

}  // namespace mirtala::ui
