// mirtala --render-gait OUT.gif and --sheet OUT.png run as a user runs them:
// one full cycle, frame for frame the engine's drawing, and the usage errors
// that keep a GIF to one cycle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "WalkTestSupport.h"
#include "activex/ControlTestSupport.h"
#include "control/body/BodyModel.h"
#include "control/body/PoseSlotValues.h"
#include "fixtures/TempDir.h"

using namespace controltest;
using mirtala::test::Pixels;

namespace {

constexpr const char* kPoses = "201111111111111,311222000002211,201333111113311";

class CliWalkTest : public testing::Test {
protected:
    void SetUp() override {
        PointRegistryAtDemoCreature();
        ASSERT_EQ(CallModule(ZUBRELLE_MODULE_PATH), com::S_OK);
    }
    int Mirtala(const std::string& args) {
        const int status = std::system(("'" MIRTALA_PROGRAM "' " + args + " >/dev/null 2>'" + dir.File("err") + "'").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The engine's cycle of the three poses at 120 x 90, walking at 10 degrees.
    static std::vector<Pixels> EngineCycle() {
        zubrelle::BodyModel engine;
        std::string error;
        EXPECT_EQ(engine.Load(DemoImages(), DemoBodyData(), zubrelle::Appearance{}, error), 0) << error;
        std::array<zubrelle::PoseSlotValues, 9> poses{};
        int n = 0;
        for (const char* p : {"201111111111111", "311222000002211", "201333111113311"})
            poses[std::size_t(n++)] = zubrelle::ConvertPoseString(p);
        zubrelle::AnimationState state;
        const gdi::Rect rect{0, 0, 120, 90};
        const int count = engine.PrepareWalk(rect, poses, n, 1.0, 10, state);
        std::vector<Pixels> frames;
        for (int k = 0; k < count; ++k) {
            gdi::Bitmap b(120, 90);
            engine.DrawWalkFrame(rect, b, state);
            frames.push_back(b.Pixels());
        }
        return frames;
    }

    TempRegistry registry;
    mirtala::test::TempDir dir;
};

}  // namespace

TEST_F(CliWalkTest, AGifAndASheetHoldOneFullCycleOfTheEnginesFrames) {
    const std::vector<Pixels> expected = EngineCycle();
    const int n = int(expected.size());
    ASSERT_GT(n, 3);
    const std::string common = " --pose-strings " + std::string(kPoses) + " --size 120x90 --angle 10";
    ASSERT_EQ(Mirtala("--render-gait '" + dir.File("walk.GIF") + "'" + common), 0);
    int w = 0, h = 0;
    std::vector<int> delays;
    EXPECT_EQ(mirtala::test::ReadGif(dir.File("walk.GIF"), w, h, &delays), expected);
    EXPECT_EQ(delays, std::vector<int>(std::size_t(n), 10));

    ASSERT_EQ(Mirtala("--sheet '" + dir.File("sheet.png") + "'" + common + " --columns 2"), 0);
    const Pixels sheet = mirtala::test::ReadPng(dir.File("sheet.png"), w, h);
    ASSERT_EQ(w, 240);
    ASSERT_EQ(h, (n + 1) / 2 * 90);
    for (int k = 0; k < n; ++k)
        EXPECT_EQ(mirtala::test::SheetCell(sheet, w, 2, k, 120, 90), expected[std::size_t(k)]) << "cell " << k;
    if (n % 2) {
        EXPECT_EQ(mirtala::test::SheetCell(sheet, w, 2, n, 120, 90), Pixels(120 * 90, 0x00FFFFFFu)) << "unused cell";
    }
}

TEST_F(CliWalkTest, UsageErrorsAndRefusalsWriteNothing) {
    struct Case {
        std::string args;
        int status;
    };
    const std::string gif = dir.File("w.gif");
    const Case cases[] = {
        {"--render-gait '" + gif + "' --pose-strings 2,3 --frames 4", 2},  // a GIF is one cycle
        {"--sheet '" + gif + "' --pose-strings 2,3 --columns 0", 2},
        {"--sheet '" + dir.Path() + "' --pose-strings 2,3", 1},  // a folder is not replaced
        {"--render-gait '" + gif + "' --pose-strings 2,3 --size 8192x8192 --scale 1", 1},  // too large to hold
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Mirtala(c.args), c.status) << c.args;
        EXPECT_FALSE(std::filesystem::exists(gif)) << c.args;
    }
}
