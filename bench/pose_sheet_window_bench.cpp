// The pose sheet window on a genome of 256 pose numbers (two variants each),
// shown 1200 x 800 on an offscreen screen, against the paints it shows in the
// same run:
// - VisiblePaints: as many plain paints as the cells in view (the baseline);
// - OpenSheet: the window made, shown and painted once;
// - AppearanceChange: another head chosen in the form with the sheet open,
//   until the sheet shows it;
// - PoseChange: one pose gene modified, until the sheet shows it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollArea>

#include <filesystem>
#include <fstream>

#include "bench/DemoRegistry.h"
#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/ui/PoseSheetFrame.h"
#include "editor/ui/PoseSheetWindow.h"

namespace {

using namespace mirtala;

Appearance Body(int head) {
    Appearance a;
    a.headGenus = head;
    a.headVariant = a.bodyGenus = 1;
    a.armsGenus = 2;
    a.armsVariant = a.tailGenus = 1;
    return a;
}

Gene PoseGene(std::uint8_t id, int number, std::uint8_t switchOn, int shift) {
    std::vector<std::uint8_t> data = {std::uint8_t(number)};
    for (std::size_t k = 0; k < kPoseStringLength; ++k)
        data.push_back(std::uint8_t('0' + (number + int(k) + shift) % 3));
    return Gene{{kCreatureGeneType, kPoseSubtype, id, 0, switchOn}, std::move(data)};
}

struct Setup {
    DemoRegistry registry;
    std::string path =
        (std::filesystem::temp_directory_path() / ("mirtala-sheet-bench-" + std::to_string(::getpid()) + ".gen"))
            .string();
    bool ok = false;
    CMirtalaDoc doc;
    Setup() {
        ok = RegisterDemoControl(ZUBRELLE_MODULE_PATH);
        Genome genome;
        std::uint8_t id = 0;
        for (int n = 0; n < 256; ++n)
            for (std::uint8_t switchOn : {0, 4}) genome.Append(PoseGene(++id, n, switchOn, switchOn));
        const auto bytes = genome.Serialize();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        ok = ok && doc.OnOpenDocument(QString::fromStdString(path));
        doc.ChangeAppearance(Body(1));
    }
    ~Setup() { std::filesystem::remove(path); }
};
Setup& TheSetup() {
    static Setup setup;
    return setup;
}

// The cells a 1200 x 800 frame shows.
int CellsInView(ui::PoseSheetFrame& frame) {
    const QRect view = frame.Sheet()->visibleRegion().boundingRect();
    int cells = 0;
    for (int r = 0; r < int(frame.Sheet()->Model().rows.size()); ++r)
        for (int c = 0; c < frame.Sheet()->Model().StageCount(); ++c)
            cells += view.intersects(frame.Sheet()->CellRect(r, c));
    return cells;
}

std::unique_ptr<ui::PoseSheetFrame> ShownFrame() {
    auto frame = std::make_unique<ui::PoseSheetFrame>(TheSetup().doc, 1);
    frame->resize(1200, 800);
    frame->show();
    frame->grab();
    return frame;
}

void VisiblePaints(benchmark::State& state) {
    if (!TheSetup().ok) return state.SkipWithError("the control or the genome is missing");
    const int cells = CellsInView(*ShownFrame());
    const PoseSheetLayout layout = PoseSheetLayout::ForSizeFactor(1);
    OffscreenWindow window(layout.cellWidth, layout.cellHeight);
    ZubrelleHost host(window);
    if (!host.Create()) return state.SkipWithError(host.ErrorText().c_str());
    Appearance a = Body(1);
    a.age = 4;
    host.SetAppearance(a);
    host.SetScale(layout.scale);
    host.SetPoseCount(1);
    std::vector<std::uint32_t> pixels(std::size_t(layout.cellWidth) * std::size_t(layout.cellHeight));
    const auto& genes = TheSetup().doc.GetGenome();
    for (auto _ : state) {
        for (int n = 0; n < cells; ++n) {
            host.SetPoseString(0, PoseStringOf(*genes.At(std::size_t(n) % genes.Count())));
            host.Paint(pixels.data(), layout.cellWidth, layout.cellHeight, layout.cellWidth);
        }
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["cells"] = cells;
}
BENCHMARK(VisiblePaints)->Unit(benchmark::kMillisecond);

void OpenSheet(benchmark::State& state) {
    if (!TheSetup().ok) return state.SkipWithError("the control or the genome is missing");
    for (auto _ : state) {
        auto frame = ShownFrame();
        state.counters["rows"] = frame->Sheet()->RowsDrawn();
    }
}
BENCHMARK(OpenSheet)->Unit(benchmark::kMillisecond);

void AppearanceChange(benchmark::State& state) {
    if (!TheSetup().ok) return state.SkipWithError("the control or the genome is missing");
    auto frame = ShownFrame();
    int head = 1;
    const int before = frame->Sheet()->RowsDrawn();
    for (auto _ : state) {
        head = head == 1 ? 2 : 1;
        TheSetup().doc.ChangeAppearance(Body(head));
        frame->grab();
    }
    state.counters["rows"] =
        benchmark::Counter(frame->Sheet()->RowsDrawn() - before, benchmark::Counter::kAvgIterations);
    TheSetup().doc.ChangeAppearance(Body(1));
}
BENCHMARK(AppearanceChange)->Unit(benchmark::kMillisecond);

void PoseChange(benchmark::State& state) {
    if (!TheSetup().ok) return state.SkipWithError("the control or the genome is missing");
    auto frame = ShownFrame();
    CMirtalaDoc& doc = TheSetup().doc;
    int shift = 0;
    const int before = frame->Sheet()->RowsDrawn();
    for (auto _ : state) {
        doc.ModifyGene(PoseGene(1, 0, 0, ++shift));
        frame->grab();
    }
    state.counters["rows"] =
        benchmark::Counter(frame->Sheet()->RowsDrawn() - before, benchmark::Counter::kAvgIterations);
}
BENCHMARK(PoseChange)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RecordingMessageService quiet;
    ScopedMessageService useQuiet(quiet);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
