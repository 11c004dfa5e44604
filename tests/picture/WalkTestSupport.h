// Reading back what a walk export wrote: PNG files, cells of a sprite sheet,
// and the frames of an animated GIF decoded with giflib, as 0x00BBGGRR pixels;
// and the engine's own frames to compare them with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "activex/ControlTestSupport.h"

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
// The engine's own frames, as the control's tests draw them.
using controltest::EngineFrames;

}  // namespace mirtala::test
