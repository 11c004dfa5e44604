// The widget-free host: creating the control by class identifier, its calls
// when the control is missing, and dispatch calls, messages and clicks.
#include <gtest/gtest.h>

#include "activex/ControlTestSupport.h"
#include "editor/ui/ZubrelleHost.h"
#include "platform/com/Activation.h"

using namespace controltest;
using mirtala::ZubrelleHost;

namespace {

class RecordingWindow final : public ZubrelleHost::Window {
public:
    void Invalidate(bool) override { ++invalidations; }
    bool StartTimer(std::uint32_t id, std::uint32_t periodMs) override { return timers[id] = periodMs, true; }
    void StopTimer(std::uint32_t id) override { timers.erase(id); }
    com::RECT ClientRect() override { return {0, 0, 160, 90}; }
    void ShowMessage(const std::string& caption, const std::string& text) override {
        messages.push_back(caption + "|" + text);
    }
    void ControlClicked() override { ++clicks; }

    int invalidations = 0, clicks = 0;
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
    EXPECT_EQ(canvas.pixels, Canvas(20, 10).pixels);
    EXPECT_EQ(window.invalidations + window.clicks + int(window.messages.size()), 0);
}

TEST_F(HostTest, DrivesTheRegisteredControlThroughItsDispatchInterface) {
    ASSERT_EQ(CallModule(ZUBRELLE_MODULE_PATH), com::S_OK);
    {
        ZubrelleHost host(window);
        ASSERT_TRUE(host.Create()) << host.ErrorText();
        host.SetPoseString(3, "X?!");
        EXPECT_EQ(host.GetPoseString(3), "X?!");
        host.SetPoseString(8, "lost");
        EXPECT_EQ(host.GetPoseString(8), "");
        EXPECT_EQ(host.LastResult(), com::S_OK);
        host.AboutBox();
        EXPECT_EQ(window.messages, std::vector<std::string>{"About Zubrelle Control|Zubrelle Control, Version 1.0"});
        host.Click(3, 4);
        EXPECT_EQ(window.clicks, 1);

    }
    com::CoFreeUnusedLibraries();
    EXPECT_EQ(com::LoadedModuleCount(), 0);
}
