// The genome check of a 2,000-gene genome beside reading that genome's file in
// the same run: the check must cost less than the read. The genome has 1,000
// pose genes (up to four variants of each used number), 900 gaits whose steps
// name poses with and without genes, and 100 other genes.
#include "editor/genome/GenomeCheck.h"
#include "editor/genome/PoseGenes.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

const std::string& CheckGenomeFile() {
    static const std::string path = [] {
        std::mt19937 rng(11);
        std::string bytes = "dna2";
        auto gene = [&bytes](std::uint8_t type, std::uint8_t subtype, std::uint8_t id, std::uint8_t switchOn,
                             const std::string& data) {
            bytes += "gene";
            bytes += std::string{char(type), char(subtype), char(id), 0, char(switchOn), 0, 0};
            bytes += data;
        };
        for (int i = 0; i < 1000; ++i)
            gene(2, 3, static_cast<std::uint8_t>(i % 255 + 1), static_cast<std::uint8_t>(rng() % 7),
                 std::string(1, char(i % 250 + 1)) + std::string(15, char('0' + rng() % 4)));
        for (int i = 0; i < 900; ++i) {
            std::string data(1, char(i % 256));
            for (int s = 0; s < 8; ++s) data.push_back(char(rng() % 4 == 0 ? 0 : rng() % 256 == 'g' ? 1 : rng() % 256));
            gene(2, 4, static_cast<std::uint8_t>(i % 255 + 1), 0, data);
        }
        for (int i = 0; i < 100; ++i) gene(3, 1, static_cast<std::uint8_t>(i + 1), 0, std::string(40, 'a'));
        bytes += "gend";
        const std::string p = (std::filesystem::temp_directory_path() / "mirtala-bench-check.gen").string();
        std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return p;
    }();
    return path;
}

// The baseline: reading the genome file, as opening a document does.
void BM_ReadGenome(benchmark::State& state) {
    for (auto _ : state) {
        mirtala::Genome genome;
        genome.ReadFile(CheckGenomeFile());
        benchmark::DoNotOptimize(genome.Count());
    }
}

void BM_CheckGenome(benchmark::State& state) {
    mirtala::Genome genome;
    genome.ReadFile(CheckGenomeFile());
    std::size_t findings = 0;
    for (auto _ : state) findings = mirtala::CheckGenome(genome).size();
    state.counters["genes"] = static_cast<double>(genome.Count());
    state.counters["findings"] = static_cast<double>(findings);
}

BENCHMARK(BM_ReadGenome);
BENCHMARK(BM_CheckGenome);

}  // namespace
BENCHMARK_MAIN();
