// The cost of the onion skin against a plain paint, in the same run, for the
// gait preview's picture (252 x 217 pixels at scale 1) and the same picture
// eight times as large (scale 8), walking:
// - PlainPaint: one paint of the animated picture (the baseline);
// - OnionSkinPaint: the frame shown with three frames each side, composed.
// Goal: ten animating pictures with the onion skin fit in the control's 100 ms tick.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/DemoRegistry.h"
#include "editor/picture/OnionSkin.h"
#include "editor/picture/ZubrelleHost.h"

namespace {

struct Setup {
    DemoRegistry registry;
    bool ok = false;
    Setup() { ok = RegisterDemoControl(ZUBRELLE_MODULE_PATH); }
};
Setup& TheSetup() {
    static Setup setup;
    return setup;
}

// A walking picture `zoom` times the gait preview's size and scale.
struct Picture {
    int width, height;
    mirtala::OffscreenWindow window;
    mirtala::ZubrelleHost host{window};
    std::vector<std::uint32_t> pixels;
    explicit Picture(int zoom)
        : width(252 * zoom), height(217 * zoom), window(width, height), pixels(std::size_t(width) * height) {
        const char* poses[] = {"211000222220111", "311201111111111", "211111111112211", "111222000002211"};
        if (!host.Create()) return;
        for (std::int16_t i = 0; i < 4; ++i) host.SetPoseString(i, poses[i]);
        host.SetPoseCount(4);
        host.SetScale(float(zoom));
        host.SetAngle(10);
    }
};

void PlainPaint(benchmark::State& state) {
    if (!TheSetup().ok) return state.SkipWithError("the control cannot be registered");
    Picture p(int(state.range(0)));
    if (!p.host.IsCreated()) return state.SkipWithError(p.host.ErrorText().c_str());
    for (auto _ : state) p.host.Paint(p.pixels.data(), p.width, p.height, p.width);
}
BENCHMARK(PlainPaint)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

void OnionSkinPaint(benchmark::State& state) {
    if (!TheSetup().ok) return state.SkipWithError("the control cannot be registered");
    Picture p(int(state.range(0)));
    if (!p.host.IsCreated()) return state.SkipWithError(p.host.ErrorText().c_str());
    mirtala::OnionSkin skin(3);
    for (auto _ : state) skin.Paint(p.host, p.pixels.data(), p.width, p.height, p.width);
}
BENCHMARK(OnionSkinPaint)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
