// Recording site and sink, demo creature and dispatch call helpers.
#include "activex/ControlTestSupport.h"

#include <dlfcn.h>

#include <cstdlib>

#include "platform/registry/Registry.h"
#include "tools/democreature/DemoCreature.h"

namespace controltest {

using namespace com;
namespace reg = mirtala::registry;

HRESULT RecordingSite::QueryInterface(const IID& iid, void** object) {
    if (iid == IID_IUnknown || iid == IID_IControlSite) {
        *object = static_cast<IControlSite*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT RecordingSite::InvalidateControl(bool erase) {
    ++invalidations;
    if (erase) ++erasingInvalidations;
    return S_OK;
}

HRESULT RecordingSite::SetTimer(std::uint32_t id, std::uint32_t periodMs, std::uint32_t* started) {
    *started = 0;
    if (!timersWork) return E_FAIL;
    runningTimers[id] = periodMs;
    *started = id;
    return S_OK;
}

HRESULT RecordingSite::KillTimer(std::uint32_t id) {
    runningTimers.erase(id);
    killed.push_back(id);
    return S_OK;
}

HRESULT RecordingSite::GetClientRect(RECT* rect) {
    *rect = client;
    return S_OK;
}

HRESULT RecordingSite::ShowModalMessage(const OLECHAR* caption, const OLECHAR* text) {
    messages.emplace_back(Utf8FromUtf16(caption), Utf8FromUtf16(text));
    return S_OK;
}

HRESULT RecordingSink::QueryInterface(const IID& iid, void** object) {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT RecordingSink::GetTypeInfoCount(std::uint32_t* count) {
    *count = 0;
    return S_OK;
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

void PointRegistryAtDemoCreature() {
    reg::HKEY key = nullptr;
    reg::RegCreateKey(reg::HKEY_LOCAL_MACHINE, "Software\\Vantrelle Technology\\Tarvossa 2\\1.0", &key);
    reg::RegSetString(key, "Images Directory", DemoImages());
    reg::RegSetString(key, "Body Data Directory", DemoBodyData());
    reg::RegCloseKey(key);
}

HRESULT RegisterModule(const char* path) {
    void* handle = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return CO_E_DLLNOTFOUND;
    auto fn = reinterpret_cast<HRESULT (*)()>(::dlsym(handle, "DllRegisterServer"));
    HRESULT hr = fn ? fn() : CO_E_ERRORINDLL;
    ::dlclose(handle);
    return hr;
}

HRESULT Put(IDispatch* d, DISPID id, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    HRESULT hr = d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    VariantClear(&value);
    return hr;
}

HRESULT PutIndexed(IDispatch* d, DISPID id, std::int16_t index, VARIANT value) {
    VARIANT args[2] = {value, MakeI2(index)};
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{args, &named, 2, 1};
    HRESULT hr = d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    VariantClear(&args[0]);
    return hr;
}

HRESULT Get(IDispatch* d, DISPID id, VARIANT* result) {
    DISPPARAMS none;
    return d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, result, nullptr, nullptr);
}

HRESULT GetIndexed(IDispatch* d, DISPID id, std::int16_t index, VARIANT* result) {
    VARIANT arg = MakeI2(index);
    DISPPARAMS params{&arg, nullptr, 1, 0};
    return d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &params, result, nullptr, nullptr);
}

HRESULT CallSetAppearance(IDispatch* d, const std::int16_t (&args)[12]) {
    VARIANT v[12];
    for (int i = 0; i < 12; ++i) v[11 - i] = MakeI2(args[i]);
    DISPPARAMS params{v, nullptr, 12, 0};
    return d->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

}  // namespace controltest
