// The drawing operations the body renderer needs, on a bitmap selected into a context.
// Every operation clips to the bitmap: nothing is written outside it.
//
// The 2-pixel pen line (LineTo after MoveTo): the path is the Bresenham line from the
// current position (x0, y0) to (x1, y1), both ends included: along the major axis every
// integer step is visited once, and the minor coordinate is x0 + round(d * t) with halves
// rounded away from the start (d the minor difference, t the fraction of the major run).
// For every path point (x, y) the 2 x 2 block {x-1, x} x {y-1, y} is painted, so a
// horizontal line covers rows y-1 and y, a vertical one columns x-1 and x, and a line
// from (0, y) to (W, y) covers the whole width of a W-pixel bitmap. LineTo leaves the
// current position at (x1, y1).
#pragma once

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Geometry.h"

namespace gdi {

class DrawContext {
public:
    // A context with no bitmap selected draws nothing.
    DrawContext() = default;
    explicit DrawContext(Bitmap& bitmap) : m_bitmap(&bitmap) {}

    // Selects a bitmap (or none) and returns the one selected before.
    Bitmap* Select(Bitmap* bitmap);
    Bitmap* Selected() const { return m_bitmap; }

    // Fills [left, right) x [top, bottom); an empty or inverted rectangle fills nothing.
    void FillSolidRect(const Rect& rect, Colour colour);
    void FillSolidRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, Colour colour);
    void SetPixel(std::int32_t x, std::int32_t y, Colour colour);

    // The pen used by LineTo: solid, 2 pixels wide.
    void SetPenColour(Colour colour) { m_pen = colour; }
    Colour PenColour() const { return m_pen; }
    void MoveTo(std::int32_t x, std::int32_t y) { m_current = {x, y}; }
    void LineTo(std::int32_t x, std::int32_t y);
    Point CurrentPosition() const { return m_current; }

    // Copies the whole of source with its top-left at (x, y), clipped to both bitmaps.
    void BitBlt(std::int32_t x, std::int32_t y, const Bitmap& source);

private:
    Bitmap* m_bitmap = nullptr;
    Colour m_pen = 0;
    Point m_current{};
};

}  // namespace gdi
