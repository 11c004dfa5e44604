// Composition: image choice, still-pose values, skeleton offsets, drawing orders, figure
// size and foot points.
#include <gtest/gtest.h>

#include "TestBody.h"
#include "control/body/BodyModel.h"
#include "control/body/PoseSteps.h"

namespace {

using bodytest::Block;
using bodytest::TestParts;
using bodytest::UniformPart;
using zubrelle::ConvertPoseString;

struct ChoiceCase {
    const char* pose;
    int headImage;
    int otherImage;  // of the left thigh; every other part follows the same rule
};

class ImageChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(ImageChoice, FollowsDirectionAndHead) {
    const auto pose = ConvertPoseString(GetParam().pose);
    EXPECT_EQ(zubrelle::ChooseImage(zubrelle::kHead, pose), GetParam().headImage);
    EXPECT_EQ(zubrelle::ChooseImage(zubrelle::kLeftThigh, pose), GetParam().otherImage);
}

INSTANTIATE_TEST_SUITE_P(Table, ImageChoice, testing::Values(
    ChoiceCase{"00000", 9, 9}, ChoiceCase{"03030", 9, 9}, ChoiceCase{"04000", 8, 9},
    ChoiceCase{"05000", 9, 9}, ChoiceCase{"10000", 8, 8}, ChoiceCase{"14000", 8, 8},
    ChoiceCase{"15000", 9, 8}, ChoiceCase{"22020", 2, 2}, ChoiceCase{"20000", 0, 0},
    ChoiceCase{"24030", 8, 3}, ChoiceCase{"32020", 6, 6}, ChoiceCase{"30000", 4, 4},
    ChoiceCase{"35030", 9, 7}, ChoiceCase{"52010", 6, 5},
    ChoiceCase{"37070", 11, 11}));  // outside 0 to 9: left undrawn

TEST(ImageChoice, SideViewUsesEachPartsOwnSlot) {
    const auto pose = ConvertPoseString("212312312312312");
    for (int part = 2; part <= 14; ++part) {
        EXPECT_EQ(zubrelle::ChooseImage(part, pose), pose[std::size_t(part)]);
    }
    const auto left = ConvertPoseString("312312312312312");
    for (int part = 2; part <= 14; ++part) {
        EXPECT_EQ(zubrelle::ChooseImage(part, left), left[std::size_t(part)] + 4);
    }
}

TEST(MaskStillPose, ReducesEverySlotAndMapsDirectionAndHead) {
    EXPECT_EQ(zubrelle::MaskStillPose(ConvertPoseString("XXXXXXXXXXXXXXX")), zubrelle::PoseSlotValues{});
    EXPECT_EQ(zubrelle::MaskStillPose(ConvertPoseString("??")), ConvertPoseString("23"));
    EXPECT_EQ(zubrelle::MaskStillPose(ConvertPoseString("!!")), ConvertPoseString("37"));
    EXPECT_EQ(zubrelle::MaskStillPose(ConvertPoseString("2?9")), ConvertPoseString("231"));
    EXPECT_EQ(zubrelle::MaskStillPose(ConvertPoseString("1234567")), ConvertPoseString("1234567"));
}

TEST(PoseString, ConvertsTheAlphabet) {
    zubrelle::PoseSlotValues expected{8, 6, 7};
    EXPECT_EQ(ConvertPoseString("X?!"), expected);
    EXPECT_EQ(ConvertPoseString("0123456789abcdefZ"),
              (zubrelle::PoseSlotValues{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ConvertPoseString(""), zubrelle::PoseSlotValues{});
}

TEST(DrawingOrder, FarthestPartsFirst) {
    using Order = std::array<int, 14>;
    EXPECT_EQ(zubrelle::DrawingOrder(0), (Order{1, 9, 10, 11, 12, 4, 7, 3, 6, 5, 8, 2, 13, 14}));
    EXPECT_EQ(zubrelle::DrawingOrder(1), (Order{4, 7, 3, 6, 5, 8, 14, 13, 2, 9, 10, 11, 12, 1}));
    EXPECT_EQ(zubrelle::DrawingOrder(2), (Order{9, 10, 3, 4, 5, 2, 13, 14, 1, 8, 7, 6, 11, 12}));
    EXPECT_EQ(zubrelle::DrawingOrder(3), (Order{11, 12, 6, 7, 8, 2, 13, 14, 1, 3, 4, 5, 9, 10}));
    EXPECT_EQ(zubrelle::DrawingOrder(7), zubrelle::DrawingOrder(3));
}

// A body whose points differ per image, so that offsets show which image was used.
class SkeletonLayout : public testing::Test {
protected:
    void SetUp() override {
        TestParts body = bodytest::EmptyBody();
        auto& torso = body[zubrelle::kBody];
        torso = UniformPart(Block(10, 20, 0x1111), {});
        for (int i = 0; i < 10; ++i) {
            torso.points[std::size_t(i)] = {{5, 0}, {2, 19 + i}, {8, 19}, {1, 3}, {9, 3}, {0, 15}};
        }
        for (int part = 3; part <= 14; ++part) {
            auto& limb = body[std::size_t(part)];
            for (int i = 0; i < 10; ++i) {
                // Point 0 at (part, i); point 1 one further down per part number.
                limb.points[std::size_t(i)] = {{part, i}, {part + 1, 10 + part + i}};
            }
        }
        body[zubrelle::kLeftFoot].images.fill(Block(3, 2, 0x2222));
        body[zubrelle::kRightFoot].images.fill(Block(3, 2, 0x3333));
        bodytest::WriteBody(tree, body);
        std::string error;
        ASSERT_EQ(model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{}, error), 0) << error;
    }
    bodytest::TempTree tree;
    zubrelle::BodyModel model;
};

TEST_F(SkeletonLayout, ChildrenHangByPointZeroOnTheirParentsJoint) {
    const auto pose = ConvertPoseString("200000000000000");
    const auto layout = model.LayoutFigure(pose, 1.0);
    EXPECT_EQ(layout.offset[zubrelle::kBody], (gdi::Point{0, 0}));
    // Left thigh: body point 1 (2, 19) minus own point 0 (3, 0).
    EXPECT_EQ(layout.offset[zubrelle::kLeftThigh], (gdi::Point{-1, 19}));
    // Left shin: thigh offset + thigh point 1 (4, 13) - own point 0 (4, 0).
    EXPECT_EQ(layout.offset[zubrelle::kLeftShin], (gdi::Point{-1, 32}));
    // Left foot: shin offset + shin point 1 (5, 14) - own point 0 (5, 0).
    EXPECT_EQ(layout.offset[zubrelle::kLeftFoot], (gdi::Point{-1, 46}));
    // Head on body point 0; it has no image of its own, so only its point 0 (0, 0) counts.
    EXPECT_EQ(layout.offset[zubrelle::kHead], (gdi::Point{5, 0}));
    // Tail tip: tail root at body point 5 (0, 15) - (13, 0); then + (14, 23) - (14, 0).
    EXPECT_EQ(layout.offset[zubrelle::kTailRoot], (gdi::Point{-13, 15}));
    EXPECT_EQ(layout.offset[zubrelle::kTailTip], (gdi::Point{-13, 38}));
    // Right radius: humerus at body point 4 (9, 3) - (11, 0); then + (12, 21) - (12, 0).
    EXPECT_EQ(layout.offset[zubrelle::kRightRadius], (gdi::Point{-2, 24}));
}

TEST_F(SkeletonLayout, OffsetsUseThePointsOfTheChosenImages) {
    // Direction 3, left thigh 2: body image from slot 2 (1 -> image 5), thigh image 6.
    const auto pose = ConvertPoseString("301200000000000");
    const auto layout = model.LayoutFigure(pose, 1.0);
    EXPECT_EQ(layout.image[zubrelle::kBody], 5);
    EXPECT_EQ(layout.image[zubrelle::kLeftThigh], 6);
    // Body point 1 in image 5 is (2, 24); thigh point 0 in image 6 is (3, 6).
    EXPECT_EQ(layout.offset[zubrelle::kLeftThigh], (gdi::Point{-1, 18}));
}

TEST_F(SkeletonLayout, FigureBoxAndFeetAreScaledAndTruncated) {
    const auto pose = ConvertPoseString("200000000000000");
    // Bounds: body (0,0)-(9,19); left foot at (-1, 46) 3x2; right foot at (5, 34 + 8 - 8...)
    const auto layout = model.LayoutFigure(pose, 1.0);
    const gdi::Point rightFoot = layout.offset[zubrelle::kRightFoot];
    const int minX = std::min(0, std::min(-1, rightFoot.x));
    const int maxX = std::max(9, std::max(-1 + 2, rightFoot.x + 2));
    const int maxY = std::max(46 + 1, rightFoot.y + 1);
    EXPECT_EQ(layout.origin, (gdi::Point{minX, 0}));
    EXPECT_EQ(layout.width, maxX - minX + 1);
    EXPECT_EQ(layout.height, maxY + 1);

    const auto scaled = model.LayoutFigure(pose, 1.35);
    EXPECT_EQ(scaled.width, int((maxX - minX + 1) * 1.35));
    EXPECT_EQ(scaled.height, int((maxY + 1) * 1.35));
    // Left foot point 1 in image 0 is (6, 15); relative to the box, then scaled.
    EXPECT_EQ(scaled.leftFoot, (gdi::Point{int((6 - minX - 1) * 1.35), int((15 + 46) * 1.35)}));
    EXPECT_EQ(scaled.origin, layout.origin);
}

TEST_F(SkeletonLayout, ImageOutsideTheRangeIsNotUsed) {
    // Direction 3 with left thigh 7: image 11 does not exist. Its points count as (0, 0).
    const auto layout = model.LayoutFigure(ConvertPoseString("3007"), 1.0);
    EXPECT_EQ(layout.image[zubrelle::kLeftThigh], 11);
    EXPECT_EQ(layout.offset[zubrelle::kLeftThigh], (gdi::Point{2, 23}));
    EXPECT_EQ(layout.offset[zubrelle::kLeftShin], (gdi::Point{2 - 4, 23 - 4}));
}

}  // namespace
