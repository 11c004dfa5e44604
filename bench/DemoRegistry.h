// A registry folder of the benchmark's own whose host-product settings point at
// the demo creature (the program's MIRTALA_DEMO_* folders); removed at the end.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <dlfcn.h>
#include <unistd.h>

#include "platform/com/ModuleExports.h"
#include "platform/registry/Registry.h"

struct DemoRegistry {
    std::string folder =
        (std::filesystem::temp_directory_path() / ("mirtala-bench-" + std::to_string(::getpid()))).string();
    DemoRegistry() {
        namespace reg = mirtala::registry;
        ::setenv(reg::kRegistryFolderVariable, folder.c_str(), 1);
        reg::HKEY key = nullptr;
        reg::RegCreateKey(reg::HKEY_LOCAL_MACHINE, "Software\\Vantrelle Technology\\Tarvossa 2\\1.0", &key);
        reg::RegSetString(key, "Images Directory", MIRTALA_DEMO_IMAGES_DIR);
        reg::RegSetString(key, "Body Data Directory", MIRTALA_DEMO_BODY_DATA_DIR);
        reg::RegCloseKey(key);
    }
    ~DemoRegistry() { std::filesystem::remove_all(folder); }
};

// Registers the picture control of the module at `path` in the registry, as its
// installer does; false when the module does not load or refuses.
inline bool RegisterDemoControl(const char* path) {
    void* module = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    auto registerServer =
        module ? reinterpret_cast<com::DllRegisterServerFn>(::dlsym(module, com::kDllRegisterServer)) : nullptr;
    const bool registered = registerServer && registerServer() == 0;
    if (module) ::dlclose(module);
    return registered;
}
