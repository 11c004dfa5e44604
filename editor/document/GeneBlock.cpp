// Clipboard blocks of genes, kept free of Qt so that the parser can be fuzzed alone.
#include "editor/document/GeneBlock.h"

#include <algorithm>

namespace mirtala {

std::vector<std::uint8_t> BlockFromGene(const Gene& gene) {
    const auto header = gene.header.Bytes();
    std::vector<std::uint8_t> block(kGeneHeaderSize + gene.data.size());
    std::copy(header.begin(), header.end(), block.begin());
    std::copy(gene.data.begin(), gene.data.end(), block.begin() + kGeneHeaderSize);
    return block;
}

bool GeneFromBlock(std::span<const std::uint8_t> block, Gene& gene) {
    if (block.size() < kGeneHeaderSize) return false;
    gene.header = GeneHeader::FromBytes(block.data());
    gene.data.assign(block.begin() + kGeneHeaderSize, block.end());
    return true;
}

}  // namespace mirtala
