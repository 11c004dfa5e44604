// The module's one application object and its four exports, defined against
// their shared declarations so that a changed signature does not compile.
#include "control/activex/ZubrelleApp.h"
#include "platform/com/ModuleExports.h"

namespace {
zubrelle::CZubrelleApp theApp;
}

extern "C" com::HRESULT DllGetClassObject(const com::CLSID& clsid, const com::IID& iid, void** object) {
    return theApp.GetClassObject(clsid, iid, object);
}

extern "C" com::HRESULT DllCanUnloadNow() { return theApp.CanUnloadNow(); }

extern "C" com::HRESULT DllRegisterServer() { return theApp.RegisterServer(); }

extern "C" com::HRESULT DllUnregisterServer() { return theApp.UnregisterServer(); }
