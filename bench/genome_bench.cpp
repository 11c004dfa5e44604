// Reading and writing a synthetic 64 MiB genome, beside a plain read and a
// plain write of the same bytes in the same run. The argument is the largest
// data size of a gene: 80 bytes gives about a million small genes, as real
// genes are; 8192 gives a few thousand large ones.
#include "BenchGenome.h"
#include "editor/genome/Genome.h"
#include "platform/fileio/AtomicFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using bench::GenomeFile;

void SetBytes(benchmark::State& state, const std::string& file) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

// The baseline: the file's bytes into a fresh buffer, as every reader starts.
void BM_PlainRead(benchmark::State& state) {
    const std::string& file = GenomeFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes;
        mirtala::fileio::ReadWholeFile(file, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    SetBytes(state, file);
}

void BM_GenomeRead(benchmark::State& state) {
    const std::string& file = GenomeFile(static_cast<int>(state.range(0)));
    std::size_t genes = 0;
    for (auto _ : state) {
        mirtala::Genome genome;
        genome.Read(file);
        genes = genome.Count();
    }
    state.counters["genes"] = static_cast<double>(genes);
    SetBytes(state, file);
}

void BM_PlainWrite(benchmark::State& state) {
    const std::string& file = GenomeFile(static_cast<int>(state.range(0)));
    std::vector<std::uint8_t> bytes;
    mirtala::fileio::ReadWholeFile(file, bytes);
    const std::string out = file + ".plain";
    for (auto _ : state) {
        std::FILE* f = std::fopen(out.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    std::filesystem::remove(out);
    SetBytes(state, file);
}

// Atomic: a temporary file, fsync, then a rename.
void BM_GenomeWrite(benchmark::State& state) {
    const std::string& file = GenomeFile(static_cast<int>(state.range(0)));
    mirtala::Genome genome;
    genome.Read(file);
    const std::string out = file + ".out";
    for (auto _ : state) genome.Write(out);
    std::filesystem::remove(out);
    SetBytes(state, file);
}

BENCHMARK(BM_PlainRead)->Arg(80)->Arg(8192)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_GenomeRead)->Arg(80)->Arg(8192)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PlainWrite)->Arg(80)->Arg(8192)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_GenomeWrite)->Arg(80)->Arg(8192)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
