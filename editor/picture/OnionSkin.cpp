// Composing the onion skin from the control's frames.
#include "editor/picture/OnionSkin.h"

#include <algorithm>

#include "editor/picture/ZubrelleHost.h"

namespace mirtala {

namespace {
constexpr std::uint32_t kWhite = 0x00FFFFFF;

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

// One neighbour's pixel over the canvas pixel.
std::uint32_t Fade(std::uint32_t canvas, std::uint32_t pixel, std::uint32_t tint, std::uint32_t opacity) {
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t t = (Channel(pixel, shift) + Channel(tint, shift)) / 2;
        const std::uint32_t c = Channel(canvas, shift);
        result |= ((c * (256 - opacity) + t * opacity + 128) >> 8) << shift;
    }
    return result;
}

void Lay(const OnionSkin::Frame& frame, std::uint32_t tint, std::uint32_t opacity, std::uint32_t* out,
         std::int32_t width, std::int32_t height, std::int32_t stride) {
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint32_t* row = frame.data() + std::size_t(y) * std::size_t(width);
        std::uint32_t* target = out + std::size_t(y) * std::size_t(stride);
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t p = row[x] & kWhite;
            if (p != kWhite) target[x] = Fade(target[x], p, tint, opacity);
        }
    }
}
}  // namespace

void OnionSkin::Compose(const Frame& shown, std::span<const Frame> before, std::span<const Frame> after,
                        std::uint32_t* out, std::int32_t width, std::int32_t height, std::int32_t stride) {
    for (std::int32_t y = 0; y < height; ++y) std::fill_n(out + std::size_t(y) * std::size_t(stride), width, kWhite);
    const std::size_t depth = std::min<std::size_t>(std::max(before.size(), after.size()), kMaxDepth);
    for (std::size_t d = depth; d-- > 0;) {
        if (d < before.size()) Lay(before[d], kBeforeTint, kOpacity[d], out, width, height, stride);
        if (d < after.size()) Lay(after[d], kAfterTint, kOpacity[d], out, width, height, stride);
    }
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint32_t* row = shown.data() + std::size_t(y) * std::size_t(width);
        std::uint32_t* target = out + std::size_t(y) * std::size_t(stride);
        for (std::int32_t x = 0; x < width; ++x)
            if ((row[x] & kWhite) != kWhite) target[x] = row[x] & kWhite;
    }
}

OnionSkin::OnionSkin(int depth)
    : m_depth(std::clamp(depth, 1, kMaxDepth)), m_before(std::size_t(m_depth)), m_after(std::size_t(m_depth)) {}

void OnionSkin::Paint(ZubrelleHost& host, std::uint32_t* pixels, std::int32_t width, std::int32_t height,
                      std::int32_t stride) {
    if (width <= 0 || height <= 0) return;
    const std::size_t size = std::size_t(width) * std::size_t(height);
    auto paint = [&](Frame& frame, std::int32_t offset) {
        frame.resize(size);  // the control paints every pixel
        if (offset == 0)
            host.Paint(frame.data(), width, height, width);
        else
            host.PaintFrame(offset, frame.data(), width, height, width);
    };
    paint(m_shown, 0);
    // A still picture has no neighbours.
    const int frames = host.GetFrameCount();
    const int depth = frames > 1 ? std::min(m_depth, frames - 1) : 0;
    for (int d = 0; d < depth; ++d) {
        paint(m_before[std::size_t(d)], -(d + 1));
        paint(m_after[std::size_t(d)], d + 1);
    }
    Compose(m_shown, std::span(m_before).first(std::size_t(depth)), std::span(m_after).first(std::size_t(depth)),
            pixels, width, height, stride);
}

}  // namespace mirtala
