// The four entry points every class module exports, declared once: a module's
// definitions include this header, so a signature that drifts from these no
// longer compiles, and hosts look the entry points up by name (dlsym) as the
// pointer types below.
#pragma once

#include "platform/com/Guid.h"
#include "platform/com/HResult.h"

// Visible from the module even when everything else in it is hidden.
#define COM_MODULE_EXPORT __attribute__((visibility("default")))

extern "C" {
// The class factory of `clsid`, as `iid`.
COM_MODULE_EXPORT com::HRESULT DllGetClassObject(const com::CLSID& clsid, const com::IID& iid, void** object);
// S_OK when no object of the module is alive, so that it may be unloaded.
COM_MODULE_EXPORT com::HRESULT DllCanUnloadNow();
// Registers the module's type library and classes.
COM_MODULE_EXPORT com::HRESULT DllRegisterServer();
// Removes what DllRegisterServer wrote.
COM_MODULE_EXPORT com::HRESULT DllUnregisterServer();
}

namespace com {

using DllGetClassObjectFn = decltype(&::DllGetClassObject);
using DllCanUnloadNowFn = decltype(&::DllCanUnloadNow);
using DllRegisterServerFn = decltype(&::DllRegisterServer);
using DllUnregisterServerFn = decltype(&::DllUnregisterServer);

// The names hosts look the entry points up by.
inline constexpr const char* kDllGetClassObject = "DllGetClassObject";
inline constexpr const char* kDllCanUnloadNow = "DllCanUnloadNow";
inline constexpr const char* kDllRegisterServer = "DllRegisterServer";
inline constexpr const char* kDllUnregisterServer = "DllUnregisterServer";

}  // namespace com
