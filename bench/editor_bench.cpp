// The form view's costs, offscreen, against the genome read alone in the same run:
// - ReadGenome: reading the file of 2,000 (or 200,000) pose genes and 200 gait genes (the baseline).
// - OpenIntoView: the document opening the same file and a view's first full rebuild;
//   goal: under 200 ms for 2,000, and within 5 times the read for 200,000 (the rebuild
//   sorts once, so its cost grows with the genes, not with their square).
// - OpenIntoViewWithHugeNames: the 2,000-pose open with nine names of 1 MiB; within 2 times OpenIntoView/2000.
// - AddPoseToView: one Add Gene command reaching that view through its hint; goal: under 5 ms.
#include <benchmark/benchmark.h>

#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/document/NameTable.h"
#include "editor/genome/PoseGenes.h"
#include "editor/ui/MirtalaView.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace {

using namespace mirtala;

struct Setup {
    std::string path;
    explicit Setup(int poses)
        : path((std::filesystem::temp_directory_path() /
                ("mirtala-editor-bench-" + std::to_string(::getpid()) + "-" + std::to_string(poses) + ".gen"))
                   .string()) {
        Genome genome;
        for (int i = 0; i < poses; ++i) {
            Gene pose{{kCreatureGeneType, kPoseSubtype, static_cast<std::uint8_t>(i % 255), 0,
                       static_cast<std::uint8_t>(i % 7), 0, 0},
                      {static_cast<std::uint8_t>(i % 256)}};
            for (int k = 0; k < 15; ++k) pose.data.push_back(static_cast<std::uint8_t>('0' + (i + k) % 4));
            genome.Append(pose);
        }
        for (int i = 0; i < 200; ++i)
            genome.Append(Gene{{kCreatureGeneType, kGaitSubtype, static_cast<std::uint8_t>(i), 0, 0, 0, 0},
                               {static_cast<std::uint8_t>(i), 1, 2, 3, 4, 0, 0, 0, 0}});
        const auto bytes = genome.Serialize();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ~Setup() { std::filesystem::remove(path); }
};

const Setup& Files(int poses = 2000) {
    static Setup small(2000);
    if (poses == 2000) return small;
    static Setup large(200000);
    return large;
}

void ReadGenome(benchmark::State& state) {
    for (auto _ : state) {
        Genome genome;
        benchmark::DoNotOptimize(genome.ReadFile(Files(int(state.range(0))).path));
    }
}
BENCHMARK(ReadGenome)->Arg(2000)->Arg(200000)->Unit(benchmark::kMillisecond);

void OpenIntoView(benchmark::State& state) {
    for (auto _ : state) {
        CMirtalaDoc doc;
        doc.OnOpenDocument(QString::fromStdString(Files(int(state.range(0))).path));
        ui::CMirtalaView view(doc);
        view.OnInitialUpdate();
        benchmark::DoNotOptimize(view.Poses().size());
    }
}
BENCHMARK(OpenIntoView)->Arg(2000)->Arg(200000)->Unit(benchmark::kMillisecond);

// The same open with nine pose names of 1 MiB each: the lists show 256 characters of a
// name, so this stays near OpenIntoView/2000 however long the names are.
void OpenIntoViewWithHugeNames(benchmark::State& state) {
    for (unsigned n = 0; n < 9; ++n) NameTable::Instance().SetName(n, std::string(1 << 20, 'n'));
    for (auto _ : state) {
        CMirtalaDoc doc;
        doc.OnOpenDocument(QString::fromStdString(Files().path));
        ui::CMirtalaView view(doc);
        view.OnInitialUpdate();
        benchmark::DoNotOptimize(view.Poses().size());
    }
    NameTable::Instance() = NameTable();
}
BENCHMARK(OpenIntoViewWithHugeNames)->Unit(benchmark::kMillisecond);

void AddPoseToView(benchmark::State& state) {
    CMirtalaDoc doc;
    doc.OnOpenDocument(QString::fromStdString(Files().path));
    ui::CMirtalaView view(doc);
    view.OnInitialUpdate();
    const Gene pose{{kCreatureGeneType, kPoseSubtype, 1, 0, 3, 0, 0}, std::vector<std::uint8_t>(16, '1')};
    for (auto _ : state) {
        doc.AddGene(pose);
        state.PauseTiming();
        doc.Undo();
        state.ResumeTiming();
    }
}
BENCHMARK(AddPoseToView)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RecordingMessageService quiet;  // reading warnings are not the subject here
    ScopedMessageService useQuiet(quiet);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
