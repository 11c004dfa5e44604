// Decoding one image of a sprite file (".s16") into 32-bit colours with bounds.
#pragma once

#include <cstdint>
#include <span>

#include "control/body/PartData.h"

namespace zubrelle {

constexpr std::uint32_t kPixelFormat565 = 1;  // any other value means 5-5-5

std::uint32_t ConvertPixel565(std::uint16_t pixel);
std::uint32_t ConvertPixel555(std::uint16_t pixel);

// True when the file holds a directory entry for every image 0 to 9 and each entry's
// pixels lie inside the file.
bool SpriteFileIsComplete(std::span<const std::uint8_t> file);

// Fills image from entry index (0 to 9) of the file. Returns false, leaving image empty
// (no pixels, empty bounds), when the entry or its pixels lie outside the file.
bool DecodeImage(std::span<const std::uint8_t> file, int index, PartImage& image);

}  // namespace zubrelle
