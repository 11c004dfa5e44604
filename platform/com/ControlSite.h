// Windowless hosting: the site a host gives a control (repaint requests,
// timers, the client rectangle, modal messages) and the view a control gives
// its host (drawing into the host's pixels, timer ticks, mouse clicks).
#pragma once

#include <cstdint>

#include "platform/com/Bstr.h"
#include "platform/com/Unknown.h"

namespace com {

struct RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The host's pixels: 32-bit 0x00BBGGRR values (bytes R, G, B, X in memory),
// stride counted in pixels.
struct PixelTarget {
    std::uint32_t* pixels = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t stride = 0;
};

inline constexpr IID IID_IControlSite{0x5E3A7C10, 0x4B21, 0x4C0D, {0x9A, 0x61, 0x2F, 0x0B, 0x8E, 0x7D, 0x14, 0x01}};
inline constexpr IID IID_IControlView{0x5E3A7C11, 0x4B21, 0x4C0D, {0x9A, 0x61, 0x2F, 0x0B, 0x8E, 0x7D, 0x14, 0x01}};

struct IControlSite : IUnknown {
    virtual HRESULT InvalidateControl(bool erase) = 0;
    // *started is the running timer's identifier, 0 when none could start.
    virtual HRESULT SetTimer(std::uint32_t id, std::uint32_t periodMs, std::uint32_t* started) = 0;
    virtual HRESULT KillTimer(std::uint32_t id) = 0;
    virtual HRESULT GetClientRect(RECT* rect) = 0;
    virtual HRESULT ShowModalMessage(const OLECHAR* caption, const OLECHAR* text) = 0;

protected:
    ~IControlSite() = default;
};

struct IControlView : IUnknown {
    // A control with a site has a window; SetSite(nullptr) destroys the window.
    virtual HRESULT SetSite(IControlSite* site) = 0;
    // Paints the control into target within bounds.
    virtual HRESULT Draw(const PixelTarget& target, const RECT& bounds) = 0;
    virtual HRESULT OnTimer(std::uint32_t id) = 0;
    virtual HRESULT OnMouseClick(std::int32_t x, std::int32_t y) = 0;

protected:
    ~IControlView() = default;
};

}  // namespace com
