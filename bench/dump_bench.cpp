// Peak memory of `mirtala --dump` on 64 MiB genomes of three shapes (small genes of
// varied size, millions of seven-byte genes with no data, one huge gene), beside a
// plain whole-file read of the same file: each runs in a child process of its own,
// whose largest resident size the counters give per byte of the file. The ratio of
// the two is the dump's cost over the bytes it must read anyway.
#include "BenchGenome.h"
#include "ChildPeak.h"
#include "editor/app/CliDump.h"
#include "editor/app/CommandLine.h"
#include "platform/fileio/AtomicFile.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>

namespace {

using bench::ChildPeak;

void Report(benchmark::State& state, double peak, const std::string& file) {
    const auto size = static_cast<double>(std::filesystem::file_size(file));
    state.counters["peak_per_file_byte"] = peak / size;
    if (peak == 0) state.SkipWithError("the child failed");
}

// 64 MiB of one shape: 0 varied small genes, 1 seven-byte genes, 2 one huge gene.
const std::string& ShapeFile(std::int64_t shape) {
    if (shape == 0) return bench::GenomeFile(80);
    static std::string files[3];
    std::string& path = files[shape];
    if (!path.empty()) return path;
    std::string bytes = "dna2";
    const std::size_t target = 64u << 20;
    if (shape == 1) {
        while (bytes.size() < target) bytes += std::string("gene\2\3\1\0\0\0\0", 11);
    } else {
        bytes += std::string("gene\2\7\1\0\0\0\0", 11);
        bytes.resize(target, 'x');
    }
    bytes += "gend";
    path =
        (std::filesystem::temp_directory_path() / ("mirtala-bench-shape-" + std::to_string(shape) + ".gen")).string();
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

void BM_PlainReadPeak(benchmark::State& state) {
    const std::string& file = ShapeFile(state.range(0));
    double peak = 0;
    for (auto _ : state) {
        peak = ChildPeak([&file] {
            std::vector<std::uint8_t> bytes;
            return mirtala::fileio::ReadWholeFile(file, bytes);
        });
    }
    Report(state, peak, file);
}

void BM_DumpPeak(benchmark::State& state) {
    const std::string& file = ShapeFile(state.range(0));
    double peak = 0;
    for (auto _ : state) {
        peak = ChildPeak([&file] {
            std::ofstream out("/dev/null");
            return mirtala::RunDump(mirtala::ParseCommandLine({"--dump", file}), out, std::cerr) == 0;
        });
    }
    Report(state, peak, file);
}

// Not a genome: the refusal reads four bytes, however large the file.
void BM_NotAGenomePeak(benchmark::State& state) {
    static const std::string file = [] {
        const std::string p = (std::filesystem::temp_directory_path() / "mirtala-bench-not-genome.bin").string();
        std::ofstream(p, std::ios::binary) << std::string(64u << 20, 'n');
        return p;
    }();
    double peak = 0;
    for (auto _ : state) {
        peak = ChildPeak([] {
            std::ofstream out("/dev/null");
            return mirtala::RunDump(mirtala::ParseCommandLine({"--dump", file}), out, std::cerr) == 1;
        });
    }
    Report(state, peak, file);
}

BENCHMARK(BM_PlainReadPeak)->DenseRange(0, 2)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DumpPeak)->DenseRange(0, 2)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NotAGenomePeak)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
