// The folder search against a baseline in the same run: ReadSystemReg reads a
// prefix's system.reg of about 4 MB whole (what any search must do at least).
// - FindHostFoldersAfterAChange (no values of ours, system.reg just written:
//   it is read and scanned for the host product's key) against ReadSystemReg;
//   goal: within 25x, about 10 ms for 5 MB.
// - FindHostFoldersInWine (the same, system.reg unchanged: its keys are kept),
//   which each of a gait dialog's ten controls pays; goal: under ReadSystemReg.
// - FindHostFoldersInOurRegistry (both values ours: system.reg is not read).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/fileio/AtomicFile.h"
#include "platform/registry/HostFolders.h"
#include "platform/registry/Registry.h"
#include "platform/registry/WinePaths.h"

namespace {

namespace fs = std::filesystem;
namespace reg = mirtala::registry;

// A prefix whose system.reg holds many keys before the host product's, and a
// registry of the benchmark's own.
struct Setup {
    std::string root = (fs::temp_directory_path() / ("mirtala-bench-" + std::to_string(::getpid()))).string();
    std::string prefix = root + "/prefix";
    std::string registry = root + "/registry";
    Setup() {
        fs::create_directories(prefix + "/drive_c/Program Files/Tarvossa 2/Images");
        fs::create_directories(prefix + "/drive_c/Program Files/Tarvossa 2/Body Data");
        fs::create_directories(prefix + "/dosdevices");
        fs::create_symlink("../drive_c", prefix + "/dosdevices/c:");
        std::string text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
        char key[200];
        for (int i = 0; i < 40000; ++i) {
            std::snprintf(key, sizeof key,
                          "[Software\\\\Classes\\\\CLSID\\\\{%08X-0000-0000-C000-000000000046}] 1700000000\n"
                          "#time=1da0a1b2c3d4e5f\n@=\"Class number %d\"\n\"Flags\"=dword:00000001\n\n",
                          i, i);
            text += key;
        }
        text +=
            "[Software\\\\Wow6432Node\\\\Vantrelle Technology\\\\Tarvossa 2\\\\1.0] 1700000000\n"
            "\"Images Directory\"=\"C:\\\\Program Files\\\\Tarvossa 2\\\\Images\\\\\"\n";
        mirtala::fileio::WriteFileAtomically(prefix + "/system.reg", text);
        // Kept keys are trusted only once the file's times are two seconds old.
        fs::last_write_time(prefix + "/system.reg", fs::file_time_type::clock::now() - std::chrono::hours(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
        ::setenv(reg::kWinePrefixVariable, prefix.c_str(), 1);
        ::setenv(reg::kRegistryFolderVariable, registry.c_str(), 1);
    }
    ~Setup() { fs::remove_all(root); }
};
Setup& TheSetup() {
    static Setup setup;
    return setup;
}

void ReadSystemReg(benchmark::State& state) {
    const Setup& s = TheSetup();
    std::string text;
    for (auto _ : state) {
        mirtala::fileio::ReadWholeFile(s.prefix + "/system.reg", text);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(ReadSystemReg)->Unit(benchmark::kMillisecond);

void FindHostFoldersInWine(benchmark::State& state) {
    TheSetup();
    std::string error;
    reg::WriteHostFolders("", "", &error);
    for (auto _ : state) {
        reg::HostFolders found = reg::FindHostFolders();
        if (found.images.source != reg::HostFolder::Source::WinePrefix) state.SkipWithError("not found in Wine");
        benchmark::DoNotOptimize(found.images.path.data());
    }
}
BENCHMARK(FindHostFoldersInWine)->Unit(benchmark::kMillisecond);

void FindHostFoldersAfterAChange(benchmark::State& state) {
    const Setup& s = TheSetup();
    std::string error;
    reg::WriteHostFolders("", "", &error);
    for (auto _ : state) {
        state.PauseTiming();
        fs::last_write_time(s.prefix + "/system.reg", fs::file_time_type::clock::now());
        state.ResumeTiming();
        reg::HostFolders found = reg::FindHostFolders();
        if (found.images.source != reg::HostFolder::Source::WinePrefix) state.SkipWithError("not found in Wine");
    }
    fs::last_write_time(s.prefix + "/system.reg", fs::file_time_type::clock::now() - std::chrono::hours(1));
}
BENCHMARK(FindHostFoldersAfterAChange)->Unit(benchmark::kMillisecond);

void FindHostFoldersInOurRegistry(benchmark::State& state) {
    TheSetup();
    std::string error;
    reg::WriteHostFolders("/opt/t2/Images/", "/opt/t2/Body Data/", &error);
    for (auto _ : state) {
        reg::HostFolders found = reg::FindHostFolders();
        benchmark::DoNotOptimize(found.images.path.data());
    }
    reg::WriteHostFolders("", "", &error);
}
BENCHMARK(FindHostFoldersInOurRegistry)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
