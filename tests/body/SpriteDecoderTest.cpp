// Sprite decoding: both pixel formats, transparency, bounds, and files that are too short.
#include <gtest/gtest.h>

#include "TestBody.h"
#include "control/body/SpriteDecoder.h"

namespace {

using bodytest::Block;
using bodytest::Sprite16;

struct PixelCase {
    std::uint32_t format;
    std::uint16_t pixel;
    std::uint32_t colour;  // 0x00BBGGRR
};

class PixelConversion : public testing::TestWithParam<PixelCase> {};

TEST_P(PixelConversion, DecodesWithoutReplicatingLowBits) {
    const PixelCase& c = GetParam();
    std::vector<Sprite16> images(10, Block(1, 1, c.pixel));
    const auto file = democreature::EncodeSpriteFile(images, c.format);
    zubrelle::PartImage image;
    ASSERT_TRUE(zubrelle::DecodeImage(file, 3, image));
    ASSERT_EQ(image.pixels.size(), 1u);
    EXPECT_EQ(image.pixels[0], c.colour);
}

INSTANTIATE_TEST_SUITE_P(Formats, PixelConversion, testing::Values(
    PixelCase{1, 0xFFFF, 0xF8FCF8},
    PixelCase{0, 0x7FFF, 0xF8F8F8},
    PixelCase{2, 0x7FFF, 0xF8F8F8},  // any value other than 1 is 5-5-5
    PixelCase{1, 0x0001, 0x080000},
    PixelCase{0, 0x0001, 0x080000},
    PixelCase{1, 0xF800, 0x0000F8},  // 5-6-5 red
    PixelCase{1, 0x07E0, 0x00FC00},  // 5-6-5 green, six bits
    PixelCase{0, 0x7C00, 0x0000F8},  // 5-5-5 red
    PixelCase{0, 0x03E0, 0x00F800},  // 5-5-5 green
    PixelCase{0, 0x8000, 0x000000},  // 5-5-5 ignores the top bit: opaque black
    PixelCase{1, 0x0000, 0xFFFFFFFF}));

TEST(SpriteDecoder, BoundsAreInclusiveAroundOpaquePixels) {
    Sprite16 sprite = Block(5, 4, 0);
    sprite.pixels[1 * 5 + 3] = 0x1234;  // (3, 1)
    sprite.pixels[2 * 5 + 1] = 0x4321;  // (1, 2)
    std::vector<Sprite16> images(10, Block(1, 1, 0));
    images[7] = sprite;
    const auto file = democreature::EncodeSpriteFile(images, 1);
    zubrelle::PartImage image;
    ASSERT_TRUE(zubrelle::DecodeImage(file, 7, image));
    EXPECT_EQ(image.width, 5);
    EXPECT_EQ(image.height, 4);
    EXPECT_EQ(image.bounds, (zubrelle::ImageBounds{1, 1, 3, 2}));
    EXPECT_EQ(image.pixels[0], zubrelle::kTransparent);
    EXPECT_EQ(image.pixels[8], zubrelle::ConvertPixel565(0x1234));
}

TEST(SpriteDecoder, AllTransparentImageKeepsTheSentinelBounds) {
    std::vector<Sprite16> images(10, Block(3, 2, 0));
    const auto file = democreature::EncodeSpriteFile(images, 1);
    zubrelle::PartImage image;
    ASSERT_TRUE(zubrelle::DecodeImage(file, 0, image));
    EXPECT_EQ(image.bounds, (zubrelle::ImageBounds{1000000, 1000000, -1000000, -1000000}));
    for (std::uint32_t p : image.pixels) EXPECT_EQ(p, zubrelle::kTransparent);
}

TEST(SpriteDecoder, EmptyImagesDecodeToNothing) {
    std::vector<Sprite16> images(10, Sprite16{});
    const auto file = democreature::EncodeSpriteFile(images, 1);
    EXPECT_TRUE(zubrelle::SpriteFileIsComplete(file));
    zubrelle::PartImage image;
    ASSERT_TRUE(zubrelle::DecodeImage(file, 9, image));
    EXPECT_TRUE(image.pixels.empty());
}

TEST(SpriteDecoder, RejectsWhatLiesOutsideTheFile) {
    std::vector<Sprite16> images(10, Block(2, 2, 0x1111));
    const auto whole = democreature::EncodeSpriteFile(images, 1);
    EXPECT_TRUE(zubrelle::SpriteFileIsComplete(whole));

    // Nine directory entries only.
    const auto nine = democreature::EncodeSpriteFile({images.begin(), images.begin() + 9}, 1);
    EXPECT_FALSE(zubrelle::SpriteFileIsComplete(nine));

    // The last image's pixels cut short by one byte.
    std::vector<std::uint8_t> cut(whole.begin(), whole.end() - 1);
    EXPECT_FALSE(zubrelle::SpriteFileIsComplete(cut));
    zubrelle::PartImage image;
    EXPECT_FALSE(zubrelle::DecodeImage(cut, 9, image));
    EXPECT_TRUE(image.pixels.empty());
    EXPECT_TRUE(zubrelle::DecodeImage(cut, 8, image));

    // An offset far past the end, and a size whose byte count overflows 32 bits.
    std::vector<std::uint8_t> far = whole;
    far[6 + 8 * 4 + 3] = 0xFF;
    EXPECT_FALSE(zubrelle::DecodeImage(far, 4, image));
    std::vector<std::uint8_t> huge = whole;
    for (int i = 0; i < 4; ++i) huge[6 + 8 * 2 + 4 + i] = 0xFF;
    EXPECT_FALSE(zubrelle::DecodeImage(huge, 2, image));

    EXPECT_FALSE(zubrelle::DecodeImage(whole, 10, image));
    EXPECT_FALSE(zubrelle::DecodeImage(whole, -1, image));
    EXPECT_FALSE(zubrelle::DecodeImage({}, 0, image));
}

}  // namespace
