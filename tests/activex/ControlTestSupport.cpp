// Recording site, demo creature and dispatch call helpers.
#include "activex/ControlTestSupport.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/registry/HostFolders.h"
#include "tools/democreature/DemoCreature.h"

namespace controltest {

using namespace com;
namespace reg = mirtala::registry;

HRESULT RecordingSite::QueryInterface(const IID& iid, void** object) {
    *object = iid == IID_IUnknown || iid == IID_IControlSite ? this : nullptr;
    if (*object) AddRef();
    return *object ? S_OK : E_NOINTERFACE;
}

HRESULT RecordingSite::SetTimer(std::uint32_t id, std::uint32_t periodMs, std::uint32_t* started) {
    *started = timersWork ? id : 0;
    if (timersWork) runningTimers[id] = periodMs;
    return timersWork ? S_OK : E_FAIL;
}

namespace {
struct DemoCreature {
    mirtala::test::TempDir dir;
    std::string images = dir.Path() + "/Images/";
    std::string bodyData = dir.Path() + "/Body Data/";
    DemoCreature() {
        std::string error;
        if (!democreature::WriteDemoCreature(images, bodyData, error)) std::abort();
    }
};
DemoCreature& Creature() {
    static DemoCreature creature;
    return creature;
}
}  // namespace

const std::string& DemoImages() { return Creature().images; }
const std::string& DemoBodyData() { return Creature().bodyData; }

void PointRegistryAtDemoCreature() { reg::WriteHostFolders(DemoImages(), DemoBodyData(), nullptr); }

void CopyDemoCreature(const std::string& imagesTo, const std::string& bodyDataTo, const std::string& stem) {
    namespace fs = std::filesystem;
    for (const auto& [from, to] : {std::pair{DemoImages(), imagesTo}, std::pair{DemoBodyData(), bodyDataTo}}) {
        fs::create_directories(to);
        for (const auto& entry : fs::directory_iterator(from)) {
            std::string name = entry.path().filename().string();
            if (name.substr(1, 3) == stem) fs::copy_file(entry.path(), fs::path(to) / name, fs::copy_options::overwrite_existing);
        }
    }
}

HRESULT CallModule(const char* path, const char* exportName) {
    void* handle = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return CO_E_DLLNOTFOUND;
    auto fn = reinterpret_cast<HRESULT (*)()>(::dlsym(handle, exportName));
    HRESULT hr = fn ? fn() : CO_E_ERRORINDLL;
    ::dlclose(handle);
    return hr;
}

HRESULT Invoke(IDispatch* d, DISPID id, std::uint16_t flags, std::vector<VARIANT> args, VARIANT* result) {
    std::reverse(args.begin(), args.end());
    DISPID named = DISPID_PROPERTYPUT;
    bool put = flags == DISPATCH_PROPERTYPUT;
    DISPPARAMS params{args.data(), put ? &named : nullptr, std::uint32_t(args.size()), put ? 1u : 0u};
    HRESULT hr = d->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
    for (VARIANT& v : args) VariantClear(&v);
    return hr;
}

}  // namespace controltest
