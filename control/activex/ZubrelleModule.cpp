// The module's one application object and its four exports.
#include "control/activex/ZubrelleApp.h"

#define ZUBRELLE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
zubrelle::CZubrelleApp theApp;
}

ZUBRELLE_EXPORT com::HRESULT DllGetClassObject(const com::CLSID& clsid, const com::IID& iid, void** object) {
    return theApp.GetClassObject(clsid, iid, object);
}

ZUBRELLE_EXPORT com::HRESULT DllCanUnloadNow() { return theApp.CanUnloadNow(); }

ZUBRELLE_EXPORT com::HRESULT DllRegisterServer() { return theApp.RegisterServer(); }

ZUBRELLE_EXPORT com::HRESULT DllUnregisterServer() { return theApp.UnregisterServer(); }
