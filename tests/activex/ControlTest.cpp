// The picture control through its dispatch interface and windowless view:
// property rules, the change reaction, SetAppearance, the border, the body
// cache, the animation timer, the paint path against the engine, and the host
// product's folders with the load error.
#include <gtest/gtest.h>

#include <algorithm>

#include "activex/ControlTestSupport.h"
#include "control/ZubrelleInterface.h"
#include "platform/gdi/DrawContext.h"
#include "platform/registry/HostFolders.h"
#include "platform/registry/Registry.h"
#include "registry/FakeWinePrefix.h"

using namespace com;
using namespace controltest;
using namespace zubrelle;
namespace reg = mirtala::registry;

namespace {

// SetAppearance's parameters: genus and variant of head, body, legs, arms, tail, then sex and age.
HRESULT CallSetAppearance(const ControlPtr& c, std::vector<std::int16_t> args) {
    std::vector<VARIANT> v;
    for (std::int16_t a : args) v.push_back(MakeI2(a));
    return Invoke(D(c), DISPID_SetAppearance, DISPATCH_METHOD, std::move(v));
}

class ControlTest : public testing::Test, public ControlSetting {
protected:
    ControlPtr NewControl(bool withSite = true, int poses = 0) {
        return ControlSetting::NewControl(withSite, poses, kWalk);
    }

    static constexpr const char* kWalk[] = {"201111111111111", "201222000002211", "201333111113311", "201000222220011"};
};

struct Rule {
    DISPID property;
    VARIANT (*put)();
    HRESULT putResult;
    VARTYPE readType;  // the type and value read back after the put
    double stored;
};

class PropertyRule : public ControlTest, public testing::WithParamInterface<Rule> {};

std::string Text(const ControlPtr& c, DISPID id, std::vector<VARIANT> index = {}) {
    VARIANT v;
    if (Invoke(D(c), id, DISPATCH_PROPERTYGET, std::move(index), &v) != S_OK || v.vt != VT_BSTR) return "<no text>";
    std::string text = Utf8FromBstr(v.bstrVal);
    VariantClear(&v);
    return text;
}
HRESULT PutText(const ControlPtr& c, DISPID id, const std::string& text) {
    return Invoke(D(c), id, DISPATCH_PROPERTYPUT, {MakeBstr(text)});
}

}  // namespace

TEST_P(PropertyRule, StoresTheRuledValueWithTheChangeReactionOrRefusesWithout) {
    const Rule& rule = GetParam();
    const DISPID id = rule.property;
    auto c = NewControl();
    Canvas canvas(60, 40);
    Paint(c, canvas);
    ASSERT_TRUE(c->IsPrepared());
    VARIANT untouched = MakeI4(7);  // a put returns nothing: the caller's variant keeps its value
    EXPECT_EQ(Invoke(D(c), id, DISPATCH_PROPERTYPUT, {rule.put()}, &untouched), rule.putResult);
    EXPECT_EQ(untouched.vt, VT_I4);
    EXPECT_EQ(untouched.lVal, 7);
    bool changed = rule.putResult == S_OK;
    EXPECT_EQ(c->IsPrepared(), !changed || id == DISPID_BORDERSTYLE);  // a stock property: no new animation
    EXPECT_EQ(site.erasingInvalidations, changed ? 1 : 0);
    EXPECT_EQ(c->IsModified(), changed);
    VARIANT v;
    ASSERT_EQ(Invoke(D(c), id, DISPATCH_PROPERTYGET, {}, &v), S_OK);
    EXPECT_EQ(v.vt, rule.readType);
    ASSERT_EQ(VariantChangeType(&v, &v, VT_R8), S_OK);
    EXPECT_EQ(v.dblVal, rule.stored);
}

// PoseCount is clamped to 1..8; Scale and Angle are stored unvalidated; BorderStyle is 0 or 1.
INSTANTIATE_TEST_SUITE_P(
    Values, PropertyRule,
    testing::Values(Rule{DISPID_PoseCount, [] { return MakeI4(0); }, S_OK, VT_I2, 1},
                    Rule{DISPID_PoseCount, [] { return MakeBstr("3"); }, S_OK, VT_I2, 3},
                    Rule{DISPID_PoseCount, [] { return MakeI4(9); }, S_OK, VT_I2, 8},
                    Rule{DISPID_PoseCount, [] { return MakeI4(40000); }, DISP_E_OVERFLOW, VT_I2, 1},
                    Rule{DISPID_Scale, [] { return MakeBstr("-2.5"); }, S_OK, VT_R4, -2.5},
                    Rule{DISPID_Scale, [] { return MakeBstr("abc"); }, DISP_E_TYPEMISMATCH, VT_R4, 1},
                    Rule{DISPID_Angle, [] { return MakeR8(1e30); }, S_OK, VT_R8, 1e30},
                    Rule{DISPID_Friction, [] { return MakeI2(0); }, S_OK, VT_BOOL, VARIANT_FALSE},
                    Rule{DISPID_Friction, [] { return MakeR4(3); }, S_OK, VT_BOOL, VARIANT_TRUE},
                    Rule{DISPID_BORDERSTYLE, [] { return MakeI2(1); }, S_OK, VT_I2, 1},
                    Rule{DISPID_BORDERSTYLE, [] { return MakeI2(2); }, CTL_E_INVALIDPROPERTYVALUE, VT_I2, 0}));

TEST_F(ControlTest, PoseStringIndexOutsideZeroToSevenStoresNothingAndReadsEmptyButStillReacts) {
    auto c = NewControl();
    Canvas canvas(60, 40);
    for (std::int16_t i = 0; i < 8; ++i) c->SetPoseString(i, "p" + std::to_string(i));
    for (std::int16_t index : {0, 8, -1, 1000}) {
        Paint(c, canvas);
        c->SetModifiedFlag(false);
        int before = site.erasingInvalidations;
        VARIANT value = MakeBstr(index ? "intruder" : "p0");
        ASSERT_EQ(Invoke(D(c), DISPID_PoseString, DISPATCH_PROPERTYPUT, {MakeI2(index), value}), S_OK);
        EXPECT_EQ(site.erasingInvalidations, before + 1);
        EXPECT_FALSE(c->IsPrepared());
        EXPECT_TRUE(c->IsModified());
        EXPECT_EQ(Text(c, DISPID_PoseString, {MakeI2(index)}), index ? "" : "p0");
    }
    for (std::int16_t i = 0; i < 8; ++i) EXPECT_EQ(c->GetPoseString(i), "p" + std::to_string(i));
}

// Sharing of bodies among controls is held by the folders test below.
TEST_F(ControlTest, SetAppearanceStopsTheTimerAndLoadsTheNewBodyAsIs) {
    auto a = NewControl(true, 3);
    Canvas canvas(200, 100);
    Paint(a, canvas);
    ASSERT_EQ(a->TimerId(), kAnimationTimerId);
    a->SetModifiedFlag(false);
    const int invalidations = site.erasingInvalidations;
    ASSERT_EQ(CallSetAppearance(a, {1, 1, 1, 0, 0, 0, 2, 1, 1, 0, 0, 4}), S_OK);
    EXPECT_EQ(site.erasingInvalidations, invalidations + 1);
    EXPECT_TRUE(site.runningTimers.empty());
    EXPECT_FALSE(a->IsPrepared());
    EXPECT_FALSE(a->IsModified());
    EXPECT_TRUE(a->Body()->IsLoaded());
    EXPECT_EQ(BodyCache::Instance().UseCount(Appearance{0, 4, 1, 1, 1, 0, 0, 0, 2, 1, 1, 0}), 1);
}

TEST_F(ControlTest, PaintsWhiteWhenEmptyOrWithoutABodyAndNothingWithoutAWindow) {
    auto c = NewControl();
    Canvas canvas(30, 20), expected(30, 20);
    c->Draw(canvas.Target(), RECT{5, 5, 25, 15});
    for (int y = 5; y < 15; ++y) std::fill_n(&expected.pixels[std::size_t(y * 30 + 5)], 20, 0x00FFFFFFu);
    EXPECT_EQ(canvas.pixels, expected.pixels);

    ASSERT_EQ(CallSetAppearance(c, {7, 0, 7, 0, 7, 0, 7, 0, 7, 0, 0, 0}), S_OK);  // a genus with no files
    EXPECT_FALSE(c->Body()->IsLoaded());
    c->SetPoseString(0, kWalk[0]);
    Paint(c, canvas);
    EXPECT_EQ(canvas.pixels, Canvas(30, 20, 0x00FFFFFFu).pixels);
    c->Draw(com::PixelTarget{nullptr, 30, 20, 30}, RECT{0, 0, 30, 20});  // a target without pixels: nothing, no crash
    EXPECT_EQ(c->GetFrameCount(), 1) << "one pose is one still frame, body or not";
    c->SetPoseString(1, kWalk[1]);
    c->SetPoseCount(2);
    EXPECT_EQ(c->GetFrameCount(), 0) << "a walk without a body has no frames";

    auto alone = NewControl(false, 2);
    Canvas untouched(30, 20);
    Paint(alone, untouched);
    EXPECT_EQ(untouched.pixels, Canvas(30, 20).pixels);
    alone->StepFrame(false);
    EXPECT_EQ(alone->GetCurrentFrame(), 0) << "nothing to step";
}

// A control placed partly left of the target shows its visible part from
// column 0 and writes nothing outside its rows; a later paint only wider than
// the last one is drawn at the new width.
TEST_F(ControlTest, PaintsClipAtColumnZeroAndFollowAWidthOnlyResize) {
    constexpr std::uint32_t kUntouched = 0x12345678u;
    Canvas whole(120, 80), clipped(120, 100, kUntouched), narrow(100, 80), wide(120, 80);
    NewControl(true, 1)->Draw(whole.Target(), RECT{0, 0, 120, 80});
    NewControl(true, 1)->Draw(clipped.Target(), RECT{-40, 10, 80, 90});
    for (std::int32_t y = 0; y < 100; ++y)
        for (std::int32_t x = 0; x < 120; ++x) {
            const bool inside = y >= 10 && y < 90 && x < 80;
            const std::uint32_t want = inside ? whole.pixels[std::size_t((y - 10) * 120 + x + 40)] : kUntouched;
            ASSERT_EQ(clipped.pixels[std::size_t(y * 120 + x)], want) << x << "," << y;
        }
    auto c = NewControl(true, 1);
    Paint(c, narrow);
    Paint(c, wide);
    EXPECT_EQ(wide.pixels, whole.pixels);
}

TEST_F(ControlTest, TheTimerRunsFromThePaintWhileMoreThanOnePoseIsShown) {
    auto c = NewControl(true, 3);
    Canvas canvas(200, 100);
    EXPECT_TRUE(site.runningTimers.empty()) << "nothing starts before the paint";
    Paint(c, canvas);
    EXPECT_EQ(site.runningTimers, (std::map<std::uint32_t, std::uint32_t>{{kAnimationTimerId, kAnimationPeriodMs}}));
    int before = site.erasingInvalidations;
    c->OnTimer(kAnimationTimerId);
    EXPECT_EQ(site.erasingInvalidations, before + 1);
    c->SetPoseCount(1);
    EXPECT_EQ(site.runningTimers.count(kAnimationTimerId), 1u) << "stopped by the next paint, not by the put";
    Paint(c, canvas);
    EXPECT_TRUE(site.runningTimers.empty());
    c->SetPoseCount(2);
    Paint(c, canvas);
    ASSERT_EQ(site.runningTimers.count(kAnimationTimerId), 1u);
    c->SetSite(nullptr);
    EXPECT_TRUE(site.runningTimers.empty()) << "destroying the window kills it";
    EXPECT_EQ(site.refs, 0u);
    c = NewControl(true, 2);
    Paint(c, canvas);
    c.reset();
    EXPECT_TRUE(site.runningTimers.empty()) << "and so does destroying the control";

    site.timersWork = false;
    auto still = NewControl(true, 2);
    Paint(still, canvas);
    EXPECT_TRUE(still->IsPrepared()) << "a failed timer does not undo the preparation";
}

TEST_F(ControlTest, OffersTheLoadErrorAndTriesFoldersOfItsOwnThroughDispatch) {
    mirtala::test::TempDir empty;
    auto c = NewControl(true, 2);
    Canvas canvas(60, 40);
    Paint(c, canvas);
    EXPECT_EQ(Text(c, DISPID_ImagesDirectory), DemoImages());
    int invalidations = site.erasingInvalidations;
    ASSERT_EQ(PutText(c, DISPID_ImagesDirectory, empty.Path()), S_OK);
    EXPECT_EQ(site.erasingInvalidations, invalidations + 1);
    EXPECT_FALSE(c->IsPrepared()) << "the walk is laid out afresh for the new body";
    EXPECT_FALSE(c->Body()->IsLoaded());
    EXPECT_EQ(Text(c, DISPID_ImagesDirectory), empty.Path() + "/") << "a separator is added";
    EXPECT_EQ(
        Text(c, DISPID_LoadError),
        "Unable to find a head sprite file for baby male Tovel of variant A.\n[Tried '" + empty.Path() + "/a00a.s16']");
    EXPECT_EQ(PutText(c, DISPID_LoadError, "cleared?"), DISP_E_MEMBERNOTFOUND) << "read-only";
    EXPECT_NE(Text(c, DISPID_LoadError), "");

    // The files arrive; putting the same folder again tries it again (a reload
    // through dispatch is held by the widget's test).
    CopyDemoCreature(empty.Path(), empty.Path() + "/data");
    ASSERT_EQ(PutText(c, DISPID_ImagesDirectory, empty.Path()), S_OK);
    EXPECT_TRUE(c->Body()->IsLoaded());
    ASSERT_EQ(PutText(c, DISPID_BodyDataDirectory, empty.Path()), S_OK);
    EXPECT_EQ(Text(c, DISPID_LoadError).substr(0, 39), "Unable to find a head attachment file f");
    ASSERT_EQ(PutText(c, DISPID_ImagesDirectory, ""), S_OK);
    EXPECT_EQ(Text(c, DISPID_ImagesDirectory), DemoImages()) << "back to the host product's";
}

// Deviation from a cache keyed by appearance alone: a body is shared only by
// controls that read the same folders.
TEST_F(ControlTest, NeverGivesABodyLoadedFromOtherFolders) {
    mirtala::test::TempDir copy;
    CopyDemoCreature(copy.Path() + "/Images", copy.Path() + "/Body Data");
    auto a = NewControl(), b = NewControl(), c = NewControl(false);
    ASSERT_EQ(a->Body(), b->Body());
    b->SetImagesDirectory(copy.Path() + "/Images/");
    EXPECT_NE(a->Body(), b->Body());
    EXPECT_TRUE(b->Body()->IsLoaded());
    c->SetImagesDirectory(copy.Path() + "/Images/");
    EXPECT_EQ(b->Body(), c->Body()) << "the same folders share";
    EXPECT_EQ(BodyCache::Instance().UseCount(Appearance{}), 4);  // one use is never released

    // A failed body is shared like any other until a reload (or a put) tries it again.
    for (const ControlPtr* brask : {&b, &c})
        ASSERT_EQ(CallSetAppearance(*brask, {1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 0, 0}), S_OK);
    ASSERT_EQ(b->Body(), c->Body());
    EXPECT_FALSE(c->Body()->IsLoaded());
    std::weak_ptr<BodyModel> failed = c->Body();
    CopyDemoCreature(copy.Path() + "/Images", copy.Path() + "/Body Data", "10a");
    c->ReloadBody();
    EXPECT_TRUE(c->Body()->IsLoaded());
    EXPECT_FALSE(b->Body()->IsLoaded()) << "until it reloads too";
    b->ReloadBody();
    EXPECT_EQ(b->Body(), c->Body());
    EXPECT_TRUE(failed.expired()) << "the failed body is let go";
}

TEST_F(ControlTest, FindsTheBodyInAWinePrefixWhenOurRegistryHasNoFolders) {
    FakeWinePrefix prefix;
    ASSERT_TRUE(mirtala::registry::WriteHostFolders("", "", nullptr));
    CopyDemoCreature(prefix.Path() + "/drive_c/Program Files/Tarvossa 2/Images",
                     prefix.Path() + "/drive_c/Program Files/Tarvossa 2/Body Data");
    auto found = NewControl();
    EXPECT_TRUE(found->Body()->IsLoaded()) << found->GetLoadError();
    EXPECT_EQ(found->GetImagesDirectory(), prefix.Path() + "/drive_c/Program Files/Tarvossa 2/Images/");
    std::weak_ptr<BodyModel> before = found->Body();

    // A candidate tried on one control: a Windows path, mapped like the registry's.
    ASSERT_EQ(PutText(found, DISPID_BodyDataDirectory, "C:\\PROGRAM FILES\\TARVOSSA 2\\BODY DATA"), S_OK);
    EXPECT_EQ(Text(found, DISPID_BodyDataDirectory), prefix.Path() + "/drive_c/Program Files/Tarvossa 2/Body Data/");
    EXPECT_EQ(found->Body(), before.lock()) << "the same folders: the same body";
}
