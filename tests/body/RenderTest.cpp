// The renderer: placement and sampling at scales below, at and above 1, centring, clipping,
// and unusable input that must leave the bitmap alone.
#include <gtest/gtest.h>

#include <cmath>

#include "TestBody.h"

namespace {

using namespace bodytest;

constexpr std::uint16_t kA = 0xF800, kB = 0x07E0, kC = 0x001F;  // 5-6-5 red, green, blue

// '.' white, 'A' 'B' 'C' the three colours, '?' anything else.
std::string Picture(const gdi::Bitmap& bitmap) {
    std::string out;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const std::uint32_t p = bitmap.At(x, y);
            out += p == 0xFFFFFF ? '.' : p == 0x0000F8 ? 'A' : p == 0x00FC00 ? 'B' : p == 0xF80000 ? 'C' : '?';
        }
        out += '\n';
    }
    return out;
}

// A body with pixels in the body image only.
std::string LoadBodyImage(const TempTree& tree, const Sprite16& image, zubrelle::BodyModel& model) {
    TestParts body = EmptyBody();
    body[zubrelle::kBody] = UniformPart(image, std::vector<Point16>(6));
    return LoadBody(tree, body, model);
}

struct PlacementCase {
    Sprite16 image;
    gdi::Rect rect;
    double scale;
    std::string picture;  // the picture drawn, which also gives the bitmap's size
};

class Placement : public testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, CentresTheTruncatedBoxAndPaintsSampledSquares) {
    const auto& [image, rect, scale, picture] = GetParam();
    TempTree tree;
    zubrelle::BodyModel model;
    ASSERT_EQ(LoadBodyImage(tree, image, model), "");
    const int width = int(picture.find('\n'));
    gdi::Bitmap bitmap(width, int(picture.size()) / (width + 1), 0x123456);
    zubrelle::AnimationState animation;
    model.DrawPose(rect, bitmap, ConvertPoseString("2"), scale, animation);
    EXPECT_EQ(Picture(bitmap), picture);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, Placement,
    testing::Values(
        // 3 x 2 at (2, 1), halves truncated: squares of side 2, later pixels painting over the overlaps.
        PlacementCase{
            {3, 2, {kA, kB, kA, kB, kC, kB}}, {0, 0, 7, 5}, 1.0, ".......\n..ABAA.\n..BCBB.\n..BCBB.\n.......\n"},
        // Box trunc(2.5) x trunc(1.5) at (2, 2); every other row and column, side by side.
        PlacementCase{{5, 3, {kA, kB, kC, kB, kA, kB, kB, kB, kB, kB, kC, kB, kA, kB, kC}},
                      {0, 0, 6, 5},
                      0.5,
                      "......\n......\n..ACA.\n..CAC.\n......\n"},
        // Box 6 x 3 at (2, 1): squares of side 4, three apart.
        PlacementCase{{2, 1, {kA, kB}},
                      {0, 0, 10, 6},
                      3.0,
                      "..........\n..AAABBBB.\n..AAABBBB.\n..AAABBBB.\n..AAABBBB.\n..........\n"},
        // Positions trunc(0), trunc(1.5), trunc(3.0), side trunc(2.5); box 4 x 1 at (1, 1).
        PlacementCase{{3, 1, {kA, kB, kC}}, {0, 0, 6, 3}, 1.5, "......\n.ABBCC\n.ABBCC\n"},
        // Larger than the rectangle: cut on both sides.
        PlacementCase{Block(10, 1, kA), {0, 0, 4, 3}, 1.0, "....\nAAAA\nAAAA\n"},
        // Drawn relative to the bitmap; only the rectangle's size is filled.
        PlacementCase{Block(1, 1, kA), {50, 60, 54, 64}, 1.0, "....??\n.AA.??\n.AA.??\n....??\n"}));

TEST(Render, AbsurdScalesAndSlotValuesStayInsideTheBitmap) {
    TempTree tree;
    zubrelle::BodyModel model;
    ASSERT_EQ(LoadBodyImage(tree, {3, 2, {kA, kB, kA, kB, kC, kB}}, model), "");
    gdi::Bitmap bitmap(8, 8);
    zubrelle::AnimationState animation;
    model.DrawPose({0, 0, 8, 8}, bitmap, ConvertPoseString("2"), std::nan(""), animation);
    // In direction 3 a slot value of 7 picks image 11, which is not drawn.
    model.DrawPose({0, 0, 8, 8}, bitmap, ConvertPoseString("307"), 1.0, animation);
    EXPECT_EQ(Picture(bitmap).find_first_not_of(".\n"), std::string::npos);
    for (double scale : {1e30, -1e30, -2.0, 1e-300})
        model.DrawPose({0, 0, 8, 8}, bitmap, ConvertPoseString("2"), scale, animation);
    zubrelle::PoseSlotValues extreme;
    extreme.fill(2147483647);
    extreme[0] = 3;
    EXPECT_EQ(model.LayoutFigure(extreme, 1.0).image[zubrelle::kBody], 1000000);
    extreme.fill(-2147483647 - 1);
    model.DrawPose({0, 0, 8, 8}, bitmap, extreme, 1.0, animation);
}

TEST(Render, UnloadedModelDrawsNothingAndCountsNoFrames) {
    zubrelle::BodyModel model;
    gdi::Bitmap bitmap(5, 5, 0x123456);
    zubrelle::AnimationState animation;
    std::vector<zubrelle::PoseSlotValues> poses(3);
    model.DrawPose({0, 0, 5, 5}, bitmap, ConvertPoseString("2"), 1.0, animation);
    EXPECT_EQ(model.PrepareWalk({0, 0, 5, 5}, poses, 2, 1.0, 0, animation), 0);
    EXPECT_EQ(model.DrawWalkFrame({0, 0, 5, 5}, bitmap, animation), 0);
    EXPECT_EQ(model.DrawStandFrame({0, 0, 5, 5}, bitmap, 0, animation), 0);
    EXPECT_EQ(bitmap.Pixels(), std::vector<std::uint32_t>(25, 0x123456));
    animation.current = 4;
    EXPECT_EQ(model.PrepareStand(poses, 2, 2.5, animation), 0);
    EXPECT_EQ(std::pair(animation.current, animation.scale), std::pair(0, 2.5));
}

}  // namespace
