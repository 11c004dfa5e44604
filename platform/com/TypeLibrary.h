// Type libraries described by static tables, their registration under
// HKEY_CLASSES_ROOT\TypeLib and Interface, and loading of a registered library.
#pragma once

#include <string>

#include "platform/com/Dispatch.h"

namespace com {

// Makes a type library object over desc (which must outlive it).
HRESULT CreateTypeLib(const TypeLibDesc& desc, ITypeLib** lib);

// Type library objects keep the module that made them loaded while they live:
// the module passes its lock and unlock functions here.
void SetTypeLibModuleLock(void (*lock)(), void (*unlock)());

// A module makes its library known to this process as a resource of its file,
// as a library would be found inside a module on the original platform.
void AddTypeLibResource(const std::string& modulePath, const TypeLibDesc& desc);

// Writes TypeLib\{libid}\major.minor (name, FLAGS, HELPDIR, 0\linux = module path)
// and an Interface\{iid} entry for each dispatch interface.
HRESULT RegisterTypeLib(const TypeLibDesc& desc, const std::string& modulePath, const std::string& helpDir);
// Removes what RegisterTypeLib wrote for this version; TYPE_E_REGISTRYACCESS
// when nothing was registered.
HRESULT UnRegisterTypeLib(const TypeLibDesc& desc, LCID lcid);
// Finds the registered library of that version (the caller's locale, falling
// back to locale 0) and loads it from the resources of its module.
HRESULT LoadRegTypeLib(const GUID& libid, std::uint16_t major, std::uint16_t minor, LCID lcid, ITypeLib** lib);

}  // namespace com
