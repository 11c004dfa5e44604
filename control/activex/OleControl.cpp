// The control base: dispatch, events, site and stock members.
#include "control/activex/OleControl.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "control/ZubrelleInterface.h"
#include "control/activex/ModuleLock.h"
#include "control/activex/TargetPaint.h"
#include "platform/com/TypeLibrary.h"

namespace zubrelle {

using namespace com;

COleControl::COleControl(const TypeDesc& dispatchType, const IID& events, const GUID& libid, std::vector<CLSID> pages)
    : m_dispatchType(dispatchType),
      m_libid(libid),
      m_pages(std::move(pages)),
      m_events(static_cast<IDispatch&>(*this), events) {
    LockModule();
}

COleControl::~COleControl() {
    if (m_site) m_site->Release();
    UnlockModule();
}

ULONG COleControl::Release() {
    ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
}

HRESULT COleControl::QueryInterface(const IID& iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == m_dispatchType.guid) {
        *object = static_cast<IDispatch*>(this);
    } else if (iid == IID_IConnectionPointContainer) {
        *object = static_cast<IConnectionPointContainer*>(this);
    } else if (iid == IID_IControlView) {
        *object = static_cast<IControlView*>(this);
    } else if (iid == IID_ISpecifyPropertyPages) {
        *object = static_cast<ISpecifyPropertyPages*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT COleControl::GetTypeInfoCount(std::uint32_t* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT COleControl::GetTypeInfo(std::uint32_t index, LCID lcid, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    // Answered from the registered copy of the library, as the framework does.
    ITypeLib* lib = nullptr;
    HRESULT hr = LoadRegTypeLib(m_libid, 1, 0, lcid, &lib);
    if (FAILED(hr)) return hr;
    hr = lib->GetTypeInfoOfGuid(m_dispatchType.guid, info);
    lib->Release();
    return hr;
}

HRESULT COleControl::GetIDsOfNames(const IID& iid, const OLECHAR* const* names, std::uint32_t count, LCID,
                                   DISPID* ids) {
    if (!(iid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return FindIdsOfNames(m_dispatchType, names, count, ids);
}

HRESULT COleControl::Invoke(DISPID id, const IID& iid, LCID, std::uint16_t flags, DISPPARAMS* params, VARIANT* result,
                            EXCEPINFO*, std::uint32_t* argErr) {
    if (!(iid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    DispatchCall call;
    HRESULT hr = PrepareDispatchCall(m_dispatchType, id, flags, params, &call, argErr);
    if (FAILED(hr)) return hr;
    if (result && !call.isPut) VariantClear(result);
    if (id == DISPID_BORDERSTYLE) {
        if (call.isPut) return SetBorderStyle(call.args[0].iVal);
        if (result) *result = MakeI2(m_borderStyle);
        return S_OK;
    }
    if (id == DISPID_ABOUTBOX) {
        AboutBox();
        return S_OK;
    }
    return InvokeMember(call, result);
}

HRESULT COleControl::SetBorderStyle(std::int16_t style) {
    if (style != 0 && style != 1) return CTL_E_INVALIDPROPERTYVALUE;
    m_borderStyle = style;
    InvalidateControl(true);
    SetModifiedFlag();
    return S_OK;
}

HRESULT COleControl::FindConnectionPoint(const IID& iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    IID events;
    m_events.GetConnectionInterface(&events);
    if (!(iid == events)) return CONNECT_E_NOCONNECTION;
    *point = &m_events;
    m_events.AddRef();
    return S_OK;
}

HRESULT COleControl::SetSite(IControlSite* site) {
    if (site == m_site) return S_OK;
    if (m_site) {
        OnDestroyWindow();
        m_site->Release();
        m_site = nullptr;
    }
    if (site) {
        site->AddRef();
        m_site = site;
    }
    return S_OK;
}

HRESULT COleControl::Draw(const PixelTarget& target, const RECT& bounds) {
    if (!HasWindow()) return S_OK;
    RECT inner = bounds;
    if (m_borderStyle == 1) {
        FrameTarget(target, bounds, 0x000000);
        inner = {bounds.left + 1, bounds.top + 1, bounds.right - 1, bounds.bottom - 1};
    }
    OnDraw(target, inner);
    return S_OK;
}

HRESULT COleControl::OnTimer(std::uint32_t id) {
    OnTimerMessage(id);
    return S_OK;
}

void COleControl::OnTimerMessage(std::uint32_t) { InvalidateControl(true); }

HRESULT COleControl::OnMouseClick(std::int32_t, std::int32_t) {
    FireClick();
    return S_OK;
}

HRESULT COleControl::GetPages(CAUUID* pages) {
    if (!pages) return E_POINTER;
    pages->cElems = 0;
    pages->pElems = static_cast<GUID*>(std::malloc(sizeof(GUID) * (m_pages.empty() ? 1 : m_pages.size())));
    if (!pages->pElems) return E_OUTOFMEMORY;
    for (const auto& page : m_pages) pages->pElems[pages->cElems++] = page;
    return S_OK;
}

void COleControl::InvalidateControl(bool erase) {
    if (m_site) m_site->InvalidateControl(erase);
}

std::uint32_t COleControl::SetTimer(std::uint32_t id, std::uint32_t periodMs) {
    std::uint32_t started = 0;
    if (!m_site || FAILED(m_site->SetTimer(id, periodMs, &started))) return 0;
    return started;
}

void COleControl::KillTimer(std::uint32_t id) {
    if (m_site) m_site->KillTimer(id);
}

RECT COleControl::GetClientRect() {
    RECT rect;
    if (m_site) m_site->GetClientRect(&rect);
    if (m_borderStyle == 1) {
        rect.right = std::max(rect.left, rect.right - 2);
        rect.bottom = std::max(rect.top, rect.bottom - 2);
    }
    return {0, 0, rect.right - rect.left, rect.bottom - rect.top};
}

void COleControl::FireClick() { m_events.Fire(DISPID_CLICK); }

void COleControl::ShowModalMessage(const char* caption, const char* text) {
    if (!m_site) return;
    std::u16string c = Utf16FromUtf8(caption), t = Utf16FromUtf8(text);
    m_site->ShowModalMessage(c.c_str(), t.c_str());
}

}  // namespace zubrelle
