// The cost of the pose sheet against the drawing it holds, in the same run:
// - PlainPaints: one control paints 256 x 7 poses at the cell size (the baseline);
// - PoseSheet: the sheet of a genome with 256 pose numbers (two variants each,
//   switching on at Embryo and Adult) at seven stages, controls created,
//   cells chosen and laid into one new picture (as the export does). Goal:
//   within 2x the baseline;
// - PoseSheetOverLastPicture: the same drawn over the picture of the last
//   drawing (as the window draws over its row pictures when the appearance changes);
// - NewPicture: only the memory of a new sheet-sized picture, filled once,
//   which is what PoseSheet pays beyond PoseSheetOverLastPicture.
#include <benchmark/benchmark.h>

#include "bench/DemoRegistry.h"
#include "editor/picture/PoseSheet.h"

namespace {

struct Setup {
    DemoRegistry registry;
    bool ok = false;
    mirtala::Genome genome;
    Setup() {
        ok = RegisterDemoControl(ZUBRELLE_MODULE_PATH);
        std::uint8_t id = 0;
        for (int n = 0; n < 256; ++n)
            for (std::uint8_t switchOn : {0, 4}) {
                std::vector<std::uint8_t> data = {std::uint8_t(n)};
                for (std::size_t k = 0; k < mirtala::kPoseStringLength; ++k)
                    data.push_back(std::uint8_t('0' + (n + int(k) + switchOn) % 3));
                genome.Append(mirtala::Gene{{2, 3, ++id, 0, switchOn}, std::move(data)});
            }
    }
};
Setup& TheSetup() {
    static Setup setup;
    return setup;
}

mirtala::Appearance Body() {
    mirtala::Appearance a;
    a.headGenus = a.headVariant = a.bodyGenus = 1;
    a.armsGenus = 2;
    a.armsVariant = a.tailGenus = 1;
    return a;
}

void PlainPaints(benchmark::State& state) {
    if (!TheSetup().ok) return state.SkipWithError("the control cannot be registered");
    const mirtala::PoseSheetLayout layout = mirtala::PoseSheetLayout::ForSizeFactor(1);
    mirtala::OffscreenWindow window(layout.cellWidth, layout.cellHeight);
    mirtala::ZubrelleHost host(window);
    if (!host.Create()) return state.SkipWithError(host.ErrorText().c_str());
    mirtala::Appearance a = Body();
    a.age = 4;
    host.SetAppearance(a);
    host.SetScale(layout.scale);
    host.SetPoseCount(1);
    std::vector<std::uint32_t> pixels(std::size_t(layout.cellWidth) * std::size_t(layout.cellHeight));
    for (auto _ : state) {
        for (int n = 0; n < 256 * 7; ++n) {
            host.SetPoseString(0, mirtala::PoseStringOf(*TheSetup().genome.At(std::size_t(n % 512))));
            std::fill(pixels.begin(), pixels.end(), 0u);
            host.Paint(pixels.data(), layout.cellWidth, layout.cellHeight, layout.cellWidth);
        }
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(PlainPaints)->Unit(benchmark::kMillisecond);

void PoseSheet(benchmark::State& state) {
    if (!TheSetup().ok) return state.SkipWithError("the control cannot be registered");
    for (auto _ : state) {
        const mirtala::PoseSheetModel model = mirtala::BuildPoseSheet(TheSetup().genome);
        mirtala::PoseSheetPainter painter(Body(), mirtala::PoseSheetLayout::ForSizeFactor(1));
        if (!painter.Start()) return state.SkipWithError(painter.Error().c_str());
        std::vector<std::uint32_t> pixels;
        int w = 0, h = 0;
        std::string error;
        if (!mirtala::PaintPoseSheet(model, painter, pixels, w, h, error)) return state.SkipWithError(error.c_str());
        state.counters["paints"] = painter.Paints();
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(PoseSheet)->Unit(benchmark::kMillisecond);

void PoseSheetOverLastPicture(benchmark::State& state) {
    if (!TheSetup().ok) return state.SkipWithError("the control cannot be registered");
    std::vector<std::uint32_t> pixels;
    for (auto _ : state) {
        const mirtala::PoseSheetModel model = mirtala::BuildPoseSheet(TheSetup().genome);
        mirtala::PoseSheetPainter painter(Body(), mirtala::PoseSheetLayout::ForSizeFactor(1));
        if (!painter.Start()) return state.SkipWithError(painter.Error().c_str());
        int w = 0, h = 0;
        std::string error;
        if (!mirtala::PaintPoseSheet(model, painter, pixels, w, h, error)) return state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(PoseSheetOverLastPicture)->Unit(benchmark::kMillisecond);

void NewPicture(benchmark::State& state) {
    const mirtala::PoseSheetModel model = mirtala::BuildPoseSheet(TheSetup().genome);
    int w = 0, h = 0;
    std::string error;
    if (!mirtala::PoseSheetSize(model, mirtala::PoseSheetLayout::ForSizeFactor(1), w, h, error))
        return state.SkipWithError(error.c_str());
    for (auto _ : state) {
        std::vector<std::uint32_t> pixels(std::size_t(w) * std::size_t(h));
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(NewPicture)->Unit(benchmark::kMillisecond);

// The part of the sheet that is not painting: seven controls created, each
// loading the body at its stage.
void PainterStart(benchmark::State& state) {
    if (!TheSetup().ok) return state.SkipWithError("the control cannot be registered");
    for (auto _ : state) {
        mirtala::PoseSheetPainter painter(Body(), mirtala::PoseSheetLayout::ForSizeFactor(1));
        if (!painter.Start()) return state.SkipWithError(painter.Error().c_str());
    }
}
BENCHMARK(PainterStart)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
