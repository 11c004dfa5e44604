// The drawing context: clipped fills, pixels, 2-pixel pen lines and bitmap copies.
#include "platform/gdi/DrawContext.h"

#include <algorithm>
#include <cstdlib>

namespace gdi {

Bitmap* DrawContext::Select(Bitmap* bitmap) {
    Bitmap* previous = m_bitmap;
    m_bitmap = bitmap;
    return previous;
}

void DrawContext::FillSolidRect(const Rect& rect, Colour colour) {
    if (m_bitmap == nullptr) {
        return;
    }
    // 64-bit bounds: callers may pass rectangles far outside the bitmap.
    const std::int64_t left = std::max<std::int64_t>(rect.left, 0);
    const std::int64_t top = std::max<std::int64_t>(rect.top, 0);
    const std::int64_t right = std::min<std::int64_t>(rect.right, m_bitmap->Width());
    const std::int64_t bottom = std::min<std::int64_t>(rect.bottom, m_bitmap->Height());
    if (left >= right || top >= bottom) {
        return;
    }
    for (std::int64_t y = top; y < bottom; ++y) {
        Colour* row = m_bitmap->Row(std::int32_t(y));
        std::fill(row + left, row + right, colour);
    }
}

void DrawContext::FillSolidRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                Colour colour) {
    if (m_bitmap == nullptr || width <= 0 || height <= 0) {
        return;
    }
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t(x) + width, m_bitmap->Width());
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t(y) + height, m_bitmap->Height());
    for (std::int64_t row = top; row < bottom; ++row) {
        Colour* p = m_bitmap->Row(std::int32_t(row));
        for (std::int64_t col = left; col < right; ++col) {
            p[col] = colour;
        }
    }
}

void DrawContext::SetPixel(std::int32_t x, std::int32_t y, Colour colour) {
    if (m_bitmap != nullptr && m_bitmap->Contains(x, y)) {
        m_bitmap->Row(y)[x] = colour;
    }
}

void DrawContext::LineTo(std::int32_t x1, std::int32_t y1) {
    const std::int64_t x0 = m_current.x;
    const std::int64_t y0 = m_current.y;
    m_current = {x1, y1};
    if (m_bitmap == nullptr) {
        return;
    }
    const std::int64_t dx = std::int64_t(x1) - x0;
    const std::int64_t dy = std::int64_t(y1) - y0;
    const std::int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
    // Only the part of the run whose major coordinate can reach the bitmap is visited.
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t start = xMajor ? x0 : y0;
    const std::int64_t limit = xMajor ? m_bitmap->Width() : m_bitmap->Height();
    const bool forward = (xMajor ? dx : dy) >= 0;
    std::int64_t first = forward ? -start : start - limit;
    std::int64_t last = forward ? limit - start : start;
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, steps);
    for (std::int64_t i = first; i <= last; ++i) {
        std::int64_t x = x0;
        std::int64_t y = y0;
        if (steps > 0) {
            // Minor coordinate rounded to nearest, halves away from the start.
            // Nearest to d * i / steps, halves away from the start: with the half step
            // added on d's side, truncation toward zero finishes the rounding.
            auto along = [&](std::int64_t d) { return (2 * d * i + (d >= 0 ? steps : -steps)) / (2 * steps); };
            if (xMajor) {
                x = x0 + (dx >= 0 ? i : -i);
                y = y0 + along(dy);
            } else {
                y = y0 + (dy >= 0 ? i : -i);
                x = x0 + along(dx);
            }
        }
        if (x < 0 || y < 0 || x > m_bitmap->Width() || y > m_bitmap->Height()) {
            continue;
        }
        FillSolidRect(std::int32_t(x - 1), std::int32_t(y - 1), 2, 2, m_pen);
    }
}

void DrawContext::BitBlt(std::int32_t x, std::int32_t y, const Bitmap& source) {
    if (m_bitmap == nullptr) {
        return;
    }
    for (std::int32_t sy = 0; sy < source.Height(); ++sy) {
        const std::int64_t ty = std::int64_t(y) + sy;
        if (ty < 0 || ty >= m_bitmap->Height()) {
            continue;
        }
        const Colour* from = source.Row(sy);
        Colour* to = m_bitmap->Row(std::int32_t(ty));
        for (std::int32_t sx = 0; sx < source.Width(); ++sx) {
            const std::int64_t tx = std::int64_t(x) + sx;
            if (tx >= 0 && tx < m_bitmap->Width()) {
                to[tx] = from[sx];
            }
        }
    }
}

}  // namespace gdi
