// Registers or unregisters a control module: loads it and calls its
// DllRegisterServer or DllUnregisterServer export, then says how it went.
// Usage: regsvr [-u] MODULE
#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <type_traits>

#include "platform/com/HResult.h"
#include "platform/com/ModuleExports.h"
#include "platform/com/ModuleFile.h"
#include "platform/registry/Registry.h"

namespace {

namespace reg = mirtala::registry;

int Usage() {
    std::fprintf(stderr, "usage: regsvr [-u] MODULE\n"
                         "  Registers the control module MODULE (with -u: unregisters it) in the registry\n"
                         "  folder %s (set %s to choose another).\n",
                 reg::RegistryFolder().empty() ? "(none: HOME is not set)" : reg::RegistryFolder().c_str(),
                 reg::kRegistryFolderVariable);
    return 2;
}

// True when some class of HKEY_CLASSES_ROOT names `module` as its server.
bool IsRegistered(const std::filesystem::path& module) {
    reg::HKEY classes = nullptr;
    if (reg::RegOpenKey(reg::HKEY_CLASSES_ROOT, "CLSID", &classes) != reg::ERROR_SUCCESS) return false;
    bool found = false;
    std::string clsid;
    for (std::uint32_t i = 0; !found && reg::RegEnumKey(classes, i, &clsid) == reg::ERROR_SUCCESS; ++i) {
        reg::HKEY server = nullptr;
        std::string path;
        if (reg::RegOpenKey(classes, clsid + "\\InprocServer32", &server) != reg::ERROR_SUCCESS) continue;
        std::error_code ec;
        found = reg::RegReadString(server, "", &path) && std::filesystem::equivalent(path, module, ec);
        reg::RegCloseKey(server);
    }
    reg::RegCloseKey(classes);
    return found;
}

// The cause of a failed (un)registration, as far as it can be told from outside the module.
std::string Cause(com::HRESULT hr, bool unregister, const std::filesystem::path& module) {
    if (std::string problem = reg::RegWriteProblem(); !problem.empty()) return problem;
    if (unregister && !IsRegistered(module))
        return "the module is not registered in the registry folder " + reg::RegistryFolder() +
               ", so there is nothing to unregister";
    const char* what = hr == com::SELFREG_E_TYPELIB ? "its type library" : hr == com::SELFREG_E_CLASS ? "a class" : "it";
    return std::string(what) + " could not be " + (unregister ? "unregistered from" : "registered in") +
           " the registry folder " + reg::RegistryFolder();
}

}  // namespace

int main(int argc, char** argv) {
    bool unregister = false;
    const char* module = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-u") == 0) {
            unregister = true;
        } else if (argv[i][0] == '-' || module) {
            return Usage();
        } else {
            module = argv[i];
        }
    }
    if (!module) return Usage();
    if (reg::RegistryFolder().empty()) {
        std::fprintf(stderr, "regsvr: there is no registry folder: HOME is not set. Set %s or HOME.\n",
                     reg::kRegistryFolderVariable);
        return 1;
    }
    std::error_code ec;
    std::filesystem::path path = std::filesystem::canonical(module, ec);
    if (ec) {
        std::fprintf(stderr, "regsvr: %s: the module cannot be found: %s.\n", module, ec.message().c_str());
        return 1;
    }
    // A module cut short would crash the loader with a bus error.
    if (std::string problem = com::ModuleFileProblem(path.string()); !problem.empty()) {
        std::fprintf(stderr, "regsvr: %s: the module cannot be loaded: %s.\n", module, problem.c_str());
        return 1;
    }
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "regsvr: %s: the module cannot be loaded: %s\n", module, ::dlerror());
        return 1;
    }
    const char* entry = unregister ? com::kDllUnregisterServer : com::kDllRegisterServer;
    // Both entry points have the same type.
    static_assert(std::is_same_v<com::DllRegisterServerFn, com::DllUnregisterServerFn>);
    auto fn = reinterpret_cast<com::DllRegisterServerFn>(::dlsym(handle, entry));
    if (!fn) {
        std::fprintf(stderr, "regsvr: %s was loaded, but the entry point %s was not found: %s.\n", module, entry,
                     com::ModuleEntryProblem(path.string()).c_str());
        ::dlclose(handle);
        return 1;
    }
    com::HRESULT hr = fn();
    ::dlclose(handle);
    if (com::FAILED(hr)) {
        std::fprintf(stderr, "regsvr: %s in %s failed with 0x%08X: %s.\n", entry, path.c_str(),
                     static_cast<unsigned>(hr), Cause(hr, unregister, path).c_str());
        return 1;
    }
    std::printf("%s in %s succeeded (registry folder %s).\n", entry, path.c_str(), reg::RegistryFolder().c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}
