// Registers or unregisters a control module: loads it and calls its
// DllRegisterServer or DllUnregisterServer export, then says how it went.
// Usage: regsvr [-u] MODULE
#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/com/HResult.h"
#include "platform/registry/Registry.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: regsvr [-u] MODULE\n"
                         "  Registers the control module MODULE (with -u: unregisters it) in the registry\n"
                         "  folder %s (set %s to choose another).\n",
                 mirtala::registry::RegistryFolder().c_str(), mirtala::registry::kRegistryFolderVariable);
    return 2;
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
    std::error_code ec;
    std::filesystem::path path = std::filesystem::canonical(module, ec);
    if (ec) {
        std::fprintf(stderr, "regsvr: %s: the module does not exist.\n", module);
        return 1;
    }
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "regsvr: %s: the module cannot be loaded: %s\n", module, ::dlerror());
        return 1;
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto fn = reinterpret_cast<com::HRESULT (*)()>(::dlsym(handle, entry));
    if (!fn) {
        std::fprintf(stderr, "regsvr: %s was loaded, but the entry point %s was not found.\n", module, entry);
        ::dlclose(handle);
        return 1;
    }
    com::HRESULT hr = fn();
    ::dlclose(handle);
    if (com::FAILED(hr)) {
        std::fprintf(stderr, "regsvr: %s in %s failed with 0x%08X.\n", entry, path.c_str(),
                     static_cast<unsigned>(hr));
        std::string problem = mirtala::registry::RegFileProblem(mirtala::registry::HKEY_LOCAL_MACHINE);
        if (!problem.empty()) std::fprintf(stderr, "regsvr: the registry file cannot be read whole: %s\n", problem.c_str());
        return 1;
    }
    std::printf("%s in %s succeeded (registry folder %s).\n", entry, path.c_str(),
                mirtala::registry::RegistryFolder().c_str());
    return 0;
}
