// The bitmap's size rules, pixel access and memory layout.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi/Bitmap.h"

namespace {

TEST(Bitmap, NonPositiveSizesGiveAnEmptyBitmap) {
    for (auto [w, h] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-3, 4}, std::pair{4, -3}}) {
        gdi::Bitmap bitmap(w, h, 0x123456);
        EXPECT_TRUE(bitmap.Empty());
        EXPECT_EQ(bitmap.Width(), 0);
        EXPECT_EQ(bitmap.Height(), 0);
    }
}

TEST(Bitmap, OutsidePixelsReadAsZero) {
    gdi::Bitmap bitmap(3, 2, 0xABCDEF);
    EXPECT_EQ(bitmap.At(2, 1), 0xABCDEFu);
    EXPECT_EQ(bitmap.At(3, 1), 0u);
    EXPECT_EQ(bitmap.At(-1, 0), 0u);
    EXPECT_EQ(bitmap.At(0, 2), 0u);
}

TEST(Bitmap, PixelsAreRedGreenBlueBytesInMemory) {
    gdi::Bitmap bitmap(1, 1, gdi::Rgb(0x11, 0x22, 0x33));
    unsigned char bytes[4];
    std::memcpy(bytes, bitmap.Pixels().data(), 4);
    // Little-endian 0x00BBGGRR: red first, as an RGBX image expects.
    EXPECT_EQ(bytes[0], 0x11);
    EXPECT_EQ(bytes[1], 0x22);
    EXPECT_EQ(bytes[2], 0x33);
    EXPECT_EQ(bytes[3], 0x00);
}

}  // namespace
