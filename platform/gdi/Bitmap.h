// A 32-bit bitmap of 0x00BBGGRR values, rows top first without padding. In memory each
// pixel is the bytes R, G, B, X, so a host can show the buffer as an RGBX image as is.
#pragma once

#include <cstdint>
#include <vector>

namespace gdi {

using Colour = std::uint32_t;

constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour(r) | (Colour(g) << 8) | (Colour(b) << 16);
}

class Bitmap {
public:
    Bitmap() = default;
    // Negative sizes give an empty bitmap; the new pixels are black (0).
    Bitmap(std::int32_t width, std::int32_t height, Colour fill = 0);

    std::int32_t Width() const { return m_width; }
    std::int32_t Height() const { return m_height; }
    bool Empty() const { return m_pixels.empty(); }

    bool Contains(std::int32_t x, std::int32_t y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // Pixel outside the bitmap reads as 0.
    Colour At(std::int32_t x, std::int32_t y) const;

    Colour* Row(std::int32_t y) { return m_pixels.data() + std::size_t(y) * std::size_t(m_width); }
    const Colour* Row(std::int32_t y) const { return m_pixels.data() + std::size_t(y) * std::size_t(m_width); }
    const std::vector<Colour>& Pixels() const { return m_pixels; }
    std::vector<Colour>& Pixels() { return m_pixels; }

private:
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::vector<Colour> m_pixels;
};

}  // namespace gdi
