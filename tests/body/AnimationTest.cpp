// Frame expansion, the turn steps, floor lines, walking along the floor and standing.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestBody.h"
#include "control/body/FloorLine.h"

namespace {

using namespace bodytest;
using zubrelle::PoseSlotValues;
using Strings = std::vector<std::string>;

// Slot digits without trailing zeros: "200300000000000" is "2003".
std::string Text(const PoseSlotValues& v) {
    std::string out;
    for (int x : v) out += char('0' + x);
    return out.substr(0, std::max<std::size_t>(1, out.find_last_not_of('0') + 1));
}

// The first `limit` frames the poses expand to.
Strings Frames(const Strings& poseStrings, int limit = 50) {
    std::vector<PoseSlotValues> poses;
    for (const auto& p : poseStrings) poses.push_back(ConvertPoseString(p));
    poses.push_back({});
    zubrelle::AnimationState state;
    const int count = std::min(limit, zubrelle::BuildFrames(poses, int(poseStrings.size()), state));
    Strings out;
    for (int i = 0; i < count; ++i) out.push_back(Text(state.frames[std::size_t(i)]));
    return out;
}

TEST(BuildFrames, StepsEachSlotThereAndBackResolvingKeepMarks) {
    EXPECT_EQ(Frames({"2", "2003"}), (Strings{"2", "2001", "2002", "2003", "2002", "2001"}));
    EXPECT_EQ(Frames({"211111111111111", "211111111111111"}), (Strings{"211111111111111", "211111111111111"}));
    EXPECT_EQ(Frames({"X?1"}), Strings{"031"});
    // 'X' repeats the previous pose's value; the copy of the first pose appended at the end
    // is resolved against the last pose, so the way back is empty.
    EXPECT_EQ(Frames({"22X", "2X2"}), (Strings{"22", "221", "222"}));
    EXPECT_EQ(Frames({"2039", "2138"}, 2), (Strings{"2031", "2131"}));  // 9 & 7 = 1; 8 keeps it
    const auto marks = Frames({"??", "!?"});
    EXPECT_EQ(marks.front(), "23");
    EXPECT_NE(std::find(marks.begin(), marks.end(), "33"), marks.end());
}

TEST(BuildFrames, TurnsThroughTheFrontAndExpandsDirectionsFourToSevenLikeThree) {
    EXPECT_EQ(Frames({"2", "3"}, 5), (Strings{"2", "24", "14", "31", "3"}));
    EXPECT_EQ(Frames({"211", "511"}), Frames({"211", "311"}));
    EXPECT_LT(Frames({"211", "511"}).size(), 50u);
    Strings many;
    for (int i = 0; i < 8; ++i) many.push_back(i % 2 == 0 ? "2" : "277777777777777");
    EXPECT_EQ(Frames(many).size(), 50u);
}

TEST(BuildFrames, ResolvesInPlaceAndCountsOnlyWhatTheListHasRoomFor) {
    std::vector<PoseSlotValues> poses = {ConvertPoseString("2X"), ConvertPoseString("2X"), {}};
    zubrelle::AnimationState state;
    zubrelle::BuildFrames(poses, 2, state);
    EXPECT_EQ(Text(poses[0]), "2");
    EXPECT_EQ(Text(poses[2]), "2");
    poses = {ConvertPoseString("2"), ConvertPoseString("21")};
    EXPECT_EQ(zubrelle::BuildFrames(poses, 8, state), 1);  // room for one pose and its copy
    EXPECT_EQ(zubrelle::BuildFrames(poses, 0, state), 0);
    EXPECT_EQ(zubrelle::BuildFrames({}, 1, state), 0);
}

TEST(StepPose, MovesOneStepWithTheTurnTableAndTheHeadRule) {
    const char* table[][3] = {// current, target, next
                              {"203", "2", "202"}, {"2", "0", "25"},
                              {"25", "0", "05"},   {"05", "0", "01"},
                              {"3", "2", "34"},    {"34", "2", "14"},
                              {"1", "2", "21"},    {"14", "3", "31"},
                              {"23", "24", "24"},  {"233333333333333", "2", "222222222222222"}};
    for (const auto& row : table)
        EXPECT_EQ(Text(zubrelle::StepPose(ConvertPoseString(row[0]), ConvertPoseString(row[1]))), row[2]) << row[0];
}

TEST(FloorLine, EndsMiddleAndHeightsOfTheExamples) {
    struct {
        int width, height, angle;
        gdi::Point a, b, middle;
    } table[] = {{200, 100, 0, {0, 95}, {200, 95}, {100, 95}},   {200, 100, 10, {0, 95}, {200, 60}, {100, 78}},
                 {200, 100, -10, {0, 60}, {200, 95}, {100, 77}}, {200, 100, 45, {50, 100}, {149, 0}, {99, 50}},
                 {200, 100, -45, {50, 0}, {149, 100}, {99, 50}}, {0, 100, 10, {0, 95}, {0, 95}, {0, 95}},
                 {200, 0, 10, {100, 0}, {100, 0}, {100, 0}}};
    for (const auto& row : table) {
        const zubrelle::Floor floor = zubrelle::FloorLine(row.width, row.height, row.angle);
        EXPECT_EQ((std::array{floor.a, floor.b, floor.middle}), (std::array{row.a, row.b, row.middle}))
            << row.width << " x " << row.height << " at " << row.angle;
    }
    EXPECT_EQ(zubrelle::FloorHeightAt({0, 95}, {200, 60}, 100), 77);  // 95 - 17.5, truncated
    EXPECT_EQ(zubrelle::FloorHeightAt({0, 95}, {200, 60}, -20), 98);
    EXPECT_EQ(zubrelle::FloorHeightAt({7, 95}, {7, 40}, 7), 95);  // no horizontal extent: a.y
}

// A body pixel and two one-pixel feet 6 apart whose pixel is their ground point; foot image
// 0 hangs 2 lower than image 1. Poses: left foot down, level, right foot down, level.
class Walker : public testing::Test {
protected:
    void SetUp() override {
        TestParts body = EmptyBody();
        body[zubrelle::kBody] = UniformPart(Block(1, 1, 0xF800), {{0, 0}, {0, 3}, {6, 3}, {0, 0}, {0, 0}, {0, 0}});
        for (int foot : {zubrelle::kLeftFoot, zubrelle::kRightFoot}) {
            Sprite16 image = Block(1, 3, 0);
            image.pixels[2] = foot == zubrelle::kLeftFoot ? 0x07E0 : 0x001F;
            body[std::size_t(foot)] = UniformPart(image, {{0, 0}, {0, 2}});
            body[std::size_t(foot)].points[1] = {{0, 2}, {0, 2}};
        }
        ASSERT_EQ(LoadBody(tree, body, model), "");
        for (const char* p : {"200000001", "2", "200001", "2"}) poses.push_back(ConvertPoseString(p));
        poses.push_back({});
    }
    TempTree tree;
    zubrelle::BodyModel model;
    zubrelle::AnimationState state;
    std::vector<PoseSlotValues> poses;
    gdi::Bitmap bitmap{200, 100};
    const gdi::Rect rect{0, 0, 200, 100};
};

TEST_F(Walker, PrepareWalkPlantsTheLowerFootOnTheFloorsMiddle) {
    EXPECT_EQ(model.PrepareWalk(rect, poses, 4, 1.0, 10, state), 4);
    // Floor ends, then the left foot at (0, 10) planted on the middle, the right at (6, 8) swinging.
    EXPECT_EQ((std::array{state.floorA, state.floorB, state.position, state.swingFoot}),
              (std::array<gdi::Point, 4>{{{0, 95}, {200, 60}, {100, 78}, {106, 76}}}));
    EXPECT_EQ(std::pair(state.current, state.plantedFoot), std::pair(0, 0));
    std::rotate(poses.begin(), poses.begin() + 1, poses.begin() + 4);  // level feet first: the right one
    model.PrepareWalk(rect, poses, 4, 1.0, 10, state);
    EXPECT_EQ(state.plantedFoot, 1);
}

TEST_F(Walker, FeetChangeRolesWhenTheSwingFootComesDownThroughTheFloor) {
    model.PrepareWalk(rect, poses, 4, 1.0, 0, state);
    const gdi::Point start = state.position;                 // (100, 95)
    EXPECT_EQ(model.DrawWalkFrame(rect, bitmap, state), 0);  // swing foot 2 above the floor
    EXPECT_EQ(state.position, start);
    EXPECT_EQ(bitmap.At(100, 95), 0x00FC00u);
    EXPECT_EQ(model.DrawWalkFrame(rect, bitmap, state), 1);  // level: not below the floor
    EXPECT_EQ(state.plantedFoot, 0);
    EXPECT_EQ(model.DrawWalkFrame(rect, bitmap, state), 2);  // right foot 2 below the floor
    EXPECT_EQ(state.plantedFoot, 1);
    EXPECT_EQ(std::pair(state.position, state.swingFoot),
              std::pair(gdi::Point{start.x + 6, 95}, gdi::Point{start.x, 93}));
    EXPECT_EQ(bitmap.At(start.x + 6, 95), 0xF80000u);
    EXPECT_EQ(model.DrawWalkFrame(rect, bitmap, state), 3);
    EXPECT_EQ(state.current, 0);
    EXPECT_EQ(model.DrawWalkFrame(rect, bitmap, state), 0);
}

TEST_F(Walker, LeavingAtOneEndReentersAtTheOther) {
    model.PrepareWalk(rect, poses, 4, 1.0, 0, state);
    for (int x : {0, 200}) {  // on an end itself: stays
        state.position = {x, 95};
        model.DrawWalkFrame(rect, bitmap, state);
        EXPECT_EQ(state.position.x, x);
    }
    state.current = 0;
    state.position = {-3, 95};
    model.DrawWalkFrame(rect, bitmap, state);
    EXPECT_EQ(state.position, state.floorB);
    state.current = 2;
    state.position = {198, 95};
    state.plantedFoot = 0;
    state.swingFoot = {198, 0};
    model.DrawWalkFrame(rect, bitmap, state);  // the right foot lands at x 204
    EXPECT_EQ(state.position, state.floorA);
}

TEST_F(Walker, StandingPutsTheLowerFootOnTheMiddleOfTheFloorOfEachDraw) {
    EXPECT_EQ(model.PrepareStand(poses, 4, 1.0, state), 4);
    EXPECT_EQ(model.DrawStandFrame(rect, bitmap, 10, state), 0);
    EXPECT_EQ(state.floorB, (gdi::Point{200, 60}));
    EXPECT_EQ(bitmap.At(100, 78), 0x00FC00u);  // left foot lower in frame 0
    gdi::Bitmap small(40, 30);
    EXPECT_EQ(model.DrawStandFrame({7, 3, 47, 33}, small, 0, state), 1);  // only the size counts
    EXPECT_EQ(state.floorA, (gdi::Point{0, 25}));
    EXPECT_EQ(small.At(20, 25), 0xF80000u);  // feet level in frame 1: the right one
    for (int frame : {2, 3, 0}) EXPECT_EQ(model.DrawStandFrame(rect, bitmap, 0, state), frame);
    for (int outside : {4, 1000}) {
        state.current = outside;
        EXPECT_EQ(model.DrawStandFrame(rect, bitmap, 0, state), 0);  // out of range: the first
    }
    state.current = -5;
    EXPECT_EQ(model.DrawWalkFrame(rect, bitmap, state), 0);
}

}  // namespace
