// Fills, pixels, the 2-pixel pen line and bitmap copies, all clipped to the bitmap.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/DrawContext.h"

namespace {

constexpr gdi::Colour kInk = 0x0000FF;

// The bitmap as rows of '#' (ink) and '.' (anything else).
std::string Picture(const gdi::Bitmap& bitmap) {
    std::string out;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            out += bitmap.At(x, y) == kInk ? '#' : '.';
        }
        out += '\n';
    }
    return out;
}

struct FillCase {
    gdi::Rect rect;
    const char* picture;
};

class FillSolidRect : public testing::TestWithParam<FillCase> {};

TEST_P(FillSolidRect, FillsHalfOpenRectangleClippedToTheBitmap) {
    gdi::Bitmap bitmap(4, 3);
    gdi::DrawContext dc(bitmap);
    dc.FillSolidRect(GetParam().rect, kInk);
    EXPECT_EQ(Picture(bitmap), GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(Rectangles, FillSolidRect, testing::Values(
    FillCase{{1, 1, 3, 2}, "....\n.##.\n....\n"},
    FillCase{{-5, -5, 1, 1}, "#...\n....\n....\n"},
    FillCase{{3, 2, 100, 100}, "....\n....\n...#\n"},
    FillCase{{-2147483647, -2147483647, 2147483647, 2147483647}, "####\n####\n####\n"},
    FillCase{{2, 1, 1, 2}, "....\n....\n....\n"},     // inverted: nothing
    FillCase{{1, 1, 1, 3}, "....\n....\n....\n"}));  // empty: nothing

TEST(DrawContext, SquareFillClipsAtEveryEdge) {
    gdi::Bitmap bitmap(3, 3);
    gdi::DrawContext dc(bitmap);
    dc.FillSolidRect(-1, 2, 2, 4, kInk);
    dc.FillSolidRect(2147483600, 0, 100, 100, kInk);  // must not overflow
    EXPECT_EQ(Picture(bitmap), "...\n...\n#..\n");
}

TEST(DrawContext, SetPixelIgnoresPointsOutside) {
    gdi::Bitmap bitmap(2, 2);
    gdi::DrawContext dc(bitmap);
    dc.SetPixel(1, 0, kInk);
    dc.SetPixel(2, 0, kInk);
    dc.SetPixel(-1, 1, kInk);
    dc.SetPixel(0, 2, kInk);
    EXPECT_EQ(Picture(bitmap), ".#\n..\n");
}

TEST(DrawContext, WithoutABitmapNothingHappens) {
    gdi::DrawContext dc;
    dc.FillSolidRect({0, 0, 10, 10}, kInk);
    dc.SetPixel(0, 0, kInk);
    dc.MoveTo(0, 0);
    dc.LineTo(5, 5);
    EXPECT_EQ(dc.CurrentPosition(), (gdi::Point{5, 5}));
}

TEST(DrawContext, SelectReturnsThePreviousBitmap) {
    gdi::Bitmap a(1, 1);
    gdi::Bitmap b(1, 1);
    gdi::DrawContext dc(a);
    EXPECT_EQ(dc.Select(&b), &a);
    dc.SetPixel(0, 0, kInk);
    EXPECT_EQ(dc.Select(nullptr), &b);
    EXPECT_EQ(a.At(0, 0), 0u);
    EXPECT_EQ(b.At(0, 0), kInk);
}

struct LineCase {
    gdi::Point from;
    gdi::Point to;
    const char* picture;
};

class PenLine : public testing::TestWithParam<LineCase> {};

TEST_P(PenLine, PaintsATwoByTwoBlockUpAndLeftOfEveryPathPoint) {
    gdi::Bitmap bitmap(6, 5);
    gdi::DrawContext dc(bitmap);
    dc.SetPenColour(kInk);
    dc.MoveTo(GetParam().from.x, GetParam().from.y);
    dc.LineTo(GetParam().to.x, GetParam().to.y);
    EXPECT_EQ(Picture(bitmap), GetParam().picture);
    EXPECT_EQ(dc.CurrentPosition(), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Lines, PenLine, testing::Values(
    // Horizontal across the whole width: rows y-1 and y, every column.
    LineCase{{0, 3}, {6, 3}, "......\n......\n######\n######\n......\n"},
    // Vertical: columns x-1 and x, both ends included.
    LineCase{{3, 1}, {3, 3}, "..##..\n..##..\n..##..\n..##..\n......\n"},
    // Diagonal: one block per step.
    LineCase{{1, 1}, {4, 4}, "##....\n###...\n.###..\n..###.\n...##.\n"},
    // Shallow slope: the minor coordinate rounds to nearest, halves away from the start.
    LineCase{{1, 1}, {5, 3}, "##....\n####..\n.#####\n...###\n......\n"},
    // Reversed direction paints the same cells as the forward line when no half occurs.
    LineCase{{4, 4}, {1, 1}, "##....\n###...\n.###..\n..###.\n...##.\n"},
    // A single point.
    LineCase{{2, 2}, {2, 2}, "......\n.##...\n.##...\n......\n......\n"},
    // Far outside on both ends: only the visible run is painted.
    LineCase{{-2000000000, 2}, {2000000000, 2}, "......\n######\n######\n......\n......\n"},
    // Entirely outside: nothing.
    LineCase{{-10, -10}, {-2, -8}, "......\n......\n......\n......\n......\n"}));

TEST(DrawContext, BitBltCopiesClippedToBothBitmaps) {
    gdi::Bitmap source(3, 2, kInk);
    gdi::Bitmap target(4, 3);
    gdi::DrawContext dc(target);
    dc.BitBlt(-1, 2, source);
    dc.BitBlt(3, -1, source);
    EXPECT_EQ(Picture(target), "...#\n....\n##..\n");
}

}  // namespace
