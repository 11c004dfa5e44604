// Animated GIF files through giflib, encoded in memory: frames of one size
// shown one after another at a fixed delay, looping for ever.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mirtala {

// How exactly the GIF's palettes hold the frames' colours.
struct GifColours {
    // Frames that use more than 256 colours and were reduced to 256 by
    // giflib's median-cut quantizer; all others are exact.
    int quantizedFrames = 0;
    // One palette for all frames (all of them together use 256 colours or
    // fewer), or one of each frame's own.
    bool globalPalette = false;
};

// Frames of 0x00BBGGRR pixels, width x height each, delayed `delayCs`
// hundredths of a second apiece. False with the reason in `error`.
bool EncodeGif(const std::vector<std::vector<std::uint32_t>>& frames, int width, int height, int delayCs,
               std::vector<std::uint8_t>& gif, std::string& error, GifColours* colours = nullptr);

}  // namespace mirtala
