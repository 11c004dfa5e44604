// Peak memory of `mirtala --dump` on the 64 MiB genome of small genes, beside a
// plain whole-file read of it: each runs in a child process of its own, whose
// largest resident size the counters give per byte of the file. The ratio of
// the two is the dump's cost over the bytes it must read anyway.
#include "BenchGenome.h"
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

namespace {

// The largest resident size of a child that runs `work`, in bytes; 0 when it failed.
double ChildPeak(const std::function<bool()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(work() ? 0 : 1);
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return 0;
    return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

void Report(benchmark::State& state, double peak, const std::string& file) {
    const auto size = static_cast<double>(std::filesystem::file_size(file));
    state.counters["peak_per_file_byte"] = peak / size;
    if (peak == 0) state.SkipWithError("the child failed");
}

void BM_PlainReadPeak(benchmark::State& state) {
    const std::string& file = bench::GenomeFile(80);
    double peak = 0;
    for (auto _ : state) {
        peak = ChildPeak([&file] {
            std::vector<std::uint8_t> bytes;
            return mirtala::ReadWholeFile(file, bytes);
        });
    }
    Report(state, peak, file);
}

void BM_DumpPeak(benchmark::State& state) {
    const std::string& file = bench::GenomeFile(80);
    double peak = 0;
    for (auto _ : state) {
        peak = ChildPeak([&file] {
            std::ofstream out("/dev/null");
            return mirtala::RunDump(mirtala::ParseCommandLine({"--dump", file}), out, std::cerr) == 0;
        });
    }
    Report(state, peak, file);
}

BENCHMARK(BM_PlainReadPeak)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DumpPeak)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
