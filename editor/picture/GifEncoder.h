// Animated GIF files through giflib, encoded in memory: frames of one size
// shown one after another at a fixed delay, looping for ever.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mirtala {

// Frames of 0x00BBGGRR pixels, width x height each, delayed `delayCs`
// hundredths of a second apiece. False with the reason in `error`.
bool EncodeGif(const std::vector<std::vector<std::uint32_t>>& frames, int width, int height, int delayCs,
               std::vector<std::uint8_t>& gif, std::string& error);

}  // namespace mirtala
