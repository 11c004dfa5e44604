// The synthetic 64 MiB genome the benchmarks read: genes of 7 header bytes and
// maxData / 5 to maxData data bytes, made once per size in the temporary folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

namespace bench {

inline const std::string& GenomeFile(int maxData) {
    static std::map<int, std::string> files;
    auto it = files.find(maxData);
    if (it != files.end()) return it->second;
    std::mt19937 rng(7);
    std::string bytes = "dna2";
    const std::size_t target = 64u << 20;
    const int minData = maxData / 5;
    while (bytes.size() < target) {
        bytes += "gene";
        const std::size_t len = 7 + minData + rng() % static_cast<unsigned>(maxData - minData + 1);
        for (std::size_t i = 0; i < len; ++i)
            bytes.push_back(static_cast<char>(rng() % 256 == 'g' ? 'h' : rng() % 256));
    }
    bytes += "gend";
    const std::string p =
        (std::filesystem::temp_directory_path() / ("mirtala-bench-" + std::to_string(maxData) + ".gen")).string();
    std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return files[maxData] = p;
}

}  // namespace bench
