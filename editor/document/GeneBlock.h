// The clipboard block of one gene: its seven header bytes, then its data.
// There is no length field: the data run to the end of the block.
#pragma once

#include "editor/genome/Gene.h"

#include <cstdint>
#include <span>
#include <vector>

namespace mirtala {

std::vector<std::uint8_t> BlockFromGene(const Gene& gene);

// False, leaving `gene` unchanged, for a block shorter than the header.
bool GeneFromBlock(std::span<const std::uint8_t> block, Gene& gene);

}  // namespace mirtala
