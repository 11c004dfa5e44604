// Decoding one image of a sprite file (".s16") into 32-bit colours with bounds.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "control/body/PartData.h"

namespace zubrelle {

constexpr std::uint32_t kPixelFormat565 = 1;  // any other value means 5-5-5

std::uint32_t ConvertPixel565(std::uint16_t pixel);
std::uint32_t ConvertPixel555(std::uint16_t pixel);

// True when the file holds a directory entry for every image 0 to 9 and each entry's
// pixels lie inside the file.
bool SpriteFileIsComplete(std::span<const std::uint8_t> file);
// How an incomplete file is damaged ("it is empty", "it ends at 50 bytes, inside its directory ...",
// "the pixels of image 2 (offset 60, 20 x 10) run past its end at 300 bytes"); empty
// when it is complete.
std::string SpriteFileProblem(std::span<const std::uint8_t> file);

// The bytes the ten images of a complete file take once decoded (4 a pixel), a block that
// several entries name counted once.
std::uint64_t DecodedSpriteBytes(std::span<const std::uint8_t> file);

// Fills image from entry index (0 to 9) of the file. Returns false, leaving image empty
// (no pixels, empty bounds), when the entry or its pixels lie outside the file.
bool DecodeImage(std::span<const std::uint8_t> file, int index, PartImage& image);
// Fills the ten images as DecodeImage does. Entries naming the same block (offset, width
// and height) share the first one's decoded buffer: a file whose entries all point at one
// large block costs that block once, not ten times.
void DecodeImages(std::span<const std::uint8_t> file, std::array<PartImage, kImagesPerPart>& images);

}  // namespace zubrelle
