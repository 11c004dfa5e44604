// The onion skin of an animated picture: the frame shown with the frames
// before and after it behind it, faded, so that a walk can be judged against
// its neighbours. The neighbours are the control's own frames (its
// FrameOffset member), so they are exactly what the animation shows.
//
// The fading rule, in the control's 0x00BBGGRR pixels:
// - depth d = 1 to 3 frames on each side (clamped); the frame before the first
//   is the loop's last, and the one after the last is the first.
// - the canvas starts white; the neighbours go on it farthest first, at each
//   distance the frame before and then the one after.
// - only a neighbour's non-white pixels p are drawn: tinted halfway toward
//   pure blue (before) or pure red (after), t = (p + tint) / 2 per channel,
//   then laid over the canvas c with the opacity of its distance,
//   c + (t - c) x a / 256 rounded, a = 128, 77, 38 for distances 1, 2, 3.
// - the frame shown is last: each of its non-white pixels replaces the canvas.
//   Every frame draws the floor line at the same place, so the shown frame's
//   line covers the neighbours' and the floor is seen once, unfaded.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace mirtala {

class ZubrelleHost;

class OnionSkin {
public:
    static constexpr int kMaxDepth = 3;
    static constexpr std::uint32_t kBeforeTint = 0x00FF0000;  // blue
    static constexpr std::uint32_t kAfterTint = 0x000000FF;   // red
    static constexpr std::uint32_t kOpacity[kMaxDepth] = {128, 77, 38};

    // A frame of width x height pixels, rows packed.
    using Frame = std::vector<std::uint32_t>;

    // The rule above: before[k] and after[k] are the frames k + 1 away, as
    // many as the depth; out is width x height with the given stride.
    static void Compose(const Frame& shown, std::span<const Frame> before, std::span<const Frame> after,
                        std::uint32_t* out, std::int32_t width, std::int32_t height, std::int32_t stride);

    explicit OnionSkin(int depth);
    int Depth() const { return m_depth; }

    // Paints the control's next frame as a plain paint does (the animation
    // moves on as usual), then its neighbours, and composes them into pixels.
    void Paint(ZubrelleHost& host, std::uint32_t* pixels, std::int32_t width, std::int32_t height, std::int32_t stride);

private:
    int m_depth;
    Frame m_shown;
    std::vector<Frame> m_before, m_after;  // kept between paints of one size
};

}  // namespace mirtala
