// The onion skin: its neighbours are the control's own frames, before and
// after the one shown and around the loop, faded by the documented rule, and
// painting it leaves the animation where a plain paint would.
#include <gtest/gtest.h>

#include "activex/ControlTestSupport.h"
#include "editor/picture/OnionSkin.h"
#include "editor/picture/ZubrelleHost.h"
#include "platform/com/Activation.h"

using namespace controltest;
using mirtala::OnionSkin;

namespace {

constexpr const char* kWalk[] = {"201111111111111", "201222000002211", "301333111113311", "201000222220011"};
constexpr int kW = 200, kH = 100;

struct Picture {
    mirtala::OffscreenWindow window{kW, kH};
    mirtala::ZubrelleHost host{window};
    explicit Picture(bool friction) {
        EXPECT_TRUE(host.Create());
        for (std::int16_t i = 0; i < 4; ++i) host.SetPoseString(i, kWalk[i]);
        host.SetPoseCount(4);
        host.SetFriction(friction);
        host.SetAngle(10);
    }
    OnionSkin::Frame PaintPlain() {
        OnionSkin::Frame frame(std::size_t(kW) * kH, 0x00FFFFFF);
        host.Paint(frame.data(), kW, kH, kW);
        return frame;
    }
};

struct OnionCase {
    const char* name;
    bool friction;
    int depth;
    int loopsFirst;   // whole loops painted before
    int frameInLoop;  // then this many frames; the onion paint shows the next
};

class OnionSkinFrames : public testing::TestWithParam<OnionCase> {
protected:
    void SetUp() override {
        PointRegistryAtDemoCreature();
        ASSERT_EQ(CallModule(ZUBRELLE_MODULE_PATH), com::S_OK);
    }
    void TearDown() override { com::CoFreeUnusedLibraries(); }
    TempRegistry registry;
};

}  // namespace

TEST_P(OnionSkinFrames, AreTheControlsOwnNeighboursFadedAroundTheLoop) {
    const OnionCase& p = GetParam();
    Picture reference(p.friction), picture(p.friction);
    const int n = reference.host.GetFrameCount();
    ASSERT_GT(n, 2 * p.depth);
    // What the plain paints show, one after the other.
    std::vector<OnionSkin::Frame> shown;
    for (int k = 0; k < 3 * n; ++k) shown.push_back(reference.PaintPlain());

    int s = p.loopsFirst * n + p.frameInLoop;  // index into `shown` of the onion paint's frame
    for (int k = 0; k < s; ++k) picture.PaintPlain();
    std::vector<OnionSkin::Frame> before, after;
    for (int d = 1; d <= p.depth; ++d) {
        // In place every loop is the same, so the frame before frame 1 is the last of a loop.
        before.push_back(shown[std::size_t(s - d >= 0 ? s - d : s - d + n)]);
        after.push_back(shown[std::size_t(s + d)]);
    }
    OnionSkin::Frame expected(std::size_t(kW) * kH), onion(std::size_t(kW) * kH);
    OnionSkin::Compose(shown[std::size_t(s)], before, after, expected.data(), kW, kH, kW);
    OnionSkin skin(p.depth);
    skin.Paint(picture.host, onion.data(), kW, kH, kW);
    EXPECT_EQ(picture.host.GetCurrentFrame(), s % n);
    EXPECT_TRUE(onion == expected);
    EXPECT_TRUE(onion != shown[std::size_t(s)]) << "the neighbours show";
    EXPECT_TRUE(picture.PaintPlain() == shown[std::size_t(s + 1)]) << "the animation goes on undisturbed";
}

INSTANTIATE_TEST_SUITE_P(Cases, OnionSkinFrames,
                         testing::Values(OnionCase{"InPlaceAtFrameOneTheLastIsBefore", false, 3, 0, 0},
                                         OnionCase{"InPlaceAtTheLastTheFirstIsAfter", false, 2, 1, -1},
                                         OnionCase{"WalkingAfterALoopAsShown", true, 3, 1, 0},
                                         OnionCase{"WalkingMidLoopOneEachSide", true, 1, 0, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

// The rule worked by hand on one pixel each: a grey pixel before at distance
// 1 and one after at distance 2 over white; the shown frame's pixel on top.
TEST(OnionSkinRule, TintsFadesAndKeepsTheShownFrameOnTop) {
    const std::uint32_t white = 0x00FFFFFF, grey = 0x00404040;
    const OnionSkin::Frame shown{white, white, 0x00123456}, blank{white, white, white};
    const std::vector<OnionSkin::Frame> before{{grey, white, grey}}, after{blank, {white, grey, grey}};
    std::uint32_t out[3];
    OnionSkin::Compose(shown, before, after, out, 3, 1, 3);
    // Before: toward blue, (0x40 + 0xFF) / 2 = 0x9F in blue and 0x20 in red and green, at 128/256 over white.
    EXPECT_EQ(out[0], 0x00CF9090u);
    // After, two away: toward red, at 77/256.
    EXPECT_EQ(out[1], 0x00BCBCE2u);
    EXPECT_EQ(out[2], 0x00123456u);
}
