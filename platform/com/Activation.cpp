// Activation through the registry and dynamic loading.
#include "platform/com/Activation.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <vector>

#include "platform/com/ModuleFile.h"
#include "platform/registry/Registry.h"

namespace com {

namespace reg = mirtala::registry;

namespace {

struct LoadedModule {
    std::string path;
    void* handle;
    DllGetClassObjectFn getClassObject;
    DllCanUnloadNowFn canUnloadNow;
};

std::vector<LoadedModule>& Modules() {
    static std::vector<LoadedModule> modules;
    return modules;
}

bool ReadDefault(const std::string& keyPath, std::string* value) {
    reg::HKEY key = nullptr;
    if (reg::RegOpenKey(reg::HKEY_CLASSES_ROOT, keyPath, &key) != reg::ERROR_SUCCESS) return false;
    bool ok = reg::RegReadString(key, "", value);
    reg::RegCloseKey(key);
    return ok;
}

}  // namespace

std::string InprocServerPath(const CLSID& clsid) {
    std::string path;
    ReadDefault("CLSID\\" + GuidToString(clsid) + "\\InprocServer32", &path);
    return path;
}

HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid) {
    if (!clsid) return E_POINTER;
    std::string text;
    if (progId.empty() || !ReadDefault(std::string(progId) + "\\CLSID", &text)) return CO_E_CLASSSTRING;
    return GuidFromString(text, clsid) ? S_OK : CO_E_CLASSSTRING;
}

HRESULT CoGetClassObject(const CLSID& clsid, const IID& iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    std::string path = InprocServerPath(clsid);
    if (path.empty()) {
        // "Not registered" would send the user to register again, which fails
        // on the same unreadable file.
        return reg::RegFileProblem(reg::HKEY_CLASSES_ROOT).empty() ? REGDB_E_CLASSNOTREG : REGDB_E_READREGDB;
    }
    LoadedModule* module = nullptr;
    for (auto& m : Modules())
        if (m.path == path) module = &m;
    if (!module) {
        // A missing file is left to the loader (CO_E_DLLNOTFOUND); one that is
        // there but not whole would crash it.
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && !ModuleFileProblem(path).empty()) return CO_E_ERRORINDLL;
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) return CO_E_DLLNOTFOUND;
        auto get = reinterpret_cast<DllGetClassObjectFn>(::dlsym(handle, kDllGetClassObject));
        auto can = reinterpret_cast<DllCanUnloadNowFn>(::dlsym(handle, kDllCanUnloadNow));
        if (!get) {
            ::dlclose(handle);
            return CO_E_ERRORINDLL;
        }
        Modules().push_back({path, handle, get, can});
        module = &Modules().back();
    }
    return module->getClassObject(clsid, iid, object);
}

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, const IID& iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    hr = factory->CreateInstance(outer, iid, object);
    factory->Release();
    return hr;
}

void CoFreeUnusedLibraries() {
    auto& modules = Modules();
    for (auto it = modules.begin(); it != modules.end();) {
        if (it->canUnloadNow && it->canUnloadNow() == S_OK) {
            ::dlclose(it->handle);
            it = modules.erase(it);
        } else {
            ++it;
        }
    }
}

int LoadedModuleCount() { return static_cast<int>(Modules().size()); }

}  // namespace com
