// The host side of the picture control without any widget: creates the
// control by its class identifier through the registry, gives it a site that
// forwards to the window showing it, connects to its Click event, and turns
// the wrapper's operations into dispatch calls. The editor's CZubrelle widget
// and the off-screen renders of the command line and the export use it. When the control cannot be
// created every operation does nothing and ErrorText() says why.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/com/ConnectionPoint.h"
#include "platform/com/ControlSite.h"
#include "platform/com/Dispatch.h"

namespace mirtala {

struct Appearance;

class ZubrelleHost {
public:
    // What the window showing the control does for it.
    class Window {
    public:
        virtual void Invalidate(bool erase) = 0;
        virtual bool StartTimer(std::uint32_t id, std::uint32_t periodMs) = 0;
        virtual void StopTimer(std::uint32_t id) = 0;
        virtual com::RECT ClientRect() = 0;  // in the control's pixels
        virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
        virtual void ControlClicked() {}

    protected:
        ~Window() = default;
    };

    explicit ZubrelleHost(Window& window);
    ~ZubrelleHost();
    ZubrelleHost(const ZubrelleHost&) = delete;
    ZubrelleHost& operator=(const ZubrelleHost&) = delete;

    // Creates the control by its class identifier and gives it the site.
    bool Create();
    bool IsCreated() const { return m_dispatch != nullptr; }
    const std::string& ErrorText() const { return m_error; }
    // The result of the last dispatch call (S_OK when none failed).
    com::HRESULT LastResult() const { return m_lastResult; }

    void SetScale(float scale);
    void SetFriction(bool friction);
    void SetAngle(double angle);
    void SetPoseCount(std::int16_t count);
    void SetAppearance(std::int16_t headGenus, std::int16_t headVariant, std::int16_t bodyGenus,
                       std::int16_t bodyVariant, std::int16_t legsGenus, std::int16_t legsVariant,
                       std::int16_t armsGenus, std::int16_t armsVariant, std::int16_t tailGenus,
                       std::int16_t tailVariant, std::int16_t sex, std::int16_t age);
    // The same call with the record's twelve values in the control's order.
    void SetAppearance(const Appearance& appearance);
    std::string GetPoseString(std::int16_t index);
    void SetPoseString(std::int16_t index, const std::string& poseString);
    void AboutBox();
    // Why the control's body did not load (the body loader's message); empty
    // when it loaded, and when there is no control.
    std::string GetLoadError();
    // The folders the control reads; a put tries a folder on this control
    // alone and loads its body from there (again, if it failed there before),
    // an empty put goes back to the host product's.
    std::string GetImagesDirectory();
    void SetImagesDirectory(const std::string& folder);
    std::string GetBodyDataDirectory();
    void SetBodyDataDirectory(const std::string& folder);
    // Finds the host product's folders again and reloads the body.
    void ReloadBody();
    // The frames of one cycle of the animation (1 for a still picture, 0 when
    // the body did not load or there is no control), and the one shown, from 0.
    std::int32_t GetFrameCount();
    std::int32_t GetCurrentFrame();
    // Held, the picture keeps its frame through any repaint until a step or play.
    void SetPlaying(bool playing);
    // The next frame, or the one before when the control still knows it.
    void StepFrame(bool back);

    // Paints the control over the whole of a width x height buffer of
    // 0x00BBGGRR pixels (stride in pixels).
    void Paint(std::uint32_t* pixels, std::int32_t width, std::int32_t height, std::int32_t stride);
    // Paints the frame `offset` frames after the one shown (before it when
    // negative, around the loop) the same way, leaving the animation as it is.
    void PaintFrame(std::int32_t offset, std::uint32_t* pixels, std::int32_t width, std::int32_t height,
                    std::int32_t stride);
    void TimerFired(std::uint32_t id);
    void Click(std::int32_t x, std::int32_t y);

    com::IDispatch* Dispatch() const { return m_dispatch; }

private:
    class Site;
    class EventSink;

    void Put(com::DISPID id, com::VARIANT value, com::VARIANT* index = nullptr);
    std::string GetText(com::DISPID id, com::VARIANT* index = nullptr);
    std::int32_t GetInt(com::DISPID id);
    void Call(com::DISPID id);
    void Release();

    Site* m_site;
    EventSink* m_sink;
    com::IDispatch* m_dispatch = nullptr;
    com::IControlView* m_view = nullptr;
    com::IConnectionPoint* m_point = nullptr;
    std::uint32_t m_cookie = 0;
    std::string m_error;
    com::HRESULT m_lastResult = com::S_OK;
};

// The window of an off-screen picture: a fixed client area, no screen and no
// clock, so that each paint is one tick. Messages go to `messages`, if given.
class OffscreenWindow final : public ZubrelleHost::Window {
public:
    using Messages = std::function<void(const std::string& caption, const std::string& text)>;
    OffscreenWindow(std::int32_t width, std::int32_t height, Messages messages = {})
        : m_width(width), m_height(height), m_messages(std::move(messages)) {}
    void Invalidate(bool) override {}
    bool StartTimer(std::uint32_t, std::uint32_t) override { return true; }
    void StopTimer(std::uint32_t) override {}
    com::RECT ClientRect() override { return {0, 0, m_width, m_height}; }
    void ShowMessage(const std::string& caption, const std::string& text) override {
        if (m_messages) m_messages(caption, text);
    }

private:
    std::int32_t m_width, m_height;
    Messages m_messages;
};

}  // namespace mirtala
