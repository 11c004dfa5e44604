// The renderer's placement, sampling and overlaps, and the still picture's centring.
#include <gtest/gtest.h>

#include <cmath>

#include "TestBody.h"
#include "control/body/BodyModel.h"
#include "control/body/SpriteDecoder.h"

namespace {

using bodytest::Block;
using bodytest::TestParts;
using bodytest::Sprite16;
using bodytest::UniformPart;
using zubrelle::ConvertPoseString;

constexpr std::uint16_t kA = 0xF800;  // 5-6-5 red   -> 0x0000F8
constexpr std::uint16_t kB = 0x07E0;  // 5-6-5 green -> 0x00FC00
constexpr std::uint16_t kC = 0x001F;  // 5-6-5 blue  -> 0xF80000

// Picture of a bitmap: '.' white, 'A' 'B' 'C' the three colours, 'r' floor red, '?' else.
std::string Picture(const gdi::Bitmap& bitmap) {
    std::string out;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            switch (bitmap.At(x, y)) {
                case 0xFFFFFF: out += '.'; break;
                case 0x0000F8: out += 'A'; break;
                case 0x00FC00: out += 'B'; break;
                case 0xF80000: out += 'C'; break;
                case 0x0000FF: out += 'r'; break;
                default: out += '?'; break;
            }
        }
        out += '\n';
    }
    return out;
}

// A body drawn from the body image only; every other part is empty.
class BodyOnly : public testing::Test {
protected:
    void Load(const Sprite16& image) {
        TestParts body = bodytest::EmptyBody();
        body[zubrelle::kBody] = UniformPart(image, std::vector<bodytest::Point16>(6));
        bodytest::WriteBody(tree, body);
        std::string error;
        ASSERT_EQ(model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{}, error), 0) << error;
    }
    std::string Draw(int width, int height, double scale, const char* pose = "2") {
        gdi::Bitmap bitmap(width, height, 0x123456);
        zubrelle::AnimationState animation;
        model.DrawPose({0, 0, width, height}, bitmap, ConvertPoseString(pose), scale, animation);
        return Picture(bitmap);
    }
    bodytest::TempTree tree;
    zubrelle::BodyModel model;
};

// A 3 x 2 image: A B A / B C B.
Sprite16 Checker() {
    Sprite16 image = Block(3, 2, kA);
    image.pixels = {kA, kB, kA, kB, kC, kB};
    return image;
}

TEST_F(BodyOnly, ScaleOneDrawsOverlappingTwoByTwoSquares) {
    Load(Checker());
    // Box 3 x 2 centred in 7 x 5: top-left (2, 1). Later pixels paint over the overlaps.
    EXPECT_EQ(Draw(7, 5, 1.0),
              ".......\n"
              "..ABAA.\n"
              "..BCBB.\n"
              "..BCBB.\n"
              ".......\n");
}

TEST_F(BodyOnly, HalfScaleSamplesEveryOtherRowAndColumn) {
    Sprite16 image = Block(5, 3, kB);
    image.pixels = {kA, kB, kC, kB, kA,
                    kB, kB, kB, kB, kB,
                    kC, kB, kA, kB, kC};
    Load(image);
    // Box trunc(2.5) x trunc(1.5) = 2 x 1, top-left (2, 2); samples land on consecutive pixels.
    EXPECT_EQ(Draw(6, 5, 0.5),
              "......\n"
              "......\n"
              "..ACA.\n"
              "..CAC.\n"
              "......\n");
}

TEST_F(BodyOnly, ScaleThreeDrawsSquaresOfFourThreeApart) {
    Sprite16 image = Block(2, 1, kA);
    image.pixels = {kA, kB};
    Load(image);
    // Box 6 x 3 in 10 x 6: top-left (2, 1); squares at x 2 and 5, side 4.
    EXPECT_EQ(Draw(10, 6, 3.0),
              "..........\n"
              "..AAABBBB.\n"
              "..AAABBBB.\n"
              "..AAABBBB.\n"
              "..AAABBBB.\n"
              "..........\n");
}

TEST_F(BodyOnly, FractionalScaleTruncatesPositionsAndSquareSides) {
    Sprite16 image = Block(3, 1, kA);
    image.pixels = {kA, kB, kC};
    Load(image);
    // s = 1.5: positions trunc(0), trunc(1.5) = 1, trunc(3.0) = 3; side trunc(2.5) = 2.
    // Box trunc(4.5) = 4 x trunc(1.5) = 1 in 6 x 3: top-left (1, 1).
    EXPECT_EQ(Draw(6, 3, 1.5),
              "......\n"
              ".ABBCC\n"
              ".ABBCC\n");
}

TEST_F(BodyOnly, FigureIsCentredWithTruncatedHalves) {
    Load(Block(41, 1, kA));
    gdi::Bitmap bitmap(100, 3);
    zubrelle::AnimationState animation;
    model.DrawPose({0, 0, 100, 3}, bitmap, ConvertPoseString("2"), 1.0, animation);
    EXPECT_EQ(bitmap.At(28, 1), 0xFFFFFFu);
    EXPECT_EQ(bitmap.At(29, 1), 0x0000F8u);
    EXPECT_EQ(bitmap.At(70, 1), 0x0000F8u);  // last square reaches 29 + 40 + 1
    EXPECT_EQ(bitmap.At(71, 1), 0xFFFFFFu);
}

TEST_F(BodyOnly, FigureLargerThanTheRectangleIsCutOnBothSides) {
    Load(Block(10, 1, kA));
    // Box 10 x 1 in 4 x 3: top-left (-3, 1).
    EXPECT_EQ(Draw(4, 3, 1.0), "....\nAAAA\nAAAA\n");
}

TEST_F(BodyOnly, DrawsRelativeToTheBitmapAndFillsOnlyTheRectanglesSize) {
    Load(Block(1, 1, kA));
    gdi::Bitmap bitmap(6, 4, 0x123456);
    zubrelle::AnimationState animation;
    model.DrawPose({50, 60, 54, 64}, bitmap, ConvertPoseString("2"), 1.0, animation);
    EXPECT_EQ(Picture(bitmap), "....??\n.AA.??\n.AA.??\n....??\n");
}

TEST_F(BodyOnly, AbsurdScalesAndSlotValuesStayInsideTheBitmap) {
    Load(Checker());
    gdi::Bitmap bitmap(8, 8);
    zubrelle::AnimationState animation;
    model.DrawPose({0, 0, 8, 8}, bitmap, ConvertPoseString("2"), std::nan(""), animation);
    EXPECT_EQ(Picture(bitmap).find_first_not_of(".\n"), std::string::npos);
    for (double scale : {1e30, -1e30, -2.0, 1e-300}) {
        model.DrawPose({0, 0, 8, 8}, bitmap, ConvertPoseString("2"), scale, animation);
    }
    zubrelle::PoseSlotValues extreme;
    extreme.fill(2147483647);
    extreme[0] = 3;
    EXPECT_EQ(model.LayoutFigure(extreme, 1.0).image[zubrelle::kBody], 1000000);
    extreme.fill(-2147483647 - 1);
    model.DrawPose({0, 0, 8, 8}, bitmap, extreme, 1.0, animation);
}

TEST(Render, UnloadedModelLeavesTheBitmapUntouched) {
    zubrelle::BodyModel model;
    gdi::Bitmap bitmap(5, 5, 0x123456);
    zubrelle::AnimationState animation;
    model.DrawPose({0, 0, 5, 5}, bitmap, ConvertPoseString("2"), 1.0, animation);
    for (auto p : bitmap.Pixels()) EXPECT_EQ(p, 0x123456u);
    std::vector<zubrelle::PoseSlotValues> poses(3);
    EXPECT_EQ(model.PrepareWalk({0, 0, 5, 5}, poses, 2, 1.0, 0, animation), 0);
    EXPECT_EQ(model.DrawWalkFrame({0, 0, 5, 5}, bitmap, animation), 0);
    EXPECT_EQ(model.DrawStandFrame({0, 0, 5, 5}, bitmap, 0, animation), 0);
    animation.current = 4;
    animation.scale = 1.0;
    EXPECT_EQ(model.PrepareStand(poses, 2, 2.5, animation), 0);
    EXPECT_EQ(animation.current, 0);
    EXPECT_EQ(animation.scale, 2.5);
    for (auto p : bitmap.Pixels()) EXPECT_EQ(p, 0x123456u);
}

// Every part is one pixel at the same place, each in its own colour: what shows is the
// part drawn last.
class StackedParts : public testing::Test {
protected:
    void SetUp() override {
        TestParts body = bodytest::EmptyBody();
        for (int part = 1; part <= 14; ++part) {
            body[std::size_t(part)] = UniformPart(Block(1, 1, std::uint16_t(part)),
                                                  std::vector<bodytest::Point16>(part == 2 ? 6 : 2));
        }
        bodytest::WriteBody(tree, body);
        std::string error;
        ASSERT_EQ(model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{}, error), 0) << error;
    }
    // The part whose colour shows.
    int TopPart(const char* pose) {
        gdi::Bitmap bitmap(3, 3);
        zubrelle::AnimationState animation;
        model.DrawPose({0, 0, 3, 3}, bitmap, ConvertPoseString(pose), 1.0, animation);
        const std::uint32_t c = bitmap.At(1, 1);
        for (int part = 1; part <= 14; ++part) {
            if (c == zubrelle::ConvertPixel565(std::uint16_t(part))) return part;
        }
        return 0;
    }
    bodytest::TempTree tree;
    zubrelle::BodyModel model;
};

TEST_F(StackedParts, LastPartInTheDrawingOrderShowsInEachDirection) {
    EXPECT_EQ(TopPart("0"), zubrelle::kTailTip);
    EXPECT_EQ(TopPart("1"), zubrelle::kHead);
    EXPECT_EQ(TopPart("2"), zubrelle::kRightRadius);
    EXPECT_EQ(TopPart("3"), zubrelle::kLeftRadius);
}

TEST_F(StackedParts, HidingPartsFromTheTopWalksTheWholeOrder) {
    // In direction 3 a slot value of 7 picks image 11, which is not drawn.
    const std::array<int, 14> order = {11, 12, 6, 7, 8, 2, 13, 14, 1, 3, 4, 5, 9, 10};
    std::string pose = "300000000000000";
    for (int shown = 13; shown >= 0; --shown) {
        EXPECT_EQ(TopPart(pose.c_str()), order[std::size_t(shown)]) << pose;
        pose[std::size_t(order[std::size_t(shown)])] = '7';
    }
    EXPECT_EQ(TopPart(pose.c_str()), 0);
}

}  // namespace
