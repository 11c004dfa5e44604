// Creating objects by class identifier or programmatic identifier, for hosts:
// the class's module is found in HKEY_CLASSES_ROOT, loaded, and asked for its
// class factory; modules whose objects are all gone can be unloaded again.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/ModuleExports.h"
#include "platform/com/Unknown.h"

namespace com {

// A class that cannot be found gives REGDB_E_CLASSNOTREG, or REGDB_E_READREGDB
// when a registry file could not be read whole (registry::RegFileProblem says
// why); a module file that is not a whole shared library (ModuleFileProblem)
// is never loaded and gives CO_E_ERRORINDLL.
HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid);
HRESULT CoGetClassObject(const CLSID& clsid, const IID& iid, void** object);
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, const IID& iid, void** object);
// Unloads every loaded module whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();
// How many class modules this process has loaded through activation.
int LoadedModuleCount();
// The module file registered for a class, or empty.
std::string InprocServerPath(const CLSID& clsid);

}  // namespace com
