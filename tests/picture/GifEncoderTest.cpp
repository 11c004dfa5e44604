// The GIF encoder alone: exact colours up to 256, giflib's median cut past
// them, the loop extension, and refusing to encode nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "editor/picture/GifEncoder.h"
#include "fixtures/TempDir.h"
#include "picture/WalkTestSupport.h"

namespace mirtala::test {
namespace {

TEST(GifColours, ExactUpTo256ColoursAndQuantizedPastThem) {
    // Frame 0 holds 4096 colours (a 64 x 64 ramp of 16 levels a channel); frame 1 two.
    const int w = 64, h = 64;
    std::vector<Pixels> frames(2, Pixels(std::size_t(w * h)));
    for (int i = 0; i < w * h; ++i) {
        frames[0][std::size_t(i)] = std::uint32_t((i & 15) * 17) | std::uint32_t(((i >> 4) & 15) * 17) << 8 |
                                    std::uint32_t(((i >> 8) & 15) * 17) << 16;
        frames[1][std::size_t(i)] = i % 3 ? 0x000000FFu : 0x00FFFFFFu;
    }
    std::vector<std::uint8_t> gif;
    std::string error;
    ASSERT_TRUE(EncodeGif(frames, w, h, 10, gif, error)) << error;
    const std::string loopsForEver("NETSCAPE2.0\3\1\0\0\0", 16);
    EXPECT_NE(std::string(gif.begin(), gif.end()).find(loopsForEver), std::string::npos);
    TempDir dir;
    int width = 0, height = 0;
    const std::vector<Pixels> decoded = ReadGif(dir.Write("q.gif", std::string(gif.begin(), gif.end())), width, height);
    ASSERT_EQ(decoded.size(), 2u);
    EXPECT_EQ(decoded[1], frames[1]) << "a frame of few colours keeps them exactly";
    // giflib's median cut works on 5 bits a channel: every channel of the ramp
    // stays within 32 levels (31 measured).
    int worst = 0;
    for (std::size_t i = 0; i < frames[0].size(); ++i)
        for (int shift : {0, 8, 16})
            worst = std::max(worst, std::abs(int((decoded[0][i] >> shift) & 255) - int((frames[0][i] >> shift) & 255)));
    EXPECT_LE(worst, 32);

    gif.clear();  // nothing to encode is a failure with its reason, not an empty file
    EXPECT_FALSE(EncodeGif({}, w, h, 10, gif, error));
    EXPECT_FALSE(EncodeGif(frames, 0, h, 10, gif, error)) << "no column";
    EXPECT_NE(error.find("at least one frame"), std::string::npos) << error;
    EXPECT_TRUE(gif.empty());
}

}  // namespace
}  // namespace mirtala::test
