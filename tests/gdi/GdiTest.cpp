// The bitmap's size rules; fills, pixels and bitmap copies, all clipped to the
// bitmap. A pen line on the left edge; its other paths are held by the renderer's tests and the demo checksums.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/DrawContext.h"

namespace {

constexpr gdi::Colour kInk = 0x0000FF;

// The bitmap as rows of '#' (ink) and '.' (anything else).
std::string Picture(const gdi::Bitmap& bitmap) {
    std::string out;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) out += bitmap.At(x, y) == kInk ? '#' : '.';
        out += '\n';
    }
    return out;
}

TEST(Bitmap, EmptySizesAndReadsOutside) {
    for (auto [w, h] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-3, 4}, std::pair{4, -3}}) {
        const gdi::Bitmap empty(w, h, 0x123456);
        EXPECT_TRUE(empty.Empty()) << w << " x " << h;
        EXPECT_EQ(empty.Width(), 0) << w << " x " << h;
        EXPECT_EQ(empty.Height(), 0) << w << " x " << h;
    }
    // The colour layout (red in the low byte) is held by the renderer's tests.
    const gdi::Bitmap bitmap(3, 2, kInk);
    for (auto [x, y] : {std::pair{3, 1}, std::pair{-1, 0}, std::pair{0, 2}}) EXPECT_EQ(bitmap.At(x, y), 0u);
}

TEST(DrawContext, FillsPixelsAndCopiesClipToTheBitmap) {
    const std::pair<gdi::Rect, const char*> fills[] = {
        {{1, 1, 3, 2}, "....\n.##.\n....\n"},
        {{-5, -5, 1, 1}, "#...\n....\n....\n"},
        {{3, 2, 100, 100}, "....\n....\n...#\n"},
        {{-2147483647, -2147483647, 2147483647, 2147483647}, "####\n####\n####\n"},
        {{2, 1, 1, 2}, "....\n....\n....\n"},   // inverted: nothing
        {{1, 1, 1, 3}, "....\n....\n....\n"}};  // empty: nothing
    for (const auto& [rect, picture] : fills) {
        gdi::Bitmap bitmap(4, 3);
        gdi::DrawContext(bitmap).FillSolidRect(rect, kInk);
        EXPECT_EQ(Picture(bitmap), picture);
    }
    gdi::Bitmap bitmap(4, 3), source(3, 2, kInk);
    gdi::DrawContext dc(bitmap);
    dc.FillSolidRect(-1, 0, 2, 1, kInk);
    dc.FillSolidRect(2147483600, 0, 100, 100, kInk);  // must not overflow
    for (auto [x, y] : {std::pair{2, 1}, std::pair{4, 0}, std::pair{-1, 1}, std::pair{0, 3}}) dc.SetPixel(x, y, kInk);
    dc.BitBlt(3, -1, source);
    dc.BitBlt(-2, 2, source);
    EXPECT_EQ(Picture(bitmap), "#..#\n..#.\n#...\n");
    gdi::Bitmap line(4, 3);  // down the left edge: the path's points at x = 0 paint column 0
    gdi::DrawContext pen(line);
    pen.SetPenColour(kInk);
    pen.MoveTo(0, 1);
    pen.LineTo(0, 3);
    pen.LineTo(0, 3);  // no length, no division by it
    pen.MoveTo(1, 0);  // and along the top edge: points at y = 0 paint row 0
    pen.LineTo(3, 0);
    EXPECT_EQ(Picture(line), "####\n#...\n#...\n");
    gdi::DrawContext none;  // no bitmap: nothing, and no crash
    none.FillSolidRect({0, 0, 10, 10}, kInk);
    none.SetPixel(0, 0, kInk);
    none.LineTo(5, 5);
    EXPECT_EQ(none.CurrentPosition(), (gdi::Point{5, 5}));
}

}  // namespace
