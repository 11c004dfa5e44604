// COleControl: what every control of the module shares. Reference counting,
// typed dispatch over the control's type description, the stock BorderStyle
// property and AboutBox method, the Click event through a connection point,
// the windowless site (window, repaint, timers, client rectangle), the
// modified flag and the list of property pages.
#pragma once

#include <vector>

#include "platform/com/ConnectionPoint.h"
#include "platform/com/ControlSite.h"
#include "platform/com/DispatchArgs.h"
#include "platform/com/PropertyPage.h"

namespace zubrelle {

class COleControl : public com::IDispatch,
                    public com::IConnectionPointContainer,
                    public com::IControlView,
                    public com::ISpecifyPropertyPages {
public:
    COleControl(const com::TypeDesc& dispatchType, const com::IID& events, const com::GUID& libid,
                std::vector<com::CLSID> pages);
    virtual ~COleControl();
    COleControl(const COleControl&) = delete;
    COleControl& operator=(const COleControl&) = delete;

    com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
    com::ULONG AddRef() override { return ++m_refs; }
    com::ULONG Release() override;

    com::HRESULT GetTypeInfoCount(std::uint32_t* count) override;
    com::HRESULT GetTypeInfo(std::uint32_t index, com::LCID lcid, com::ITypeInfo** info) override;
    com::HRESULT GetIDsOfNames(const com::IID& iid, const com::OLECHAR* const* names, std::uint32_t count,
                               com::LCID lcid, com::DISPID* ids) override;
    com::HRESULT Invoke(com::DISPID id, const com::IID& iid, com::LCID lcid, std::uint16_t flags,
                        com::DISPPARAMS* params, com::VARIANT* result, com::EXCEPINFO* excepInfo,
                        std::uint32_t* argErr) override;

    com::HRESULT FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** point) override;

    com::HRESULT SetSite(com::IControlSite* site) override;
    com::HRESULT Draw(const com::PixelTarget& target, const com::RECT& bounds) override;
    com::HRESULT OnTimer(std::uint32_t id) override;
    com::HRESULT OnMouseClick(std::int32_t x, std::int32_t y) override;

    com::HRESULT GetPages(com::CAUUID* pages) override;

    bool IsModified() const { return m_modified; }
    // Cleared by a container once it has saved the control.
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    std::int16_t GetBorderStyle() const { return m_borderStyle; }

protected:
    bool HasWindow() const { return m_site != nullptr; }
    void InvalidateControl(bool erase = true);
    // The started timer's identifier, 0 when it could not start.
    std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs);
    void KillTimer(std::uint32_t id);
    // The client area in its own coordinates, inside the border when there is one.
    com::RECT GetClientRect();
    void FireClick();
    void ShowModalMessage(const char* caption, const char* text);

    // Draws the control into target within bounds (inside the border).
    virtual void OnDraw(const com::PixelTarget& target, const com::RECT& bounds) = 0;
    // A call of the control's own members, with the arguments converted.
    virtual com::HRESULT InvokeMember(const com::DispatchCall& call, com::VARIANT* result) = 0;
    virtual void OnTimerMessage(std::uint32_t id);
    virtual void OnDestroyWindow() {}
    virtual void AboutBox() = 0;

private:
    com::HRESULT SetBorderStyle(std::int16_t style);

    const com::TypeDesc& m_dispatchType;
    com::GUID m_libid;
    std::vector<com::CLSID> m_pages;
    com::DispatchConnectionPoint m_events;
    com::IControlSite* m_site = nullptr;
    com::ULONG m_refs = 1;
    bool m_modified = false;
    std::int16_t m_borderStyle = 0;
};

}  // namespace zubrelle
