// Support for the control's tests: a site that records what the control asks
// of its window, a registry folder of the test's own, the demo
// creature written once per test program, dispatch calls as hosts make them,
// the engine's own frames, and the setting every test of the control itself starts from.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "control/activex/BodyCache.h"
#include "control/activex/ZubrelleCtrl.h"
#include "control/body/Appearance.h"
#include "fixtures/TempDir.h"
#include "platform/com/ControlSite.h"
#include "platform/gdi/Bitmap.h"
#include "registry/TempRegistry.h"

namespace controltest {

class RecordingSite final : public com::IControlSite {
public:
    com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
    com::ULONG AddRef() override { return ++refs; }
    com::ULONG Release() override { return --refs; }
    com::HRESULT InvalidateControl(bool erase) override { return erasingInvalidations += erase, com::S_OK; }
    com::HRESULT SetTimer(std::uint32_t id, std::uint32_t periodMs, std::uint32_t* started) override;
    com::HRESULT KillTimer(std::uint32_t id) override { return runningTimers.erase(id), com::S_OK; }
    com::HRESULT GetClientRect(com::RECT* rect) override { return *rect = client, com::S_OK; }
    com::HRESULT ShowModalMessage(const com::OLECHAR*, const com::OLECHAR*) override { return com::S_OK; }

    com::ULONG refs = 0;
    int erasingInvalidations = 0;  // the control only ever asks for erasing ones
    bool timersWork = true;
    std::map<std::uint32_t, std::uint32_t> runningTimers;  // id -> period
    com::RECT client{0, 0, 200, 100};
};

// The demo creature's two directories, generated on first use.
const std::string& DemoImages();
const std::string& DemoBodyData();
// Writes the host product's two directory values into the current registry.
void PointRegistryAtDemoCreature();
// Copies the demo creature's files of one genus-sex digit, age 0 and variant
// 0 ("00a": the all-zero appearance) into two folders, created as needed.
void CopyDemoCreature(const std::string& imagesTo, const std::string& bodyDataTo, const std::string& stem = "00a");

// The demo body's frames of these poses in a width x height picture, walking at `angle` degrees or, when
// `walk` is false, standing in place at it: `count` of them, or one full cycle when count is 0. One pose is
// drawn still, as a pose picture is: one frame. An inset draws each frame where a border leaves the
// picture: `inset` pixels inside a black frame.
std::vector<std::vector<std::uint32_t>> EngineFrames(const zubrelle::Appearance& appearance,
                                                     const std::vector<std::string>& poses, int width, int height,
                                                     bool walk, int angle, int count = 0, double scale = 1.0,
                                                     int inset = 0);

// Loads a control module and calls one of its exports, as the register tool does.
com::HRESULT CallModule(const char* path, const char* exportName = "DllRegisterServer");

// Invokes a member with its arguments in their natural order; a put's value
// comes last and is passed as the named one. Every argument is cleared.
com::HRESULT Invoke(com::IDispatch* d, com::DISPID id, std::uint16_t flags, std::vector<com::VARIANT> args = {},
                    com::VARIANT* result = nullptr);

// A pixel buffer as a host gives it to the control.
struct Canvas {
    Canvas(std::int32_t w, std::int32_t h, std::uint32_t fill = 0x12345678u)
        : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}
    com::PixelTarget Target() { return {pixels.data(), width, height, width}; }
    std::int32_t width, height;
    std::vector<std::uint32_t> pixels;
};

struct ReleaseControl {
    void operator()(zubrelle::CZubrelleCtrl* c) const { static_cast<com::IDispatch*>(c)->Release(); }
};
using ControlPtr = std::unique_ptr<zubrelle::CZubrelleCtrl, ReleaseControl>;
inline com::IDispatch* D(const ControlPtr& c) { return static_cast<com::IDispatch*>(c.get()); }

// A registry of the test's own pointing at the demo creature, an empty body
// cache before and after, and a site for the controls it makes.
struct ControlSetting {
    ControlSetting() {
        PointRegistryAtDemoCreature();
        zubrelle::BodyCache::Instance().Clear();
    }
    ~ControlSetting() { zubrelle::BodyCache::Instance().Clear(); }

    // A control showing the first `poses` of `walk`.
    ControlPtr NewControl(bool withSite, int poses, const char* const* walk) {
        ControlPtr c(new zubrelle::CZubrelleCtrl());
        if (withSite) c->SetSite(&site);
        for (std::int16_t i = 0; i < poses; ++i) c->SetPoseString(i, walk[i]);
        if (poses) c->SetPoseCount(std::int16_t(poses));
        return c;
    }
    static void Paint(const ControlPtr& c, Canvas& canvas) {
        c->Draw(canvas.Target(), com::RECT{0, 0, canvas.width, canvas.height});
    }

    TempRegistry registry;
    RecordingSite site;
};

}  // namespace controltest
