// The cost of exporting a walk against painting its frames alone, in the same run:
// - PaintFramesAlone: the control paints one full cycle off screen (the baseline);
// - ExportGif, ExportSheet, ExportFrames: the same cycle painted, encoded and
//   written atomically. Goal: an export within a few times the painting, so that
//   a long walk shows its progress dialog only briefly.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/DemoRegistry.h"
#include "editor/picture/WalkExport.h"

namespace {

struct Setup {
    DemoRegistry registry;
    std::string out = registry.folder + "-out";
    bool ok = false;
    Setup() {
        ok = RegisterDemoControl(ZUBRELLE_MODULE_PATH);
        std::filesystem::create_directories(out);
    }
    ~Setup() { std::filesystem::remove_all(out); }
};
Setup& TheSetup() {
    static Setup setup;
    return setup;
}

// Eight poses that turn and swing: the longest cycles a gait gives.
mirtala::WalkSettings LongWalk() {
    mirtala::WalkSettings s;
    s.poses = {"211000222220111", "311201111111111", "041111111111111", "211111111112211",
               "111222000002211", "251333111113311", "301000222220011", "211201111111111"};
    s.width = 504;  // the gait preview's 252 x 217 pixels, twice
    s.height = 434;
    s.scale = 2.0f;
    s.angle = 10;
    return s;
}

void PaintFramesAlone(benchmark::State& state) {
    if (!TheSetup().ok) return state.SkipWithError("the control cannot be registered");
    for (auto _ : state) {
        mirtala::WalkExport walk(LongWalk(), {});
        if (!walk.Start()) return state.SkipWithError(walk.Error().c_str());
        while (walk.PaintNext()) {}
        state.counters["frames"] = walk.FrameCount();
    }
}
BENCHMARK(PaintFramesAlone)->Unit(benchmark::kMillisecond);

void Export(benchmark::State& state, mirtala::WalkFormat format, const char* name) {
    if (!TheSetup().ok) return state.SkipWithError("the control cannot be registered");
    for (auto _ : state) {
        mirtala::WalkExport walk(LongWalk(), {format, TheSetup().out + "/" + name, 0});
        if (!walk.Start() || !walk.Run(nullptr)) return state.SkipWithError(walk.Error().c_str());
    }
}
BENCHMARK_CAPTURE(Export, Gif, mirtala::WalkFormat::Gif, "walk.gif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, Sheet, mirtala::WalkFormat::Sheet, "walk.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, Frames, mirtala::WalkFormat::Frames, "frames")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
