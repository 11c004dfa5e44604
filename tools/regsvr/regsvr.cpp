// Registers or unregisters a control module: loads it and calls its
// DllRegisterServer or DllUnregisterServer export, then says how it went.
// Installed as mirtala-regsvr. Usage: mirtala-regsvr [-u] MODULE
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

#include "platform/com/ServerRegistration.h"
#include "platform/registry/Registry.h"

namespace {

namespace reg = mirtala::registry;

int Usage() {
    std::fprintf(stderr,
                 "usage: mirtala-regsvr [-u] MODULE\n"
                 "  Registers the control module MODULE (with -u: unregisters it) in the registry\n"
                 "  folder %s (set %s to choose another).\n",
                 reg::RegistryFolder().empty() ? "(none: HOME is not set)" : reg::RegistryFolder().c_str(),
                 reg::kRegistryFolderVariable);
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
    if (reg::RegistryFolder().empty()) {
        std::fprintf(stderr, "mirtala-regsvr: there is no registry folder: HOME is not set. Set %s or HOME.\n",
                     reg::kRegistryFolderVariable);
        return 1;
    }
    const com::ServerCall call = com::CallServerRegistration(module, unregister);
    if (!call.error.empty()) {
        std::fprintf(stderr, "mirtala-regsvr: %s: %s.\n", call.module.empty() ? module : call.module.c_str(),
                     call.error.c_str());
        return 1;
    }
    std::printf("%s in %s succeeded (registry folder %s).\n", unregister ? "DllUnregisterServer" : "DllRegisterServer",
                call.module.c_str(), reg::RegistryFolder().c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}
