// Stepping through the control's animation: the frame count before and after
// the paint prepares, holding a frame through repaints, steps forward and
// back against the engine's own frames, and playing on from the frame held.
#include <gtest/gtest.h>

#include <memory>

#include "activex/ControlTestSupport.h"
#include "control/activex/BodyCache.h"
#include "control/activex/ZubrelleCtrl.h"
#include "control/activex/ZubrelleIds.h"
#include "control/body/PoseSlotValues.h"

using namespace com;
using namespace controltest;
using namespace zubrelle;

namespace {

struct ReleaseControl {
    void operator()(CZubrelleCtrl* c) const { static_cast<IDispatch*>(c)->Release(); }
};
using ControlPtr = std::unique_ptr<CZubrelleCtrl, ReleaseControl>;

constexpr const char* kWalk[] = {"201111111111111", "201222000002211", "301333111113311", "201000222220011"};

struct StepCase {
    const char* name;
    bool friction;
};

class ControlStepTest : public testing::TestWithParam<StepCase> {
protected:
    void SetUp() override {
        PointRegistryAtDemoCreature();
        BodyCache::Instance().Clear();
    }
    void TearDown() override { BodyCache::Instance().Clear(); }

    // The engine's frames from the preparation on: what successive paints show.
    std::vector<std::vector<std::uint32_t>> EngineFrames(int poses, int count) {
        BodyModel engine;
        std::string error;
        EXPECT_EQ(engine.Load(DemoImages(), DemoBodyData(), Appearance{}, error), 0) << error;
        std::array<PoseSlotValues, 9> slots{};
        for (int i = 0; i < poses; ++i) slots[std::size_t(i)] = ConvertPoseString(kWalk[i]);
        AnimationState state;
        const gdi::Rect rect{0, 0, site.client.right, site.client.bottom};
        GetParam().friction ? engine.PrepareWalk(rect, slots, poses, 1.0, 0, state)
                            : engine.PrepareStand(slots, poses, 1.0, state);
        std::vector<std::vector<std::uint32_t>> frames;
        for (int k = 0; k < count; ++k) {
            gdi::Bitmap b(rect.right, rect.bottom, 0x00FFFFFF);
            GetParam().friction ? engine.DrawWalkFrame(rect, b, state) : engine.DrawStandFrame(rect, b, 0, state);
            frames.push_back(b.Pixels());
        }
        return frames;
    }
    std::vector<std::uint32_t> Paint(const ControlPtr& c) {
        Canvas canvas(site.client.right, site.client.bottom);
        c->Draw(canvas.Target(), RECT{0, 0, canvas.width, canvas.height});
        return canvas.pixels;
    }
    std::int32_t GetI4(const ControlPtr& c, DISPID id) {
        VARIANT v;
        EXPECT_EQ(Invoke(static_cast<IDispatch*>(c.get()), id, DISPATCH_PROPERTYGET, {}, &v), S_OK);
        return v.vt == VT_I4 ? v.lVal : -1;
    }
    void Step(const ControlPtr& c, bool back) {
        EXPECT_EQ(Invoke(static_cast<IDispatch*>(c.get()), DISPID_StepFrame, DISPATCH_METHOD, {MakeBool(back)}), S_OK);
    }

    TempRegistry registry;
    RecordingSite site;
};

}  // namespace

TEST_P(ControlStepTest, HoldsStepsBothWaysAndPlaysOnAsTheEngineDraws) {
    ControlPtr c(new CZubrelleCtrl());
    c->SetSite(&site);
    c->SetFriction(GetParam().friction);
    for (std::int16_t i = 0; i < 4; ++i) c->SetPoseString(i, kWalk[i]);
    c->SetPoseCount(4);
    const int n = GetI4(c, DISPID_FrameCount);
    const auto expected = EngineFrames(4, 3 * n);
    ASSERT_GT(n, 4);
    EXPECT_EQ(GetI4(c, DISPID_CurrentFrame), 0) << "nothing painted yet: the animation starts at frame 0";

    int shown = n - 2;  // play up to two frames before the wrap
    for (int k = 0; k <= shown; ++k) ASSERT_EQ(Paint(c), expected[std::size_t(k)]) << "playing, frame " << k;
    EXPECT_EQ(GetI4(c, DISPID_CurrentFrame), shown);
    EXPECT_EQ(GetI4(c, DISPID_FrameCount), n);

    ASSERT_EQ(Invoke(static_cast<IDispatch*>(c.get()), DISPID_Playing, DISPATCH_PROPERTYPUT, {MakeBool(false)}), S_OK);
    EXPECT_TRUE(site.runningTimers.empty()) << "a held picture runs no timer";
    for (int repaint = 0; repaint < 3; ++repaint)
        ASSERT_EQ(Paint(c), expected[std::size_t(shown)]) << "a repaint keeps the frame held";
    EXPECT_EQ(GetI4(c, DISPID_CurrentFrame), shown);

    // Forward over the wrap (the frame index comes round to 0 while a walk goes on),
    // then back again, each step drawn as the engine draws that frame.
    const int moves[] = {+1, +1, +1, +1, -1, -1, -1, +1};
    for (int move : moves) {
        Step(c, move < 0);
        shown += move;
        EXPECT_EQ(GetI4(c, DISPID_CurrentFrame), shown % n);
        ASSERT_EQ(Paint(c), expected[std::size_t(shown)]) << "after a step to " << shown;
        ASSERT_EQ(Paint(c), expected[std::size_t(shown)]) << "held after the step";
    }

    c->SetPlaying(true);
    EXPECT_EQ(site.runningTimers.count(101), 1u) << "playing starts the timer without restarting the walk";
    ASSERT_EQ(Paint(c), expected[std::size_t(shown + 1)]);

    // A change of what is shown starts again from frame 0, held when paused.
    c->SetPlaying(false);
    c->SetAngle(0.0);
    EXPECT_EQ(GetI4(c, DISPID_CurrentFrame), 0);
    ASSERT_EQ(Paint(c), expected[0]);
    ASSERT_EQ(Paint(c), expected[0]);
    Step(c, true);
    EXPECT_EQ(GetI4(c, DISPID_CurrentFrame), 0) << "nothing before the first frame to go back to";
    ASSERT_EQ(Paint(c), expected[0]);
}

INSTANTIATE_TEST_SUITE_P(Modes, ControlStepTest,
                         testing::Values(StepCase{"Walking", true}, StepCase{"InPlace", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ControlFrameCount, IsOneForAStillPictureAndNoneWithoutABody) {
    TempRegistry registry;  // no host product folders: the body does not load
    BodyCache::Instance().Clear();
    ControlPtr c(new CZubrelleCtrl());
    EXPECT_EQ(c->GetFrameCount(), 1) << "one pose is one still frame";
    c->SetPoseString(0, kWalk[0]);
    c->SetPoseString(1, kWalk[1]);
    c->SetPoseCount(2);
    EXPECT_EQ(c->GetFrameCount(), 0);
    c->StepFrame(false);  // no window: nothing to step
    EXPECT_EQ(c->GetCurrentFrame(), 0);
    c.reset();
    BodyCache::Instance().Clear();
}
