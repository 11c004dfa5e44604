// Reads arbitrary bytes as a clipboard gene block: a short block must be
// refused without touching the gene, any other must give back the same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "editor/document/GeneBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mirtala;
    const std::span<const std::uint8_t> block(data, size);
    Gene gene{{}, {1, 2, 3}};
    const Gene before = gene;
    if (!GeneFromBlock(block, gene)) {
        if (size >= kGeneHeaderSize || !(gene == before)) std::abort();
        return 0;
    }
    const std::vector<std::uint8_t> again = BlockFromGene(gene);
    if (again.size() != size || !std::equal(again.begin(), again.end(), data)) std::abort();
    return 0;
}
