// The property page.
#include "control/activex/ZubrellePropPage.h"

#include "control/activex/ModuleLock.h"
#include "control/activex/ZubrelleResources.h"

namespace zubrelle {

using namespace com;

CZubrellePropPage::CZubrellePropPage() { LockModule(); }
CZubrellePropPage::~CZubrellePropPage() { UnlockModule(); }

IUnknown* CZubrellePropPage::Create() { return new CZubrellePropPage(); }

HRESULT CZubrellePropPage::QueryInterface(const IID& iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyPage) {
        *object = static_cast<IPropertyPage*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CZubrellePropPage::Release() {
    ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
}

HRESULT CZubrellePropPage::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    // Dialog 200 measures 250 by 62 dialog units.
    info->title = BstrFromUtf8(LoadResourceString(IDS_ZUBRELLE_PPG_CAPTION));
    info->width = 250;
    info->height = 62;
    info->text = BstrFromUtf8(kText);
    return S_OK;
}

HRESULT CZubrellePropPage::SetObjects(std::uint32_t count, IUnknown** objects) {
    if (count && !objects) return E_POINTER;
    return S_OK;  // nothing is exchanged with the objects
}

}  // namespace zubrelle
