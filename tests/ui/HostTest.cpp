// The widget-free host: creating the control by class identifier, its calls
// when the control is missing, and a walk painted through it.
#include <gtest/gtest.h>

#include "activex/ControlTestSupport.h"
#include "control/body/BodyModel.h"
#include "control/body/PoseSlotValues.h"
#include "editor/ui/ZubrelleHost.h"
#include "platform/com/Activation.h"

using namespace controltest;
using mirtala::ZubrelleHost;

namespace {

class RecordingWindow final : public ZubrelleHost::Window {
public:
    void Invalidate(bool) override { ++invalidations; }
    bool StartTimer(std::uint32_t id, std::uint32_t periodMs) override {
        timers[id] = periodMs;
        return true;
    }
    void StopTimer(std::uint32_t id) override { timers.erase(id); }
    com::RECT ClientRect() override { return {0, 0, 160, 90}; }
    void ShowMessage(const std::string& caption, const std::string& text) override {
        messages.push_back(caption + "|" + text);
    }
    void ControlClicked() override { ++clicks; }

    int invalidations = 0;
    int clicks = 0;
    std::map<std::uint32_t, std::uint32_t> timers;
    std::vector<std::string> messages;
};

class HostTest : public testing::Test {
protected:
    void SetUp() override { PointRegistryAtDemoCreature(); }
    void TearDown() override { com::CoFreeUnusedLibraries(); }
    TempRegistry registry;
    RecordingWindow window;
};

}  // namespace

TEST_F(HostTest, WithoutARegisteredControlItSaysHowToRegisterAndEveryCallIsHarmless) {
    ZubrelleHost host(window);
    EXPECT_FALSE(host.Create());
    EXPECT_FALSE(host.IsCreated());
    EXPECT_NE(host.ErrorText().find("not registered"), std::string::npos) << host.ErrorText();
    EXPECT_NE(host.ErrorText().find("regsvr"), std::string::npos) << host.ErrorText();
    host.SetScale(2);
    host.SetFriction(false);
    host.SetAngle(3);
    host.SetPoseCount(4);
    host.SetAppearance(1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1);
    host.SetPoseString(0, "201111111111111");
    EXPECT_EQ(host.GetPoseString(0), "");
    host.AboutBox();
    host.Click(1, 1);
    host.TimerFired(101);
    Canvas canvas(20, 10);
    host.Paint(canvas.pixels.data(), 20, 10, 20);
    for (auto p : canvas.pixels) ASSERT_EQ(p, 0x12345678u);
    EXPECT_EQ(window.invalidations, 0);
}

TEST_F(HostTest, DrivesTheRegisteredControlThroughItsDispatchInterface) {
    ASSERT_EQ(RegisterModule(ZUBRELLE_MODULE_PATH), com::S_OK);
    {
        ZubrelleHost host(window);
        ASSERT_TRUE(host.Create()) << host.ErrorText();
        host.SetPoseString(3, "X?!");
        EXPECT_EQ(host.GetPoseString(3), "X?!");
        host.SetPoseString(8, "lost");
        EXPECT_EQ(host.GetPoseString(8), "");
        EXPECT_EQ(host.LastResult(), com::S_OK);
        host.AboutBox();
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0], "About Zubrelle Control|Zubrelle Control, Version 1.0");
        host.Click(3, 4);
        EXPECT_EQ(window.clicks, 1);
    }
    com::CoFreeUnusedLibraries();
    EXPECT_EQ(com::LoadedModuleCount(), 0);
}

TEST_F(HostTest, AWalkPaintedThroughTheHostEqualsTheEngine) {
    ASSERT_EQ(RegisterModule(ZUBRELLE_MODULE_PATH), com::S_OK);
    const char* const walk[] = {"201111111111111", "201222000002211", "201333111113311"};
    ZubrelleHost host(window);
    ASSERT_TRUE(host.Create()) << host.ErrorText();
    // Head 1/1, body 1/0, legs 0/0, arms 2/1, tail 1/0, male, adult.
    host.SetAppearance(1, 1, 1, 0, 0, 0, 2, 1, 1, 0, 0, 4);
    host.SetScale(0.75f);
    host.SetAngle(-12.9);
    for (std::int16_t i = 0; i < 3; ++i) host.SetPoseString(i, walk[i]);
    host.SetPoseCount(3);

    zubrelle::BodyModel engine;
    std::string error;
    ASSERT_EQ(engine.Load(DemoImages(), DemoBodyData(), zubrelle::Appearance{0, 4, 1, 1, 1, 0, 0, 0, 2, 1, 1, 0}, error),
              0)
        << error;
    std::array<zubrelle::PoseSlotValues, 9> poses{};
    for (int i = 0; i < 3; ++i) poses[std::size_t(i)] = zubrelle::ConvertPoseString(walk[i]);
    zubrelle::AnimationState state;
    gdi::Rect rect{0, 0, 160, 90};
    int frames = engine.PrepareWalk(rect, poses, 3, double(0.75f), -12, state);
    Canvas canvas(160, 90);
    for (int k = 0; k < frames + 2; ++k) {
        host.Paint(canvas.pixels.data(), 160, 90, 160);
        if (k == 0) {
            EXPECT_EQ(window.timers.count(101), 1u);
        }
        gdi::Bitmap expected(160, 90);
        engine.DrawWalkFrame(rect, expected, state);
        ASSERT_EQ(canvas.pixels, expected.Pixels()) << "frame " << k;
    }
}
