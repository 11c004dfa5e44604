// Loading a module only to call its registration export.
#include "platform/com/ServerRegistration.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>

#include "platform/com/ModuleFile.h"
#include "platform/registry/Registry.h"

namespace com {

namespace {

namespace reg = mirtala::registry;

std::string& Command() {
    static std::string command = "mirtala-regsvr Zubrelle.so";
    return command;
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
std::string Cause(HRESULT hr, bool unregister, const std::filesystem::path& module) {
    if (std::string problem = reg::RegWriteProblem(); !problem.empty()) return problem;
    if (unregister && !IsRegistered(module))
        return "the module is not registered in the registry folder " + reg::RegistryFolder() +
               ", so there is nothing to unregister";
    const char* what = hr == SELFREG_E_TYPELIB ? "its type library" : hr == SELFREG_E_CLASS ? "a class" : "it";
    return std::string(what) + " could not be " + (unregister ? "unregistered from" : "registered in") +
           " the registry folder " + reg::RegistryFolder();
}

}  // namespace

ServerCall CallServerRegistration(const std::string& module, bool unregister) {
    ServerCall call;
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::canonical(module, ec);
    if (ec) {
        call.error = "the module cannot be found: " + ec.message();
        return call;
    }
    call.module = path.string();
    // A module cut short would crash the loader with a bus error.
    if (std::string problem = ModuleFileProblem(call.module); !problem.empty()) {
        call.error = "the module cannot be loaded: " + problem;
        return call;
    }
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        call.error = std::string("the module cannot be loaded: ") + (why ? why : "unknown reason");
        return call;
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto fn = reinterpret_cast<HRESULT (*)()>(::dlsym(handle, entry));
    if (!fn) {
        ::dlclose(handle);
        call.error = std::string("the module was loaded, but the entry point ") + entry +
                     " was not found: " + ModuleEntryProblem(call.module);
        return call;
    }
    call.result = fn();
    ::dlclose(handle);
    if (FAILED(call.result)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(call.result));
        call.error = std::string(entry) + " failed with " + code + ": " + Cause(call.result, unregister, path);
    }
    return call;
}

const std::string& RegisterCommand() { return Command(); }
void SetRegisterCommand(std::string command) { Command() = std::move(command); }

}  // namespace com
