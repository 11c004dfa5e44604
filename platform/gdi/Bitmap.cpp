// The 32-bit bitmap.
#include "platform/gdi/Bitmap.h"

namespace gdi {

Bitmap::Bitmap(std::int32_t width, std::int32_t height, Colour fill) {
    if (width <= 0 || height <= 0) {
        return;
    }
    m_width = width;
    m_height = height;
    m_pixels.assign(std::size_t(width) * std::size_t(height), fill);
}

Colour Bitmap::At(std::int32_t x, std::int32_t y) const { return Contains(x, y) ? Row(y)[x] : 0; }

}  // namespace gdi
