// The large preview's paint at 8x (2016 x 1736, the gait preview's 252 x 217
// enlarged) on the offscreen platform, each against a baseline in the same run:
// - PlainFill: filling the window's bitmap white (the baseline);
// - PreviewPaint: the widget painted into that bitmap, the control drawing at
//   252 x 217 and each pixel shown as 8 x 8; with onion skin (arg 1) three
//   frames each side composed at 252 x 217 too;
// - ScaledPaint: the same picture drawn by the control itself at scale 8 into
//   2016 x 1736 (the way an enlarged onion skin cost 140 ms); arg 1 with onion skin.
// Goal: the onion skin at 8x inside the control's 100 ms tick.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <memory>

#include "bench/DemoRegistry.h"
#include "editor/ui/CZubrelle.h"

namespace {

constexpr int kZoom = 8;
const QSize kPicture(252, 217);

bool Registered() {
    static const bool ok = [] {
        static DemoRegistry registry;
        const bool registered = RegisterDemoControl(ZUBRELLE_MODULE_PATH);
        return registered;
    }();
    return ok;
}

// A walking picture of 2016 x 1736 logical pixels: zoomed (the preview) or drawn at scale 8.
std::unique_ptr<mirtala::ui::CZubrelle> Walking(bool zoomed, bool onion) {
    auto picture = std::make_unique<mirtala::ui::CZubrelle>();
    if (!picture->Create(QStringLiteral("bench"), 0, QRect(QPoint(), kPicture * kZoom), nullptr, 1)) return nullptr;
    picture->hide();
    const char* poses[] = {"211000222220111", "311201111111111", "211111111112211", "111222000002211"};
    for (std::int16_t i = 0; i < 4; ++i) picture->SetPoseString(i, QString::fromLatin1(poses[i]));
    picture->SetPoseCount(4);
    picture->SetAngle(10);
    if (zoomed)
        picture->SetZoom(kZoom);
    else
        picture->SetScale(float(kZoom));
    picture->SetOnionSkin(onion ? 3 : 0);
    return picture;
}

QImage& Bitmap() {
    static QImage image(kPicture * kZoom, QImage::Format_RGBX8888);
    return image;
}

void PlainFill(benchmark::State& state) {
    for (auto _ : state) {
        Bitmap().fill(Qt::white);
        benchmark::DoNotOptimize(Bitmap().bits());
    }
}
BENCHMARK(PlainFill)->Unit(benchmark::kMillisecond);

void Paint(benchmark::State& state, bool zoomed) {
    if (!Registered()) return state.SkipWithError("the control cannot be registered");
    auto picture = Walking(zoomed, state.range(0) != 0);
    if (!picture) return state.SkipWithError("no control");
    for (auto _ : state) picture->render(&Bitmap());  // each paint shows the next frame
}
void PreviewPaint(benchmark::State& state) { Paint(state, true); }
void ScaledPaint(benchmark::State& state) { Paint(state, false); }
BENCHMARK(PreviewPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ScaledPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
