// Painting into the host's pixels: a solid fill, a single-line frame, and the
// copy of an off-screen bitmap, all clipped to the target.
#pragma once

#include "platform/com/ControlSite.h"
#include "platform/gdi/Bitmap.h"

namespace zubrelle {

void FillTarget(const com::PixelTarget& target, const com::RECT& rect, gdi::Colour colour);
void FrameTarget(const com::PixelTarget& target, const com::RECT& rect, gdi::Colour colour);
void CopyToTarget(const com::PixelTarget& target, std::int32_t x, std::int32_t y, const gdi::Bitmap& bitmap);

}  // namespace zubrelle
