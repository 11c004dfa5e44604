// PNG files: encoded in memory and written through the one atomic file
// writer, and the frame files of a gait named so that they sort.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mirtala {

// 0x00BBGGRR pixels (row after row, `width` a row) as the bytes of an RGB PNG;
// false when they cannot be encoded.
bool EncodePng(const std::uint32_t* pixels, int width, int height, std::vector<std::uint8_t>& png);

// Writes 0x00BBGGRR pixels as an RGB PNG; false with the reason in `error`.
bool WritePng(const std::vector<std::uint32_t>& pixels, int width, int height, const std::string& path,
              std::string& error);

// "frame-007.png": three digits, more when the run has more than 1000 frames,
// so that every name of one run has the same width and they sort in order.
std::string FrameName(int index, int frameCount);

// Frame files in `folder` ("frame-" digits ".png") that are not among the first
// `frameCount` names of this run: left over from an earlier, longer run.
std::vector<std::string> OlderFrames(const std::string& folder, int frameCount);

}  // namespace mirtala
