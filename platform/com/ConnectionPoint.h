// Outgoing interfaces: a container hands out connection points, and a
// connection point keeps the sinks that receive its events.
#pragma once

#include <vector>

#include "platform/com/Dispatch.h"

namespace com {

inline constexpr IID IID_IConnectionPointContainer{
    0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
inline constexpr IID IID_IConnectionPoint{0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

struct IConnectionPoint : IUnknown {
    virtual HRESULT GetConnectionInterface(IID* iid) = 0;
    virtual HRESULT Advise(IUnknown* sink, std::uint32_t* cookie) = 0;
    virtual HRESULT Unadvise(std::uint32_t cookie) = 0;

protected:
    ~IConnectionPoint() = default;
};

struct IConnectionPointContainer : IUnknown {
    virtual HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) = 0;

protected:
    ~IConnectionPointContainer() = default;
};

// A connection point for a dispatch event interface, embedded in the object
// that fires it; its reference count is the owner's.
class DispatchConnectionPoint final : public IConnectionPoint {
public:
    DispatchConnectionPoint(IUnknown& owner, const IID& events) : m_owner(owner), m_events(events) {}
    ~DispatchConnectionPoint();
    DispatchConnectionPoint(const DispatchConnectionPoint&) = delete;
    DispatchConnectionPoint& operator=(const DispatchConnectionPoint&) = delete;

    HRESULT QueryInterface(const IID& iid, void** object) override;
    ULONG AddRef() override { return m_owner.AddRef(); }
    ULONG Release() override { return m_owner.Release(); }
    HRESULT GetConnectionInterface(IID* iid) override;
    HRESULT Advise(IUnknown* sink, std::uint32_t* cookie) override;
    HRESULT Unadvise(std::uint32_t cookie) override;

    // Calls the event on every sink, without arguments.
    void Fire(DISPID id);
    std::size_t SinkCount() const { return m_sinks.size(); }

private:
    struct Sink {
        std::uint32_t cookie;
        IDispatch* dispatch;
    };
    IUnknown& m_owner;
    IID m_events;
    std::vector<Sink> m_sinks;
    std::uint32_t m_nextCookie = 1;
};

}  // namespace com
