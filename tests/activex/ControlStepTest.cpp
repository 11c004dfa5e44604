// The control's animation against the engine's own frames: playing over the
// wrap, holding a frame through repaints, steps forward and back, playing on
// from the frame held, and any put starting again; on sites of any origin,
// with a border and without, walking and in place.
#include <gtest/gtest.h>

#include "activex/ControlTestSupport.h"
#include "control/ZubrelleInterface.h"

using namespace com;
using namespace controltest;
using namespace zubrelle;

namespace {

constexpr const char* kWalk[] = {"201111111111111", "201222000002211", "301333111113311", "201000222220011"};

struct AnimationCase {
    const char* name;
    bool friction;
    double angle;
    int engineAngle;
    float scale;
    RECT client = {0, 0, 200, 100};
    std::vector<std::int16_t> borders = {};  // put in this order; the last one counts
};

class ControlAnimation : public testing::TestWithParam<AnimationCase>, public ControlSetting {
protected:
    std::vector<std::uint32_t> Paint(const ControlPtr& c) {
        Canvas canvas(site.client.right - site.client.left, site.client.bottom - site.client.top);
        ControlSetting::Paint(c, canvas);
        return canvas.pixels;
    }
    std::int32_t GetI4(const ControlPtr& c, DISPID id) {
        VARIANT v;
        EXPECT_EQ(Invoke(D(c), id, DISPATCH_PROPERTYGET, {}, &v), S_OK);
        return v.vt == VT_I4 ? v.lVal : -1;
    }
};

}  // namespace

TEST_P(ControlAnimation, PlaysHoldsStepsAndStartsAgainAsTheEngineDraws) {
    const AnimationCase& p = GetParam();
    site.client = p.client;
    ControlPtr c = NewControl(true, 4, kWalk);
    for (std::int16_t style : p.borders)
        ASSERT_EQ(Invoke(D(c), DISPID_BORDERSTYLE, DISPATCH_PROPERTYPUT, {MakeI2(style)}), S_OK);
    c->SetFriction(p.friction);
    c->SetAngle(p.angle);
    c->SetScale(p.scale);
    const int n = GetI4(c, DISPID_FrameCount);
    ASSERT_GT(n, 4);
    EXPECT_EQ(GetI4(c, DISPID_CurrentFrame), 0) << "nothing painted yet: the animation starts at frame 0";
    // What successive paints show, as the engine draws them from the preparation on: laid out on the client
    // area, whatever its origin, less the border's two pixels, one pixel inside a black frame.
    const std::int32_t w = p.client.right - p.client.left, h = p.client.bottom - p.client.top;
    const auto expected = EngineFrames({}, {kWalk, kWalk + 4}, w, h, p.friction, p.engineAngle, 3 * n, double(p.scale),
                                       p.borders.empty() ? 0 : p.borders.back());

    int shown = n - 2;  // play up to two frames before the wrap
    for (int k = 0; k <= shown; ++k) ASSERT_EQ(Paint(c), expected[std::size_t(k)]) << "playing, frame " << k;
    EXPECT_EQ(GetI4(c, DISPID_CurrentFrame), shown);

    ASSERT_EQ(Invoke(D(c), DISPID_Playing, DISPATCH_PROPERTYPUT, {MakeBool(false)}), S_OK);
    EXPECT_TRUE(site.runningTimers.empty()) << "a held picture runs no timer";
    ASSERT_EQ(Paint(c), expected[std::size_t(shown)]) << "a repaint keeps the frame held";

    // Forward over the wrap (the frame index comes round to 0 while a walk goes on),
    // then back again, each step drawn as the engine draws that frame.
    for (int move : {+1, +1, +1, +1, -1, -1, -1, +1}) {
        c->StepFrame(move < 0);
        shown += move;
        EXPECT_EQ(GetI4(c, DISPID_CurrentFrame), shown % n);
        ASSERT_EQ(Paint(c), expected[std::size_t(shown)]) << "after a step to " << shown;
        ASSERT_EQ(Paint(c), expected[std::size_t(shown)]) << "held after the step";
    }

    c->SetPlaying(true);
    EXPECT_EQ(site.runningTimers.count(kAnimationTimerId), 1u)
        << "playing starts the timer without restarting the walk";
    ASSERT_EQ(Paint(c), expected[std::size_t(shown + 1)]);

    // Any put, even of the value already stored, starts again from frame 0:
    // playing on while playing, held when paused.
    c->SetPoseCount(4);
    for (std::size_t k : {0u, 1u}) ASSERT_EQ(Paint(c), expected[k]) << "playing on from frame 0";
    c->SetPlaying(false);
    c->SetAngle(p.angle);
    EXPECT_EQ(GetI4(c, DISPID_CurrentFrame), 0);
    for (int k = 0; k < 2; ++k) ASSERT_EQ(Paint(c), expected[0]) << "held at frame 0";
    EXPECT_EQ(Invoke(D(c), DISPID_StepFrame, DISPATCH_METHOD, {MakeBool(true)}), S_OK);
    EXPECT_EQ(GetI4(c, DISPID_CurrentFrame), 0) << "nothing before the first frame to go back to";
    ASSERT_EQ(Paint(c), expected[0]);
}

INSTANTIATE_TEST_SUITE_P(Modes, ControlAnimation,
                         testing::Values(AnimationCase{"WalkingSteepTruncated", true, 45.9, 45, 0.5f},
                                         AnimationCase{"InPlaceNegativeTruncated", false, -10.5, -10, 1.35f},
                                         AnimationCase{"SiteNotAtTheOrigin", true, 0, 0, 1.0f, {10, 20, 210, 120}},
                                         AnimationCase{"InsideTheBorder", true, 0, 0, 1.0f, {0, 0, 200, 100}, {1}},
                                         AnimationCase{
                                             "BorderPutBackToNone", true, 0, 0, 1.0f, {5, 5, 205, 105}, {1, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });
