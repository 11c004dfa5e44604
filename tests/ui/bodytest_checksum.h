// FNV-1a over a picture's pixels, the checksum the render tests compare.
#pragma once

#include <cstdint>
#include <vector>

namespace bodytest_checksum {

inline std::uint64_t Fnv(const std::vector<std::uint32_t>& pixels) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint32_t p : pixels)
        for (int b = 0; b < 4; ++b) {
            h ^= (p >> (8 * b)) & 0xFF;
            h *= 1099511628211ull;
        }
    return h;
}

}  // namespace bodytest_checksum
