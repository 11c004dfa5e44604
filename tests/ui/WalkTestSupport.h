// Reading back what a walk export wrote: PNG files, cells of a sprite sheet,
// and the frames of an animated GIF decoded with giflib, as 0x00BBGGRR pixels;
// and the engine's own frames to compare them with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control/body/Appearance.h"

class QImage;

namespace mirtala::test {

using Pixels = std::vector<std::uint32_t>;

// Any picture's pixels, as the files' are read.
Pixels ImagePixels(const QImage& image);
// A PNG's pixels, or nothing when it cannot be read; its size in width/height.
Pixels ReadPng(const std::string& path, int& width, int& height);
// Cell k of a sheet of cells width x height, `columns` to a row.
Pixels SheetCell(const Pixels& sheet, int sheetWidth, int columns, int k, int width, int height);
// Every frame of a GIF, each drawn over the previous; `delaysCs` gets each
// frame's delay. Nothing when giflib cannot read it.
std::vector<Pixels> ReadGif(const std::string& path, int& width, int& height, std::vector<int>* delaysCs = nullptr);
// The demo body's frames of these poses in a width x height picture, walking at `angle` degrees or, when
// `walk` is false, standing in place: `count` of them, or one full cycle when count is 0. One pose is
// drawn still, as a pose picture is: one frame.
std::vector<Pixels> EngineFrames(const zubrelle::Appearance& appearance, const std::vector<std::string>& poses,
                                 int width, int height, bool walk, int angle, int count = 0, double scale = 1.0);

}  // namespace mirtala::test
