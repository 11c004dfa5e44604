// Peak memory of loading a hostile body, beside reading its files alone: fourteen sprite
// files whose ten entries all point at one square block of pixels, 1000 pixels a side
// (2 MB a file) or 2000 (8 MB a file). Each load runs in a child process; the counters give
// its largest resident size per byte of the files, and whether the body loaded. A block
// named by several entries is decoded once (4 MB and 16 MB a part), so the 1000 body loads
// within the body's decoded size limit and the 2000 body is refused once its parts pass it.
#include <benchmark/benchmark.h>
#include "ChildPeak.h"

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

// The folders of the hostile body with blocks `side` pixels square, made once; their files' total size.
struct HostileBody {
    std::string images, bodyData;
    double fileBytes = 0;
    explicit HostileBody(int side) {
        const auto root = std::filesystem::temp_directory_path() /
                          ("mirtala-sprite-bench-" + std::to_string(::getpid()) + "-" + std::to_string(side));
        images = (root / "images").string() + "/";
        bodyData = (root / "body").string() + "/";
        std::filesystem::create_directories(images);
        std::filesystem::create_directories(bodyData);
        std::vector<std::uint8_t> sprite = {1, 0, 0, 0, 10, 0};  // 5-6-5 pixels, ten entries
        const std::uint32_t offset = 6 + 8 * 10;
        for (int i = 0; i < 10; ++i)
            for (std::uint8_t b : {std::uint8_t(offset), std::uint8_t(offset >> 8), std::uint8_t(offset >> 16),
                                   std::uint8_t(offset >> 24), std::uint8_t(side & 255), std::uint8_t(side >> 8),
                                   std::uint8_t(side & 255), std::uint8_t(side >> 8)})
                sprite.push_back(b);
        sprite.resize(sprite.size() + 2u * side * side, 0x21);
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

const HostileBody& Body(int side) {
    static HostileBody small(1000), large(2000);
    return side == 1000 ? small : large;
}

using bench::ChildPeak;

void BM_ReadSpriteFilesPeak(benchmark::State& state) {
    const HostileBody& body = Body(int(state.range(0)));
    double peak = 0;
    for (auto _ : state)
        peak = ChildPeak([&body] {
            std::vector<std::uint8_t> bytes;
            for (int part = 1; part <= 14; ++part)
                if (!mirtala::fileio::ReadWholeFile(body.images + zubrelle::BodyFileStem(part, 0, 0, 0) + ".s16",
                                                    bytes))
                    return false;
            return true;
        });
    state.counters["peak_per_file_byte"] = peak / body.fileBytes;
    state.counters["file_MB"] = body.fileBytes / 1e6;
}

// A child that loads the body; when it does not load, a second child that must be refused
// by the limit, so that `loaded` says which of the two the peak belongs to.
void BM_LoadHostileBodyPeak(benchmark::State& state) {
    const HostileBody& body = Body(int(state.range(0)));
    double peak = 0;
    bool loaded = false;
    for (auto _ : state) {
        peak = ChildPeak([&body] {
            zubrelle::BodyModel model;
            std::string error;
            return model.Load(body.images, body.bodyData, zubrelle::Appearance{}, error) == 0;
        });
        loaded = peak != 0;
        if (!loaded)
            peak = ChildPeak([&body] {
                zubrelle::BodyModel model;
                std::string error;
                return model.Load(body.images, body.bodyData, zubrelle::Appearance{}, error) != 0 &&
                       error.find("the most a body may take") != std::string::npos;
            });
    }
    state.counters["peak_per_file_byte"] = peak / body.fileBytes;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["loaded"] = loaded ? 1 : 0;
    if (peak == 0) state.SkipWithError("the load failed other than by the limit");
}

BENCHMARK(BM_ReadSpriteFilesPeak)->Arg(1000)->Arg(2000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadHostileBodyPeak)->Arg(1000)->Arg(2000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
