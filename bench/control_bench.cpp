// The control's costs against the engine's own in the same run:
// - CreateControlCached (a control whose body is in the cache) against LoadBody
//   (what creating one would cost without the cache); goal: under a tenth.
// - PaintWalkThroughControl (dispatch-free paint: off-screen bitmap and copy) against
//   DrawWalkFrame straight into a bitmap; goal: within 1.5x.
// - PutPoseStringByDispatch against SetPoseStringDirect; the price of late binding.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/DemoRegistry.h"
#include "control/activex/BodyCache.h"
#include "control/activex/ZubrelleCtrl.h"
#include "control/body/PoseSlotValues.h"

namespace {

const char* const kWalk[] = {"201111111111111", "201222000002211", "201333111113311", "201000222220011"};
const gdi::Rect kRect{0, 0, 200, 150};

// A registry of the benchmark's own pointing at the demo creature.
using Setup = DemoRegistry;
Setup& TheSetup() {
    static Setup setup;
    return setup;
}

struct Site final : com::IControlSite {
    com::HRESULT QueryInterface(const com::IID&, void**) override { return com::E_NOINTERFACE; }
    com::ULONG AddRef() override { return 2; }
    com::ULONG Release() override { return 1; }
    com::HRESULT InvalidateControl(bool) override { return com::S_OK; }
    com::HRESULT SetTimer(std::uint32_t id, std::uint32_t, std::uint32_t* started) override {
        *started = id;
        return com::S_OK;
    }
    com::HRESULT KillTimer(std::uint32_t) override { return com::S_OK; }
    com::HRESULT GetClientRect(com::RECT* r) override {
        *r = {0, 0, kRect.right, kRect.bottom};
        return com::S_OK;
    }
    com::HRESULT ShowModalMessage(const com::OLECHAR*, const com::OLECHAR*) override { return com::S_OK; }
};

void LoadBody(benchmark::State& state) {
    TheSetup();
    for (auto _ : state) {
        zubrelle::BodyModel body;
        std::string error;
        benchmark::DoNotOptimize(
            body.Load(MIRTALA_DEMO_IMAGES_DIR, MIRTALA_DEMO_BODY_DATA_DIR, zubrelle::Appearance{}, error));
    }
}
BENCHMARK(LoadBody)->Unit(benchmark::kMicrosecond);

void CreateControlCached(benchmark::State& state) {
    TheSetup();
    auto* keeper = new zubrelle::CZubrelleCtrl();  // puts the body in the cache
    for (auto _ : state) {
        auto* c = new zubrelle::CZubrelleCtrl();
        static_cast<com::IDispatch*>(c)->Release();
    }
    static_cast<com::IDispatch*>(keeper)->Release();
}
BENCHMARK(CreateControlCached)->Unit(benchmark::kMicrosecond);

void DrawWalkFrame(benchmark::State& state) {
    TheSetup();
    zubrelle::BodyModel body;
    std::string error;
    body.Load(MIRTALA_DEMO_IMAGES_DIR, MIRTALA_DEMO_BODY_DATA_DIR, zubrelle::Appearance{}, error);
    std::array<zubrelle::PoseSlotValues, 9> poses{};
    for (int i = 0; i < 4; ++i) poses[std::size_t(i)] = zubrelle::ConvertPoseString(kWalk[i]);
    zubrelle::AnimationState animation;
    body.PrepareWalk(kRect, poses, 4, 1.0, 10, animation);
    gdi::Bitmap bitmap(kRect.right, kRect.bottom);
    for (auto _ : state) {
        benchmark::DoNotOptimize(body.DrawWalkFrame(kRect, bitmap, animation));
    }
}
BENCHMARK(DrawWalkFrame)->Unit(benchmark::kMicrosecond);

void PaintWalkThroughControl(benchmark::State& state) {
    TheSetup();
    Site site;
    auto* c = new zubrelle::CZubrelleCtrl();
    c->SetSite(&site);
    for (std::int16_t i = 0; i < 4; ++i) c->SetPoseString(i, kWalk[i]);
    c->SetPoseCount(4);
    c->SetAngle(10);
    std::vector<std::uint32_t> pixels(std::size_t(kRect.right) * std::size_t(kRect.bottom));
    com::PixelTarget target{pixels.data(), kRect.right, kRect.bottom, kRect.right};
    for (auto _ : state) {
        c->Draw(target, com::RECT{0, 0, kRect.right, kRect.bottom});
        benchmark::DoNotOptimize(pixels.data());
    }
    c->SetSite(nullptr);
    static_cast<com::IDispatch*>(c)->Release();
}
BENCHMARK(PaintWalkThroughControl)->Unit(benchmark::kMicrosecond);

void SetPoseStringDirect(benchmark::State& state) {
    TheSetup();
    auto* c = new zubrelle::CZubrelleCtrl();
    for (auto _ : state) c->SetPoseString(1, kWalk[1]);
    static_cast<com::IDispatch*>(c)->Release();
}
BENCHMARK(SetPoseStringDirect);

void PutPoseStringByDispatch(benchmark::State& state) {
    TheSetup();
    auto* c = new zubrelle::CZubrelleCtrl();
    com::IDispatch* d = c;
    com::DISPID named = com::DISPID_PROPERTYPUT;
    for (auto _ : state) {
        com::VARIANT args[2] = {com::MakeBstr(kWalk[1]), com::MakeI2(1)};
        com::DISPPARAMS params{args, &named, 2, 1};
        benchmark::DoNotOptimize(
            d->Invoke(6, com::IID_NULL, 0, com::DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr));
        com::VariantClear(&args[0]);
    }
    d->Release();
}
BENCHMARK(PutPoseStringByDispatch);

}  // namespace

BENCHMARK_MAIN();
