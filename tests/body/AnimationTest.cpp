// Frame expansion, the turn steps, floor lines, walking along the floor and standing.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestBody.h"
#include "control/body/BodyModel.h"
#include "control/body/FloorLine.h"
#include "control/body/PoseSteps.h"

namespace {

using bodytest::Block;
using bodytest::TestParts;
using bodytest::UniformPart;
using zubrelle::ConvertPoseString;
using zubrelle::PoseSlotValues;

std::string Text(const PoseSlotValues& v) {
    std::string out;
    for (int x : v) out += char('0' + x);
    return out;
}

// The frames of a sequence, as strings of slot digits.
std::vector<std::string> Frames(std::vector<std::string> poseStrings) {
    std::vector<PoseSlotValues> poses;
    for (const auto& p : poseStrings) poses.push_back(ConvertPoseString(p));
    poses.push_back({});
    zubrelle::AnimationState state;
    const int count = zubrelle::BuildFrames(poses, int(poseStrings.size()), state);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) out.push_back(Text(state.frames[std::size_t(i)]));
    return out;
}

TEST(BuildFrames, OneSlotStepsThereAndBack) {
    EXPECT_EQ(Frames({"200000000000000", "200300000000000"}),
              (std::vector<std::string>{"200000000000000", "200100000000000", "200200000000000",
                                        "200300000000000", "200200000000000", "200100000000000"}));
}

TEST(BuildFrames, IdenticalPosesGiveTwoFrames) {
    EXPECT_EQ(Frames({"211111111111111", "211111111111111"}),
              (std::vector<std::string>{"211111111111111", "211111111111111"}));
}

TEST(BuildFrames, SinglePoseGivesOneFrame) {
    EXPECT_EQ(Frames({"X?1"}), (std::vector<std::string>{"031000000000000"}));
}

TEST(BuildFrames, TurnFromOneSideToTheOtherGoesThroughTheFront) {
    const auto frames = Frames({"200000000000000", "300000000000000"});
    ASSERT_GE(frames.size(), 5u);
    EXPECT_EQ(frames[0], "200000000000000");
    EXPECT_EQ(frames[1], "240000000000000");
    EXPECT_EQ(frames[2], "140000000000000");
    EXPECT_EQ(frames[3], "310000000000000");
    EXPECT_EQ(frames[4], "300000000000000");  // the target pose itself
}

TEST(BuildFrames, KeepMarksTakeThePreviousPosesValue) {
    // 'X' in the first pose is 0; in the second it repeats the first pose's 2. The copy of
    // the first pose appended at the end is resolved against the last pose, so its 'X'
    // keeps that pose's 2 and the way back is empty.
    EXPECT_EQ(Frames({"22X", "2X2"}),
              (std::vector<std::string>{"220000000000000", "221000000000000", "222000000000000"}));
}

TEST(BuildFrames, DigitsEightAndNineAreKeepMarksToo) {
    const auto frames = Frames({"2039", "2138"});
    EXPECT_EQ(frames.front(), "203100000000000");  // 9 & 7 = 1 in the first pose
    EXPECT_EQ(frames[1], "213100000000000");        // 8 keeps 1
}

TEST(BuildFrames, QuestionAndExclamationMapToDirectionsAndHead) {
    const auto frames = Frames({"??", "!?"});
    EXPECT_EQ(frames.front(), "230000000000000");
    EXPECT_NE(std::find(frames.begin(), frames.end(), "330000000000000"), frames.end());
}

TEST(BuildFrames, DirectionsFourToSevenExpandLikeThree) {
    const auto frames = Frames({"211", "511"});
    ASSERT_FALSE(frames.empty());
    EXPECT_LT(frames.size(), 50u);
    EXPECT_EQ(frames, Frames({"211", "311"}));
}

TEST(BuildFrames, StopsGrowingAtFiftyFrames) {
    std::vector<std::string> poses;
    for (int i = 0; i < 8; ++i) poses.push_back(i % 2 == 0 ? "200000000000000" : "277777777777777");
    EXPECT_EQ(Frames(poses).size(), 50u);
}

TEST(BuildFrames, WritesTheFirstPoseAfterTheLastAndResolvesInPlace) {
    std::vector<PoseSlotValues> poses = {ConvertPoseString("2X"), ConvertPoseString("2X"), {}};
    zubrelle::AnimationState state;
    zubrelle::BuildFrames(poses, 2, state);
    EXPECT_EQ(Text(poses[0]), "200000000000000");
    EXPECT_EQ(Text(poses[2]), "200000000000000");
}

TEST(BuildFrames, CountIsLimitedToTheRoomInTheList) {
    std::vector<PoseSlotValues> poses = {ConvertPoseString("2"), ConvertPoseString("21")};
    zubrelle::AnimationState state;
    EXPECT_EQ(zubrelle::BuildFrames(poses, 8, state), 1);  // room for one pose and its copy
    EXPECT_EQ(zubrelle::BuildFrames(poses, 0, state), 0);
    std::vector<PoseSlotValues> none;
    EXPECT_EQ(zubrelle::BuildFrames(none, 1, state), 0);
}

struct StepCase {
    const char* current;
    const char* target;
    const char* next;
};

class StepPose : public testing::TestWithParam<StepCase> {};

TEST_P(StepPose, MovesOneStepWithTheHeadRule) {
    const auto next = zubrelle::StepPose(ConvertPoseString(GetParam().current),
                                         ConvertPoseString(GetParam().target));
    EXPECT_EQ(Text(next), GetParam().next);
}

INSTANTIATE_TEST_SUITE_P(Steps, StepPose, testing::Values(
    StepCase{"203000000000000", "200000000000000", "202000000000000"},
    StepCase{"200000000000000", "000000000000000", "250000000000000"},  // row 0, target 0
    StepCase{"250000000000000", "000000000000000", "050000000000000"},  // row 1
    StepCase{"050000000000000", "000000000000000", "010000000000000"},  // same direction: head 5 -> 1
    StepCase{"300000000000000", "200000000000000", "340000000000000"},  // row 2
    StepCase{"340000000000000", "200000000000000", "140000000000000"},  // row 3
    StepCase{"100000000000000", "200000000000000", "210000000000000"},  // row 4
    StepCase{"140000000000000", "300000000000000", "310000000000000"},  // row 5
    StepCase{"230000000000000", "240000000000000", "240000000000000"},  // head jumps to 4
    StepCase{"233333333333333", "200000000000000", "222222222222222"}));

TEST(TurnSteps, TableRowsInOrder) {
    std::string all;
    for (const auto& entry : zubrelle::TurnSteps) {
        all += entry[0];
        all += entry[1];
        all += ' ';
    }
    EXPECT_EQ(all, "25 24 21 24 05 14 21 14 35 34 34 31 05 14 14 31 05 14 21 31 05 14 21 31 ");
}

struct FloorCase {
    int width, height, angle;
    gdi::Point a, b, middle;
};

class FloorLine : public testing::TestWithParam<FloorCase> {};

TEST_P(FloorLine, EndsAndMiddle) {
    const FloorCase& c = GetParam();
    const zubrelle::Floor floor = zubrelle::FloorLine(c.width, c.height, c.angle);
    EXPECT_EQ(floor.a, c.a);
    EXPECT_EQ(floor.b, c.b);
    EXPECT_EQ(floor.middle, c.middle);
}

INSTANTIATE_TEST_SUITE_P(Rectangles, FloorLine, testing::Values(
    FloorCase{200, 100, 0, {0, 95}, {200, 95}, {100, 95}},
    FloorCase{200, 100, 10, {0, 95}, {200, 60}, {100, 78}},
    FloorCase{200, 100, -10, {0, 60}, {200, 95}, {100, 77}},
    FloorCase{200, 100, 45, {50, 100}, {149, 0}, {99, 50}},
    FloorCase{200, 100, -45, {50, 0}, {149, 100}, {99, 50}},
    FloorCase{0, 100, 10, {0, 95}, {0, 95}, {0, 95}},
    FloorCase{200, 0, 10, {100, 0}, {100, 0}, {100, 0}}));

TEST(FloorLine, HeightAlongTheLine) {
    EXPECT_EQ(zubrelle::FloorHeightAt({0, 95}, {200, 60}, 100), 77);  // 95 - 17.5, truncated
    EXPECT_EQ(zubrelle::FloorHeightAt({0, 95}, {200, 60}, -20), 98);
    // No horizontal extent: the height of the first end.
    EXPECT_EQ(zubrelle::FloorHeightAt({100, 0}, {100, 0}, 30), 0);
    EXPECT_EQ(zubrelle::FloorHeightAt({7, 95}, {7, 40}, 7), 95);
}

// A creature of a body pixel and two one-pixel feet 6 apart whose pixel is their ground
// point. Foot image 0 hangs 2 lower than image 1. The four poses: left foot down, both
// level, right foot down, both level.
class Walker : public testing::Test {
protected:
    void SetUp() override {
        TestParts body = bodytest::EmptyBody();
        body[zubrelle::kBody] = UniformPart(Block(1, 1, 0xF800), {{0, 0}, {0, 3}, {6, 3}, {0, 0}, {0, 0}, {0, 0}});
        for (int foot : {zubrelle::kLeftFoot, zubrelle::kRightFoot}) {
            bodytest::Sprite16 image = Block(1, 3, 0);
            image.pixels[2] = foot == zubrelle::kLeftFoot ? 0x07E0 : 0x001F;
            auto& fixture = body[std::size_t(foot)];
            fixture = UniformPart(image, {{0, 0}, {0, 2}});
            fixture.points[1] = {{0, 2}, {0, 2}};
        }
        bodytest::WriteBody(tree, body);
        std::string error;
        ASSERT_EQ(model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{}, error), 0) << error;
        for (const char* p : {"200000001", "200000000", "200001000", "200000000"}) {
            poses.push_back(ConvertPoseString(p));
        }
        poses.push_back({});
    }
    bodytest::TempTree tree;
    zubrelle::BodyModel model;
    zubrelle::AnimationState state;
    std::vector<PoseSlotValues> poses;
    gdi::Bitmap bitmap{200, 100};
    const gdi::Rect rect{0, 0, 200, 100};
};

TEST_F(Walker, PrepareWalkPlantsTheLowerFoot) {
    EXPECT_EQ(model.PrepareWalk(rect, poses, 4, 1.0, 10, state), 4);
    EXPECT_EQ(state.floorA, (gdi::Point{0, 95}));
    EXPECT_EQ(state.floorB, (gdi::Point{200, 60}));
    EXPECT_EQ(state.position, (gdi::Point{100, 78}));
    EXPECT_EQ(state.current, 0);
    // Frame 0: left foot at (0, 10), right at (6, 8) in the box: the left one stands.
    EXPECT_EQ(state.plantedFoot, 0);
    EXPECT_EQ(state.swingFoot, (gdi::Point{106, 76}));
}

TEST_F(Walker, FeetChangeRolesWhenTheSwingFootComesDownThroughTheFloor) {
    model.PrepareWalk(rect, poses, 4, 1.0, 0, state);
    ASSERT_EQ(state.plantedFoot, 0);
    const gdi::Point start = state.position;  // (100, 95)
    // Frame 0: swing foot 2 above the floor; nothing changes.
    EXPECT_EQ(model.DrawWalkFrame(rect, bitmap, state), 0);
    EXPECT_EQ(state.position, start);
    EXPECT_EQ(state.plantedFoot, 0);
    // Frame 1 (right foot image 0): both feet level, the swing foot is not below the floor.
    EXPECT_EQ(model.DrawWalkFrame(rect, bitmap, state), 1);
    EXPECT_EQ(state.plantedFoot, 0);
    // Frame 2: left foot lifts (image 1), right foot at 10: it comes down 2 below the floor.
    EXPECT_EQ(model.DrawWalkFrame(rect, bitmap, state), 2);
    EXPECT_EQ(state.plantedFoot, 1);
    EXPECT_EQ(state.position, (gdi::Point{start.x + 6, 95}));
    EXPECT_EQ(state.swingFoot, (gdi::Point{start.x, 93}));
    // The right foot's pixel is drawn where the position is.
    EXPECT_EQ(bitmap.At(start.x + 6, 95), 0xF80000u);
    EXPECT_EQ(model.DrawWalkFrame(rect, bitmap, state), 3);
    // After the last frame the next draw shows frame 0 again.
    EXPECT_EQ(model.DrawWalkFrame(rect, bitmap, state), 0);
}

TEST_F(Walker, LeavingAtTheLeftEndReentersAtTheRight) {
    model.PrepareWalk(rect, poses, 4, 1.0, 0, state);
    state.position = {-3, 95};
    model.DrawWalkFrame(rect, bitmap, state);
    EXPECT_EQ(state.position, state.floorB);
}

TEST_F(Walker, LeavingAtTheRightEndReentersAtTheLeft) {
    model.PrepareWalk(rect, poses, 4, 1.0, 0, state);
    state.current = 2;
    state.position = {198, 95};
    state.plantedFoot = 0;
    state.swingFoot = {198, 0};
    model.DrawWalkFrame(rect, bitmap, state);  // the right foot lands at x 204
    EXPECT_EQ(state.position, state.floorA);
}

TEST_F(Walker, FloorLineIsDrawnUnderTheFigure) {
    model.PrepareWalk(rect, poses, 4, 1.0, 0, state);
    model.DrawWalkFrame(rect, bitmap, state);
    EXPECT_EQ(bitmap.At(0, 94), 0x0000FFu);
    EXPECT_EQ(bitmap.At(199, 95), 0x0000FFu);
    EXPECT_EQ(bitmap.At(0, 93), 0xFFFFFFu);
    EXPECT_EQ(bitmap.At(100, 95), 0x00FC00u);  // the planted left foot over the line
}

TEST_F(Walker, StandingFramesPutTheLowerFootOnTheMiddleOfTheFloor) {
    EXPECT_EQ(model.PrepareStand(poses, 4, 1.0, state), 4);
    EXPECT_EQ(model.DrawStandFrame(rect, bitmap, 10, state), 0);
    EXPECT_EQ(state.floorB, (gdi::Point{200, 60}));
    EXPECT_EQ(bitmap.At(100, 78), 0x00FC00u);  // left foot lower in frame 0
    // A different rectangle and angle at the next draw move the floor with it.
    gdi::Bitmap small(40, 30);
    EXPECT_EQ(model.DrawStandFrame({0, 0, 40, 30}, small, 0, state), 1);
    EXPECT_EQ(state.floorA, (gdi::Point{0, 25}));
    EXPECT_EQ(small.At(20, 25), 0xF80000u);  // feet level in frame 1: the right one
    EXPECT_EQ(model.DrawStandFrame(rect, bitmap, 0, state), 2);
    EXPECT_EQ(model.DrawStandFrame(rect, bitmap, 0, state), 3);
    EXPECT_EQ(model.DrawStandFrame(rect, bitmap, 0, state), 0);
}

TEST_F(Walker, OutOfRangeCurrentFrameFallsBackToTheFirst) {
    model.PrepareStand(poses, 4, 1.0, state);
    state.current = 1000;
    EXPECT_EQ(model.DrawStandFrame(rect, bitmap, 0, state), 0);
    state.current = -5;
    EXPECT_EQ(model.DrawWalkFrame(rect, bitmap, state), 0);
}

}  // namespace
