// Peak memory of loading a hostile body, beside reading its files alone: fourteen sprite
// files whose ten entries all point at one 1000 x 1000 block of pixels (2 MB a file, 40 MB
// a part once decoded). Each load runs in a child process; the counters give its largest
// resident size per byte of the files. The body's decoded size limit ends the load once
// the parts would pass it, so the peak stays near the limit instead of 20 times the files.
#include "ChildPeak.h"
#include <benchmark/benchmark.h>

#include "control/body/BodyFiles.h"
#include "control/body/BodyModel.h"
#include "platform/fileio/AtomicFile.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 1000;

// The folders of the hostile body, made once; their files' total size.
struct HostileBody {
    std::string images, bodyData;
    double fileBytes = 0;
    HostileBody() {
        const auto root = std::filesystem::temp_directory_path() / ("mirtala-sprite-bench-" + std::to_string(::getpid()));
        images = (root / "images").string() + "/";
        bodyData = (root / "body").string() + "/";
        std::filesystem::create_directories(images);
        std::filesystem::create_directories(bodyData);
        std::vector<std::uint8_t> sprite = {1, 0, 0, 0, 10, 0};  // 5-6-5 pixels, ten entries
        const std::uint32_t offset = 6 + 8 * 10;
        for (int i = 0; i < 10; ++i)
            for (std::uint8_t b : {std::uint8_t(offset), std::uint8_t(offset >> 8), std::uint8_t(offset >> 16),
                                   std::uint8_t(offset >> 24), std::uint8_t(kSide & 255), std::uint8_t(kSide >> 8),
                                   std::uint8_t(kSide & 255), std::uint8_t(kSide >> 8)})
                sprite.push_back(b);
        sprite.resize(sprite.size() + 2u * kSide * kSide, 0x21);
        for (int part = 1; part <= 14; ++part) {
            const std::string stem = zubrelle::BodyFileStem(part, 0, 0, 0);
            std::ofstream(images + stem + ".s16", std::ios::binary)
                .write(reinterpret_cast<const char*>(sprite.data()), std::streamsize(sprite.size()));
            std::ofstream(bodyData + stem + ".att") << "0 0 0 0\n";
            fileBytes += double(sprite.size());
        }
    }
    ~HostileBody() { std::filesystem::remove_all(std::filesystem::path(images).parent_path().parent_path()); }
};

const HostileBody& Body() {
    static HostileBody body;
    return body;
}

using bench::ChildPeak;

void BM_ReadSpriteFilesPeak(benchmark::State& state) {
    double peak = 0;
    for (auto _ : state)
        peak = ChildPeak([] {
            std::vector<std::uint8_t> bytes;
            for (int part = 1; part <= 14; ++part)
                if (!mirtala::fileio::ReadWholeFile(Body().images + zubrelle::BodyFileStem(part, 0, 0, 0) + ".s16", bytes))
                    return false;
            return true;
        });
    state.counters["peak_per_file_byte"] = peak / Body().fileBytes;
}

void BM_LoadHostileBodyPeak(benchmark::State& state) {
    double peak = 0;
    std::string error;
    for (auto _ : state)
        peak = ChildPeak([&error] {
            zubrelle::BodyModel model;
            // Refused: the load must end with the limit's message.
            return model.Load(Body().images, Body().bodyData, zubrelle::Appearance{}, error) != 0 &&
                   error.find("the most a body may take") != std::string::npos;
        });
    state.counters["peak_per_file_byte"] = peak / Body().fileBytes;
    if (peak == 0) state.SkipWithError("the load was not refused by the limit");
}

BENCHMARK(BM_ReadSpriteFilesPeak)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadHostileBodyPeak)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
