// Clipped painting into a host's pixel buffer.
#include "control/activex/TargetPaint.h"

#include <algorithm>
#include <cstring>

namespace zubrelle {

namespace {
bool Usable(const com::PixelTarget& t) { return t.pixels && t.width > 0 && t.height > 0 && t.stride >= t.width; }
}  // namespace

void FillTarget(const com::PixelTarget& target, const com::RECT& rect, gdi::Colour colour) {
    if (!Usable(target)) return;
    std::int32_t left = std::max(rect.left, 0), right = std::min(rect.right, target.width);
    std::int32_t top = std::max(rect.top, 0), bottom = std::min(rect.bottom, target.height);
    for (std::int32_t y = top; y < bottom; ++y)
        std::fill(target.pixels + std::size_t(y) * std::size_t(target.stride) + left,
                  target.pixels + std::size_t(y) * std::size_t(target.stride) + std::max(left, right), colour);
}

void FrameTarget(const com::PixelTarget& target, const com::RECT& r, gdi::Colour colour) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    FillTarget(target, {r.left, r.top, r.right, r.top + 1}, colour);
    FillTarget(target, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
    FillTarget(target, {r.left, r.top, r.left + 1, r.bottom}, colour);
    FillTarget(target, {r.right - 1, r.top, r.right, r.bottom}, colour);
}

void CopyToTarget(const com::PixelTarget& target, std::int32_t x, std::int32_t y, const gdi::Bitmap& bitmap) {
    if (!Usable(target) || bitmap.Empty()) return;
    std::int32_t srcLeft = std::max(0, -x), srcTop = std::max(0, -y);
    std::int32_t width = std::min(bitmap.Width(), target.width - x) - srcLeft;
    std::int32_t height = std::min(bitmap.Height(), target.height - y) - srcTop;
    if (width <= 0 || height <= 0) return;
    for (std::int32_t row = 0; row < height; ++row) {
        const gdi::Colour* src = bitmap.Row(srcTop + row) + srcLeft;
        std::uint32_t* dst = target.pixels + std::size_t(y + srcTop + row) * std::size_t(target.stride) + (x + srcLeft);
        std::memcpy(dst, src, std::size_t(width) * sizeof(gdi::Colour));
    }
}

}  // namespace zubrelle
