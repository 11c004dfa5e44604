// Composition: image choice, the pose alphabet and still-pose masking, drawing orders,
// skeleton offsets, figure size and foot points.
#include <gtest/gtest.h>

#include <tuple>

#include "TestBody.h"

namespace {

using namespace bodytest;
using zubrelle::PoseSlotValues;

TEST(ImageChoice, FollowsDirectionHeadAndInSideViewsEachPartsOwnSlot) {
    struct {
        const char* pose;
        int head, thigh;
    } table[] = {{"00000", 9, 9}, {"03030", 9, 9}, {"04000", 8, 9},  {"05000", 9, 9}, {"10000", 8, 8}, {"14000", 8, 8},
                 {"15000", 9, 8}, {"22020", 2, 2}, {"20000", 0, 0},  {"24030", 8, 3}, {"32020", 6, 6}, {"30000", 4, 4},
                 {"35030", 9, 7}, {"52010", 6, 5}, {"37070", 11, 11}};  // outside 0 to 9: left undrawn
    for (const auto& row : table) {
        const auto pose = ConvertPoseString(row.pose);
        EXPECT_EQ(zubrelle::ChooseImage(zubrelle::kHead, pose), row.head) << row.pose;
        EXPECT_EQ(zubrelle::ChooseImage(zubrelle::kLeftThigh, pose), row.thigh) << row.pose;
    }
}

TEST(PoseString, ConvertsTheAlphabetAndMasksStillPoses) {
    EXPECT_EQ(ConvertPoseString("X?!"), (PoseSlotValues{8, 6, 7}));
    EXPECT_EQ(ConvertPoseString("0123456789abcdefZ"), (PoseSlotValues{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(ConvertPoseString(""), PoseSlotValues{});
    const std::pair<const char*, const char*> masked[] = {
        {"XXXXXXXXXXXXXXX", ""}, {"??", "23"}, {"!!", "37"}, {"2?9", "231"}, {"1234567", "1234567"}};
    for (const auto& [pose, still] : masked)
        EXPECT_EQ(zubrelle::MaskStillPose(ConvertPoseString(pose)), ConvertPoseString(still)) << pose;
}

TEST(DrawingOrder, FarthestPartsFirst) {
    using Order = std::array<int, 14>;
    EXPECT_EQ(zubrelle::DrawingOrder(0), (Order{1, 9, 10, 11, 12, 4, 7, 3, 6, 5, 8, 2, 13, 14}));
    EXPECT_EQ(zubrelle::DrawingOrder(1), (Order{4, 7, 3, 6, 5, 8, 14, 13, 2, 9, 10, 11, 12, 1}));
    EXPECT_EQ(zubrelle::DrawingOrder(2), (Order{9, 10, 3, 4, 5, 2, 13, 14, 1, 8, 7, 6, 11, 12}));
    EXPECT_EQ(zubrelle::DrawingOrder(3), (Order{11, 12, 6, 7, 8, 2, 13, 14, 1, 3, 4, 5, 9, 10}));
    EXPECT_EQ(zubrelle::DrawingOrder(7), zubrelle::DrawingOrder(3));
}

// Points differ per image, so offsets show which image was used. Limb k image i has point 0
// at (k, i) and point 1 at (k + 1, 10 + k + i); only the body and the feet have pixels.
class SkeletonLayout : public testing::Test {
protected:
    void SetUp() override {
        TestParts body = EmptyBody();
        body[zubrelle::kBody] = UniformPart(Block(10, 20, 0x1111), {});
        for (int i = 0; i < 10; ++i) {
            body[zubrelle::kBody].points[std::size_t(i)] = {{5, 0}, {2, 19 + i}, {8, 19}, {1, 3}, {9, 3}, {0, 15}};
            for (int part = 3; part <= 14; ++part)
                body[std::size_t(part)].points[std::size_t(i)] = {{part, i}, {part + 1, 10 + part + i}};
        }
        body[zubrelle::kLeftFoot].images.fill(Block(3, 2, 0x2222));
        body[zubrelle::kRightFoot].images.fill(Block(3, 2, 0x3333));
        ASSERT_EQ(LoadBody(tree, body, model), "");
    }
    TempTree tree;
    zubrelle::BodyModel model;
};

TEST_F(SkeletonLayout, ChildrenHangByPointZeroOnTheirParentsJointInsideAScaledBox) {
    // E.g. left thigh (2, 19) - (3, 0), shin + (4, 13) - (4, 0), foot + (5, 14) - (5, 0); the head
    // has no image of its own, so only its point 0 (0, 0) counts.
    const auto pose = ConvertPoseString("200000000000000");
    const auto layout = model.LayoutFigure(pose, 1.0), scaled = model.LayoutFigure(pose, 1.35);
    std::string offsets;
    for (const gdi::Point& p : layout.offset) offsets += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
    EXPECT_EQ(offsets, "0,0 5,0 0,0 -1,19 -1,32 -1,46 2,19 2,35 2,52 -8,3 -8,22 -2,3 -2,24 -13,15 -13,38 ");
    // Box from the body (0, 0)-(9, 19), left foot (-1, 46)-(1, 47), right foot (2, 52)-(4, 53); scaled 14.85 x 72.9.
    EXPECT_EQ(std::tuple(layout.origin, layout.width, layout.height), std::tuple(gdi::Point{-1, 0}, 11, 54));
    EXPECT_EQ(std::tuple(scaled.origin, scaled.width, scaled.height), std::tuple(gdi::Point{-1, 0}, 14, 72));
    // Foot point 1 (6, 15) + offset (-1, 46) - origin, x 1.35: (8.1, 82.35); right (9, 18) + (2, 52) - origin.
    EXPECT_EQ(std::pair(scaled.leftFoot, scaled.rightFoot), std::pair(gdi::Point{8, 82}, gdi::Point{16, 94}));
}

TEST_F(SkeletonLayout, OffsetsUseThePointsOfTheChosenImages) {
    // Direction 3: body image from slot 2 (1 -> 5), thigh 2 -> 6; points (2, 24) and (3, 6).
    auto layout = model.LayoutFigure(ConvertPoseString("301200000000000"), 1.0);
    EXPECT_EQ(layout.offset[zubrelle::kLeftThigh], (gdi::Point{-1, 18}));
    // Thigh 7 picks image 11, which does not exist: its points count as (0, 0).
    layout = model.LayoutFigure(ConvertPoseString("3007"), 1.0);
    EXPECT_EQ(layout.offset[zubrelle::kLeftThigh], (gdi::Point{2, 23}));
    EXPECT_EQ(layout.offset[zubrelle::kLeftShin], (gdi::Point{-2, 19}));
}

}  // namespace
