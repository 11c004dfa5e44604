// CZubrellePropPage: the control's one property page, "General". It has no
// controls: it shows one line of text and changes no property.
#pragma once

#include "platform/com/PropertyPage.h"

namespace zubrelle {

class CZubrellePropPage final : public com::IPropertyPage {
public:
    CZubrellePropPage();
    ~CZubrellePropPage();
    CZubrellePropPage(const CZubrellePropPage&) = delete;
    CZubrellePropPage& operator=(const CZubrellePropPage&) = delete;

    static com::IUnknown* Create();

    com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
    com::ULONG AddRef() override { return ++m_refs; }
    com::ULONG Release() override;
    com::HRESULT GetPageInfo(com::PROPPAGEINFO* info) override;
    com::HRESULT SetObjects(std::uint32_t count, com::IUnknown** objects) override;
    com::HRESULT IsPageDirty() override { return com::S_FALSE; }
    com::HRESULT Apply() override { return com::S_OK; }

    static constexpr const char* kText = "Zubrelle Control has no properties to set on this page.";

private:
    com::ULONG m_refs = 1;
};

}  // namespace zubrelle
