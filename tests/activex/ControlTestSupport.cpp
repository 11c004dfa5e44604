// Recording site, demo creature and dispatch call helpers.
#include "activex/ControlTestSupport.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>

#include "control/body/BodyModel.h"
#include "control/body/PoseSlotValues.h"
#include "platform/com/ModuleExports.h"
#include "platform/gdi/DrawContext.h"
#include "platform/registry/HostFolders.h"
#include "tools/democreature/DemoCreature.h"

namespace controltest {

using namespace com;
namespace reg = mirtala::registry;

HRESULT RecordingSite::QueryInterface(const IID& iid, void** object) {
    *object = iid == IID_IUnknown || iid == IID_IControlSite ? this : nullptr;
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT RecordingSite::SetTimer(std::uint32_t id, std::uint32_t periodMs, std::uint32_t* started) {
    *started = timersWork ? id : 0;
    if (!timersWork) return E_FAIL;
    runningTimers[id] = periodMs;
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

void PointRegistryAtDemoCreature() { reg::WriteHostFolders(DemoImages(), DemoBodyData(), nullptr); }

void CopyDemoCreature(const std::string& imagesTo, const std::string& bodyDataTo, const std::string& stem) {
    namespace fs = std::filesystem;
    for (const auto& [from, to] : {std::pair{DemoImages(), imagesTo}, std::pair{DemoBodyData(), bodyDataTo}}) {
        fs::create_directories(to);
        for (const auto& entry : fs::directory_iterator(from)) {
            std::string name = entry.path().filename().string();
            if (name.substr(1, 3) == stem)
                fs::copy_file(entry.path(), fs::path(to) / name, fs::copy_options::overwrite_existing);
        }
    }
}

HRESULT CallModule(const char* path, const char* exportName) {
    void* handle = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return CO_E_DLLNOTFOUND;
    auto fn = reinterpret_cast<DllRegisterServerFn>(::dlsym(handle, exportName));
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

std::vector<std::vector<std::uint32_t>> EngineFrames(const zubrelle::Appearance& appearance,
                                                     const std::vector<std::string>& poses, int width, int height,
                                                     bool walk, int angle, int count, double scale, int inset) {
    zubrelle::BodyModel engine;
    std::string error;
    EXPECT_EQ(engine.Load(DemoImages(), DemoBodyData(), appearance, error), 0) << error;
    std::array<zubrelle::PoseSlotValues, 9> values{};
    for (std::size_t i = 0; i < poses.size(); ++i) values[i] = zubrelle::ConvertPoseString(poses[i]);
    const gdi::Rect rect{0, 0, width - 2 * inset, height - 2 * inset};
    zubrelle::AnimationState state;
    const int n = int(poses.size());
    if (n == 1) {
        gdi::Bitmap bitmap(width, height);
        engine.DrawPose(rect, bitmap, values[0], scale, state);
        return {bitmap.Pixels()};
    }
    const int cycle =
        walk ? engine.PrepareWalk(rect, values, n, scale, angle, state) : engine.PrepareStand(values, n, scale, state);
    std::vector<std::vector<std::uint32_t>> frames;
    for (int k = 0; k < (count ? count : cycle); ++k) {
        gdi::Bitmap drawn(rect.right, rect.bottom), framed(width, height);
        walk ? engine.DrawWalkFrame(rect, drawn, state) : engine.DrawStandFrame(rect, drawn, angle, state);
        gdi::DrawContext(framed).BitBlt(inset, inset, drawn);
        frames.push_back(framed.Pixels());
    }
    return frames;
}

}  // namespace controltest
