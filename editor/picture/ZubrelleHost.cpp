// Creating and driving the picture control through its dispatch interface.
#include "editor/picture/ZubrelleHost.h"

#include "platform/com/ModuleFile.h"

#include <cstdio>

#include "control/ZubrelleInterface.h"
#include "editor/document/Appearance.h"
#include "platform/com/Activation.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/ServerRegistration.h"

namespace mirtala {

using namespace com;
using namespace zubrelle;

// The site lives as long as the host; the control's references do not own it.
class ZubrelleHost::Site final : public IControlSite {
public:
    explicit Site(Window& window) : m_window(window) {}
    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IControlSite) {
            *object = static_cast<IControlSite*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT InvalidateControl(bool erase) override {
        m_window.Invalidate(erase);
        return S_OK;
    }
    HRESULT SetTimer(std::uint32_t id, std::uint32_t periodMs, std::uint32_t* started) override {
        if (!started) return E_POINTER;
        *started = m_window.StartTimer(id, periodMs) ? id : 0;
        return *started ? S_OK : E_FAIL;
    }
    HRESULT KillTimer(std::uint32_t id) override {
        m_window.StopTimer(id);
        return S_OK;
    }
    HRESULT GetClientRect(RECT* rect) override {
        if (!rect) return E_POINTER;
        *rect = m_window.ClientRect();
        return S_OK;
    }
    HRESULT ShowModalMessage(const OLECHAR* caption, const OLECHAR* text) override {
        m_window.ShowMessage(caption ? Utf8FromUtf16(caption) : "", text ? Utf8FromUtf16(text) : "");
        return S_OK;
    }

private:
    Window& m_window;
};

// Receives the control's events and passes Click on to the window.
class ZubrelleHost::EventSink final : public IDispatch {
public:
    explicit EventSink(Window& window) : m_window(window) {}
    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID__DZubrelleEvents) {
            *object = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT GetTypeInfoCount(std::uint32_t* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(std::uint32_t, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(const IID&, const OLECHAR* const*, std::uint32_t, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT Invoke(DISPID id, const IID&, LCID, std::uint16_t, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                   std::uint32_t*) override {
        if (id == DISPID_CLICK) m_window.ControlClicked();
        return S_OK;
    }

private:
    Window& m_window;
};

ZubrelleHost::ZubrelleHost(Window& window) : m_site(new Site(window)), m_sink(new EventSink(window)) {}

ZubrelleHost::~ZubrelleHost() {
    Release();
    delete m_sink;
    delete m_site;
}

void ZubrelleHost::Release() {
    if (m_point) {
        m_point->Unadvise(m_cookie);
        SafeRelease(m_point);
    }
    if (m_view) {
        m_view->SetSite(nullptr);
        SafeRelease(m_view);
    }
    SafeRelease(m_dispatch);
}

bool ZubrelleHost::Create() {
    Release();
    m_error.clear();
    HRESULT hr = CoCreateInstance(CLSID_Zubrelle, nullptr, IID_IDispatch, reinterpret_cast<void**>(&m_dispatch));
    if (FAILED(hr)) {
        m_dispatch = nullptr;
        std::string path = InprocServerPath(CLSID_Zubrelle);
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
        if (hr == REGDB_E_CLASSNOTREG) {
            m_error = "The Zubrelle picture control is not registered. Register it with: " + com::RegisterCommand();
        } else if (hr == CO_E_DLLNOTFOUND || hr == CO_E_ERRORINDLL) {
            // Either says why: gone, cut short, another machine, the loader's reason, no entry points.
            std::string why = ModuleFileProblem(path);
            if (why.empty()) why = ModuleEntryProblem(path);
            m_error = "The Zubrelle picture control module " + path + " cannot be loaded" +
                      (why.empty() ? std::string() : ": " + why) +
                      ". Build it, then register it again with: " + com::RegisterCommand();
        } else {
            m_error = std::string("The Zubrelle picture control cannot be created (error ") + code + ").";
        }
        m_lastResult = hr;
        return false;
    }
    if (FAILED(m_dispatch->QueryInterface(IID_IControlView, reinterpret_cast<void**>(&m_view)))) {
        m_view = nullptr;
        m_error = "The registered Zubrelle module does not provide a windowless picture control.";
        Release();
        return false;
    }
    m_view->SetSite(m_site);
    IConnectionPointContainer* container = nullptr;
    if (SUCCEEDED(m_dispatch->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))) {
        if (SUCCEEDED(container->FindConnectionPoint(DIID__DZubrelleEvents, &m_point)) &&
            FAILED(m_point->Advise(m_sink, &m_cookie)))
            SafeRelease(m_point);
        container->Release();
    }
    return true;
}

void ZubrelleHost::Put(DISPID id, VARIANT value, VARIANT* index) {
    if (!m_dispatch) {
        VariantClear(&value);
        return;
    }
    VARIANT args[2];
    std::uint32_t count = 1;
    args[0] = value;
    if (index) {
        args[1] = *index;
        count = 2;
    }
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{args, &named, count, 1};
    m_lastResult = m_dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    VariantClear(&args[0]);
}

void ZubrelleHost::SetScale(float scale) { Put(DISPID_Scale, MakeR4(scale)); }
void ZubrelleHost::SetFriction(bool friction) { Put(DISPID_Friction, MakeBool(friction)); }
void ZubrelleHost::SetAngle(double angle) { Put(DISPID_Angle, MakeR8(angle)); }
void ZubrelleHost::SetPoseCount(std::int16_t count) { Put(DISPID_PoseCount, MakeI2(count)); }

void ZubrelleHost::SetPoseString(std::int16_t index, const std::string& poseString) {
    VARIANT i = MakeI2(index);
    Put(DISPID_PoseString, MakeBstr(poseString), &i);
}

std::string ZubrelleHost::GetText(DISPID id, VARIANT* index) {
    if (!m_dispatch) return {};
    DISPPARAMS params{index, nullptr, index ? 1u : 0u, 0};
    VARIANT result;
    m_lastResult = m_dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &params, &result, nullptr, nullptr);
    std::string text = result.vt == VT_BSTR ? Utf8FromBstr(result.bstrVal) : std::string();
    VariantClear(&result);
    return text;
}

std::int32_t ZubrelleHost::GetInt(DISPID id) {
    if (!m_dispatch) return 0;
    DISPPARAMS none;
    VARIANT result;
    m_lastResult = m_dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
    const std::int32_t value = SUCCEEDED(m_lastResult) && result.vt == VT_I4 ? result.lVal : 0;
    VariantClear(&result);
    return value;
}

std::int32_t ZubrelleHost::GetFrameCount() { return GetInt(DISPID_FrameCount); }
std::int32_t ZubrelleHost::GetCurrentFrame() { return GetInt(DISPID_CurrentFrame); }
void ZubrelleHost::SetPlaying(bool playing) { Put(DISPID_Playing, MakeBool(playing)); }

void ZubrelleHost::StepFrame(bool back) {
    if (!m_dispatch) return;
    VARIANT arg = MakeBool(back);
    DISPPARAMS params{&arg, nullptr, 1, 0};
    m_lastResult =
        m_dispatch->Invoke(DISPID_StepFrame, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

void ZubrelleHost::Call(DISPID id) {
    if (!m_dispatch) return;
    DISPPARAMS none;
    m_lastResult = m_dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
}

std::string ZubrelleHost::GetPoseString(std::int16_t index) {
    VARIANT arg = MakeI2(index);
    return GetText(DISPID_PoseString, &arg);
}

std::string ZubrelleHost::GetLoadError() { return GetText(DISPID_LoadError); }
std::string ZubrelleHost::GetImagesDirectory() { return GetText(DISPID_ImagesDirectory); }
void ZubrelleHost::SetImagesDirectory(const std::string& folder) { Put(DISPID_ImagesDirectory, MakeBstr(folder)); }
std::string ZubrelleHost::GetBodyDataDirectory() { return GetText(DISPID_BodyDataDirectory); }
void ZubrelleHost::SetBodyDataDirectory(const std::string& folder) { Put(DISPID_BodyDataDirectory, MakeBstr(folder)); }
void ZubrelleHost::ReloadBody() { Call(DISPID_ReloadBody); }

void ZubrelleHost::SetAppearance(std::int16_t headGenus, std::int16_t headVariant, std::int16_t bodyGenus,
                                 std::int16_t bodyVariant, std::int16_t legsGenus, std::int16_t legsVariant,
                                 std::int16_t armsGenus, std::int16_t armsVariant, std::int16_t tailGenus,
                                 std::int16_t tailVariant, std::int16_t sex, std::int16_t age) {
    if (!m_dispatch) return;
    const std::int16_t values[12] = {headGenus, headVariant, bodyGenus, bodyVariant, legsGenus, legsVariant,
                                     armsGenus, armsVariant, tailGenus, tailVariant, sex,       age};
    VARIANT args[12];
    for (int i = 0; i < 12; ++i) args[11 - i] = MakeI2(values[i]);  // last argument first
    DISPPARAMS params{args, nullptr, 12, 0};
    m_lastResult =
        m_dispatch->Invoke(DISPID_SetAppearance, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

void ZubrelleHost::SetAppearance(const Appearance& appearance) {
    const std::array<std::int16_t, 12> v = appearance.ControlOrder();
    SetAppearance(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]);
}

void ZubrelleHost::AboutBox() { Call(DISPID_ABOUTBOX); }

void ZubrelleHost::Paint(std::uint32_t* pixels, std::int32_t width, std::int32_t height, std::int32_t stride) {
    if (!m_view) return;
    m_view->Draw(PixelTarget{pixels, width, height, stride}, RECT{0, 0, width, height});
}

void ZubrelleHost::PaintFrame(std::int32_t offset, std::uint32_t* pixels, std::int32_t width, std::int32_t height,
                              std::int32_t stride) {
    if (!m_view) return;
    Put(DISPID_FrameOffset, MakeI4(offset));
    if (SUCCEEDED(m_lastResult)) Paint(pixels, width, height, stride);
    Put(DISPID_FrameOffset, MakeI4(0));
}

void ZubrelleHost::TimerFired(std::uint32_t id) {
    if (m_view) m_view->OnTimer(id);
}

void ZubrelleHost::Click(std::int32_t x, std::int32_t y) {
    if (m_view) m_view->OnMouseClick(x, y);
}

}  // namespace mirtala
