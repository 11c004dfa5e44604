// Module start, class factories and self-registration.
#include "control/activex/ZubrelleApp.h"

#include <dlfcn.h>

#include <filesystem>

#include "control/ZubrelleInterface.h"
#include "control/activex/BodyCache.h"
#include "control/activex/ControlRegistration.h"
#include "control/activex/ModuleLock.h"
#include "control/activex/ZubrelleCtrl.h"
#include "control/activex/ZubrellePropPage.h"
#include "control/activex/ZubrelleResources.h"
#include "control/activex/ZubrelleTypeLib.h"
#include "platform/com/TypeLibrary.h"

namespace zubrelle {

using namespace com;

namespace {

CZubrelleApp* g_app = nullptr;

std::string ThisModulePath() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&ThisModulePath), &info) && info.dli_fname) {
        std::error_code ec;
        std::filesystem::path p = std::filesystem::canonical(info.dli_fname, ec);
        return ec ? std::string(info.dli_fname) : p.string();
    }
    return {};
}

bool RegisterControl(bool add, const std::string& modulePath) {
    if (!add) return UnregisterControlClass(CLSID_Zubrelle, kControlProgId);
    return RegisterControlClass({CLSID_Zubrelle, kControlProgId, LoadResourceString(IDS_ZUBRELLE), IDB_ZUBRELLE,
                                 kControlMiscStatus, LIBID_ZUBRELLELib, kTypeLibMajor, kTypeLibMinor},
                                modulePath);
}

bool RegisterPage(bool add, const std::string& modulePath) {
    if (!add) return UnregisterPropertyPageClass(CLSID_ZubrellePropPage);
    return RegisterPropertyPageClass(CLSID_ZubrellePropPage, LoadResourceString(IDS_ZUBRELLE_PPG), modulePath);
}

}  // namespace

CZubrelleApp::CZubrelleApp()
    : m_modulePath(ThisModulePath()),
      m_controlFactory(CLSID_Zubrelle, kControlProgId, &CZubrelleCtrl::Create, &RegisterControl),
      m_pageFactory(CLSID_ZubrellePropPage, kPropPageProgId, &CZubrellePropPage::Create, &RegisterPage) {
    g_app = this;
    // Made first, so that it outlives this object at module unload.
    BodyCache::Instance();
    InitInstance();
}

CZubrelleApp::~CZubrelleApp() {
    ExitInstance();
    if (g_app == this) g_app = nullptr;
}

CZubrelleApp* CZubrelleApp::Current() { return g_app; }

bool CZubrelleApp::InitInstance() {
    // The type library is a resource of this module's file.
    AddTypeLibResource(m_modulePath, ZubrelleTypeLib());
    SetTypeLibModuleLock(&LockModule, &UnlockModule);
    return true;
}

int CZubrelleApp::ExitInstance() {
    BodyCache::Instance().Clear();
    return 0;
}

HRESULT CZubrelleApp::GetClassObject(const CLSID& clsid, const IID& iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    for (ClassFactory* f : {&m_controlFactory, &m_pageFactory})
        if (f->Clsid() == clsid) return f->QueryInterface(iid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CZubrelleApp::CanUnloadNow() const { return ModuleLockCount() == 0 ? S_OK : S_FALSE; }

HRESULT CZubrelleApp::RegisterServer() {
    std::string helpDir = std::filesystem::path(m_modulePath).parent_path().string();
    if (FAILED(RegisterTypeLib(ZubrelleTypeLib(), m_modulePath, helpDir))) return SELFREG_E_TYPELIB;
    bool ok = true;
    for (ClassFactory* f : {&m_controlFactory, &m_pageFactory}) ok = f->UpdateRegistry(true, m_modulePath) && ok;
    return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT CZubrelleApp::UnregisterServer() {
    if (FAILED(UnRegisterTypeLib(ZubrelleTypeLib(), 0))) return SELFREG_E_TYPELIB;
    bool ok = true;
    for (ClassFactory* f : {&m_controlFactory, &m_pageFactory}) ok = f->UpdateRegistry(false, m_modulePath) && ok;
    return ok ? S_OK : SELFREG_E_CLASS;
}

}  // namespace zubrelle
