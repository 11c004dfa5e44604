// Event sinks of a dispatch connection point.
#include "platform/com/ConnectionPoint.h"

namespace com {

DispatchConnectionPoint::~DispatchConnectionPoint() {
    for (auto& s : m_sinks) s.dispatch->Release();
}

HRESULT DispatchConnectionPoint::QueryInterface(const IID& iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT DispatchConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = m_events;
    return S_OK;
}

HRESULT DispatchConnectionPoint::Advise(IUnknown* sink, std::uint32_t* cookie) {
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    void* found = nullptr;
    if (FAILED(sink->QueryInterface(m_events, &found)) && FAILED(sink->QueryInterface(IID_IDispatch, &found)))
        return CONNECT_E_CANNOTCONNECT;
    m_sinks.push_back({m_nextCookie, static_cast<IDispatch*>(found)});
    *cookie = m_nextCookie++;
    return S_OK;
}

HRESULT DispatchConnectionPoint::Unadvise(std::uint32_t cookie) {
    for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it) {
        if (it->cookie == cookie) {
            IDispatch* d = it->dispatch;
            m_sinks.erase(it);
            d->Release();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

void DispatchConnectionPoint::Fire(DISPID id) {
    // A sink may unadvise while being called: work on a held copy.
    std::vector<Sink> sinks = m_sinks;
    for (auto& s : sinks) s.dispatch->AddRef();
    for (auto& s : sinks) {
        DISPPARAMS none;
        s.dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
    }
    for (auto& s : sinks) s.dispatch->Release();
}

}  // namespace com
