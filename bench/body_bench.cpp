// Body engine timings against a baseline in the same run: filling the target bitmap.
// Compare DrawPose and DrawWalkFrame with Fill (goal: within 4x), and Load with 2 ms.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "control/body/BodyModel.h"
#include "platform/gdi/DrawContext.h"

namespace {

constexpr int kSize = 200;
const gdi::Rect kRect{0, 0, kSize, kSize};

// An adult of genus 1 seen from the side, in the demo creature's files.
const zubrelle::Appearance kAppearance{0, 4, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

const zubrelle::BodyModel& LoadedBody() {
    static zubrelle::BodyModel* body = [] {
        auto* model = new zubrelle::BodyModel;
        std::string error;
        model->Load(MIRTALA_DEMO_IMAGES_DIR, MIRTALA_DEMO_BODY_DATA_DIR, kAppearance, error);
        return model;
    }();
    return *body;
}

void Fill(benchmark::State& state) {
    gdi::Bitmap bitmap(kSize, kSize);
    gdi::DrawContext dc(bitmap);
    for (auto _ : state) {
        dc.FillSolidRect(kRect, 0xFFFFFF);
        benchmark::DoNotOptimize(bitmap.Pixels().data());
    }
}
BENCHMARK(Fill);

void LoadBody(benchmark::State& state) {
    for (auto _ : state) {
        zubrelle::BodyModel model;
        std::string error;
        if (model.Load(MIRTALA_DEMO_IMAGES_DIR, MIRTALA_DEMO_BODY_DATA_DIR, kAppearance, error) != 0) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}
BENCHMARK(LoadBody)->Unit(benchmark::kMicrosecond);

void DrawPose(benchmark::State& state) {
    const double scale = double(state.range(0)) / 100.0;
    const auto& body = LoadedBody();
    if (!body.IsLoaded()) {
        state.SkipWithError("demo creature not found");
        return;
    }
    gdi::Bitmap bitmap(kSize, kSize);
    zubrelle::AnimationState animation;
    const auto pose = zubrelle::ConvertPoseString("212322000013221");
    for (auto _ : state) {
        body.DrawPose(kRect, bitmap, pose, scale, animation);
        benchmark::DoNotOptimize(bitmap.Pixels().data());
    }
}
BENCHMARK(DrawPose)->Arg(50)->Arg(100)->Arg(135)->Arg(300);

void DrawWalkFrame(benchmark::State& state) {
    const auto& body = LoadedBody();
    if (!body.IsLoaded()) {
        state.SkipWithError("demo creature not found");
        return;
    }
    gdi::Bitmap bitmap(kSize, kSize);
    zubrelle::AnimationState animation;
    std::vector<zubrelle::PoseSlotValues> poses = {
        zubrelle::ConvertPoseString("212322000013221"), zubrelle::ConvertPoseString("212000322320121"), {}};
    body.PrepareWalk(kRect, poses, 2, 1.0, 10, animation);
    for (auto _ : state) {
        body.DrawWalkFrame(kRect, bitmap, animation);
        benchmark::DoNotOptimize(bitmap.Pixels().data());
    }
}
BENCHMARK(DrawWalkFrame);

}  // namespace

BENCHMARK_MAIN();
