// The picture control through its dispatch interface and windowless view:
// property rules, the change reaction, SetAppearance, stock members, events,
// the body cache, the animation timer and the paint path against the engine.
#include <gtest/gtest.h>

#include <memory>

#include "activex/ControlTestSupport.h"
#include "control/activex/BodyCache.h"
#include "control/activex/ZubrelleCtrl.h"
#include "control/activex/ZubrelleIds.h"
#include "control/body/PoseSlotValues.h"

using namespace com;
using namespace controltest;
using zubrelle::BodyCache;
using zubrelle::CZubrelleCtrl;

namespace {

struct ReleaseControl {
    void operator()(CZubrelleCtrl* c) const { static_cast<IDispatch*>(c)->Release(); }
};
using ControlPtr = std::unique_ptr<CZubrelleCtrl, ReleaseControl>;

class ControlTest : public testing::Test {
protected:
    void SetUp() override {
        PointRegistryAtDemoCreature();
        BodyCache::Instance().Clear();
    }
    void TearDown() override { BodyCache::Instance().Clear(); }

    ControlPtr NewControl(bool withSite = true) {
        ControlPtr c(new CZubrelleCtrl());
        if (withSite) c->SetSite(&site);
        return c;
    }
    static IDispatch* D(const ControlPtr& c) { return static_cast<IDispatch*>(c.get()); }
    void Paint(const ControlPtr& c, Canvas& canvas) {
        c->Draw(canvas.Target(), RECT{0, 0, canvas.width, canvas.height});
    }

    TempRegistry registry;
    RecordingSite site;
};

const char* const kWalk[] = {"201111111111111", "201222000002211", "201333111113311", "201000222220011"};

}  // namespace

class PoseCountRule : public ControlTest, public testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(PoseCountRule, IsClampedToOneToEight) {
    auto c = NewControl();
    ASSERT_EQ(Put(D(c), zubrelle::DISPID_PoseCount, MakeI4(GetParam().first)), S_OK);
    VARIANT v;
    ASSERT_EQ(Get(D(c), zubrelle::DISPID_PoseCount, &v), S_OK);
    EXPECT_EQ(v.vt, VT_I2);
    EXPECT_EQ(v.iVal, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Values, PoseCountRule,
                         testing::Values(std::pair{0, 1}, std::pair{-5, 1}, std::pair{1, 1}, std::pair{3, 3},
                                         std::pair{8, 8}, std::pair{9, 8}, std::pair{100, 8}));

TEST_F(ControlTest, ScaleAndAngleAreStoredUnvalidated) {
    auto c = NewControl();
    ASSERT_EQ(Put(D(c), zubrelle::DISPID_Scale, MakeBstr("-2.5")), S_OK);
    ASSERT_EQ(Put(D(c), zubrelle::DISPID_Angle, MakeR8(1e30)), S_OK);
    ASSERT_EQ(Put(D(c), zubrelle::DISPID_Friction, MakeI2(0)), S_OK);
    VARIANT v;
    ASSERT_EQ(Get(D(c), zubrelle::DISPID_Scale, &v), S_OK);
    EXPECT_EQ(v.vt, VT_R4);
    EXPECT_EQ(v.fltVal, -2.5f);
    ASSERT_EQ(Get(D(c), zubrelle::DISPID_Angle, &v), S_OK);
    EXPECT_EQ(v.dblVal, 1e30);
    ASSERT_EQ(Get(D(c), zubrelle::DISPID_Friction, &v), S_OK);
    EXPECT_EQ(v.vt, VT_BOOL);
    EXPECT_EQ(v.boolVal, VARIANT_FALSE);
}

TEST_F(ControlTest, PoseStringIndexOutsideZeroToSevenStoresNothingAndReadsEmpty) {
    auto c = NewControl();
    for (std::int16_t i = 0; i < 8; ++i)
        ASSERT_EQ(PutIndexed(D(c), zubrelle::DISPID_PoseString, i, MakeBstr("pose" + std::to_string(i))), S_OK);
    for (std::int16_t bad : {std::int16_t(8), std::int16_t(-1), std::int16_t(1000)}) {
        int before = site.invalidations;
        ASSERT_EQ(PutIndexed(D(c), zubrelle::DISPID_PoseString, bad, MakeBstr("intruder")), S_OK);
        EXPECT_EQ(site.invalidations, before + 1) << "the change reaction runs anyway";
        VARIANT v;
        ASSERT_EQ(GetIndexed(D(c), zubrelle::DISPID_PoseString, bad, &v), S_OK);
        ASSERT_EQ(v.vt, VT_BSTR);
        EXPECT_EQ(Utf8FromBstr(v.bstrVal), "");
        VariantClear(&v);
    }
    for (std::int16_t i = 0; i < 8; ++i) EXPECT_EQ(c->GetPoseString(i), "pose" + std::to_string(i));
}

struct PutCase {
    const char* name;
    DISPID id;
    bool indexed;
};

class ChangeReaction : public ControlTest, public testing::WithParamInterface<PutCase> {};

TEST_P(ChangeReaction, UnpreparesInvalidatesWithErasingAndMarksModified) {
    auto c = NewControl();
    Canvas canvas(60, 40);
    Paint(c, canvas);
    ASSERT_TRUE(c->IsPrepared());
    ASSERT_FALSE(c->IsModified());
    int before = site.erasingInvalidations;
    VARIANT value = GetParam().id == zubrelle::DISPID_PoseString ? MakeBstr("201111111111111") : MakeI2(1);
    HRESULT hr = GetParam().indexed ? PutIndexed(D(c), GetParam().id, 0, value) : Put(D(c), GetParam().id, value);
    ASSERT_EQ(hr, S_OK);
    EXPECT_FALSE(c->IsPrepared());
    EXPECT_EQ(site.erasingInvalidations, before + 1);
    EXPECT_TRUE(c->IsModified());
}

INSTANTIATE_TEST_SUITE_P(Properties, ChangeReaction,
                         testing::Values(PutCase{"Scale", zubrelle::DISPID_Scale, false},
                                         PutCase{"Friction", zubrelle::DISPID_Friction, false},
                                         PutCase{"Angle", zubrelle::DISPID_Angle, false},
                                         PutCase{"PoseCount", zubrelle::DISPID_PoseCount, false},
                                         PutCase{"PoseString", zubrelle::DISPID_PoseString, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlTest, SetAppearanceStopsTheTimerSwapsTheBodyAndDoesNotMarkModified) {
    auto c = NewControl();
    for (std::int16_t i = 0; i < 3; ++i) c->SetPoseString(i, kWalk[i]);
    c->SetPoseCount(3);
    Canvas canvas(200, 100);
    Paint(c, canvas);
    ASSERT_EQ(c->TimerId(), zubrelle::kAnimationTimerId);
    c->SetModifiedFlag(false);
    auto oldBody = c->Body();
    // Parameter order: genus and variant of head, body, legs, arms, tail, then sex and age.
    const std::int16_t args[12] = {1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 2};
    ASSERT_EQ(CallSetAppearance(D(c), args), S_OK);
    EXPECT_EQ(c->TimerId(), 0u);
    EXPECT_EQ(site.runningTimers.count(zubrelle::kAnimationTimerId), 0u);
    EXPECT_FALSE(c->IsPrepared());
    EXPECT_FALSE(c->IsModified());
    EXPECT_NE(c->Body(), oldBody);
    zubrelle::Appearance expected{1, 2, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0};
    EXPECT_EQ(BodyCache::Instance().UseCount(expected), 1);
    EXPECT_TRUE(c->Body()->IsLoaded());
}

TEST_F(ControlTest, DispatchRefusesWrongCallsWithTheirErrors) {
    auto c = NewControl();
    EXPECT_EQ(Put(D(c), zubrelle::DISPID_Scale, MakeBstr("abc")), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Put(D(c), zubrelle::DISPID_PoseCount, MakeI4(40000)), DISP_E_OVERFLOW);
    EXPECT_EQ(Put(D(c), 77, MakeI2(1)), DISP_E_MEMBERNOTFOUND);
    VARIANT one = MakeI2(1);
    DISPPARAMS eleven{&one, nullptr, 1, 0};
    EXPECT_EQ(D(c)->Invoke(zubrelle::DISPID_SetAppearance, IID_NULL, 0, DISPATCH_METHOD, &eleven, nullptr, nullptr,
                           nullptr),
              DISP_E_BADPARAMCOUNT);
    DISPPARAMS unnamed{&one, nullptr, 1, 0};
    EXPECT_EQ(D(c)->Invoke(zubrelle::DISPID_Scale, IID_NULL, 0, DISPATCH_PROPERTYPUT, &unnamed, nullptr, nullptr,
                           nullptr),
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(c->GetScale(), 1.0f);
    EXPECT_EQ(c->GetPoseCount(), 1);
}

TEST_F(ControlTest, BorderStyleTakesNoneOrSingleAndFramesThePicture) {
    auto c = NewControl();
    EXPECT_EQ(Put(D(c), zubrelle::DISPID_BORDERSTYLE, MakeI2(2)), CTL_E_INVALIDPROPERTYVALUE);
    ASSERT_EQ(Put(D(c), zubrelle::DISPID_BORDERSTYLE, MakeI2(1)), S_OK);
    VARIANT v;
    ASSERT_EQ(Get(D(c), zubrelle::DISPID_BORDERSTYLE, &v), S_OK);
    EXPECT_EQ(v.iVal, 1);
    Canvas canvas(20, 10);
    Paint(c, canvas);
    EXPECT_EQ(canvas.pixels[0], 0u);                   // the frame
    EXPECT_EQ(canvas.pixels[21], 0x00FFFFFFu);         // inside it: the empty picture
    EXPECT_EQ(canvas.pixels[9 * 20 + 19], 0u);
}

TEST_F(ControlTest, AboutBoxIsAModalMessageThroughTheSite) {
    auto c = NewControl();
    DISPPARAMS none;
    ASSERT_EQ(D(c)->Invoke(zubrelle::DISPID_ABOUTBOX, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              S_OK);
    ASSERT_EQ(site.messages.size(), 1u);
    EXPECT_EQ(site.messages[0].first, "About Zubrelle Control");
    EXPECT_EQ(site.messages[0].second, "Zubrelle Control, Version 1.0");
}

TEST_F(ControlTest, ClickFiresTheStockEventToEveryConnectedSink) {
    auto c = NewControl();
    IConnectionPoint* point = nullptr;
    ASSERT_EQ(c->FindConnectionPoint(zubrelle::DIID__DZubrelleEvents, &point), S_OK);
    RecordingSink sink;
    std::uint32_t cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    c->OnMouseClick(5, 5);
    c->OnMouseClick(6, 6);
    EXPECT_EQ(sink.events, (std::vector<DISPID>{-600, -600}));
    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    c->OnMouseClick(5, 5);
    EXPECT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.refs, 0u);
    point->Release();
}

TEST_F(ControlTest, ControlsOfOneAppearanceShareABodyUntilTheLastLetsGo) {
    const std::int16_t args[12] = {1, 1, 1, 0, 0, 0, 2, 1, 1, 0, 0, 4};
    zubrelle::Appearance key{0, 4, 1, 1, 1, 0, 0, 0, 2, 1, 1, 0};
    std::weak_ptr<zubrelle::BodyModel> shared;
    {
        auto a = NewControl(false), b = NewControl(false);
        ASSERT_EQ(CallSetAppearance(D(a), args), S_OK);
        ASSERT_EQ(CallSetAppearance(D(b), args), S_OK);
        EXPECT_EQ(a->Body(), b->Body());
        EXPECT_EQ(BodyCache::Instance().UseCount(key), 2);
        EXPECT_EQ(BodyCache::Instance().EntryCount(), 2);  // the default entry and this one
        shared = a->Body();
        a.reset();
        EXPECT_FALSE(shared.expired());
    }
    EXPECT_TRUE(shared.expired());
    EXPECT_EQ(BodyCache::Instance().UseCount(key), 0);
    EXPECT_EQ(BodyCache::Instance().EntryCount(), 1);
}

TEST_F(ControlTest, TheDefaultBodyStaysLoadedWhenItsControlsAreGone) {
    std::weak_ptr<zubrelle::BodyModel> body;
    {
        auto a = NewControl(false), b = NewControl(false);
        EXPECT_EQ(a->Body(), b->Body());
        EXPECT_EQ(BodyCache::Instance().UseCount(zubrelle::Appearance{}), 3);  // 1 never released
        body = a->Body();
    }
    EXPECT_FALSE(body.expired());
    EXPECT_EQ(BodyCache::Instance().UseCount(zubrelle::Appearance{}), 1);
}

TEST_F(ControlTest, AFreshControlPaintsItsBoundsWhiteAndRunsNoTimer) {
    auto c = NewControl();
    Canvas canvas(30, 20);
    c->Draw(canvas.Target(), RECT{5, 5, 25, 15});
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            bool inside = x >= 5 && x < 25 && y >= 5 && y < 15;
            ASSERT_EQ(canvas.pixels[std::size_t(y * 30 + x)], inside ? 0x00FFFFFFu : 0x12345678u) << x << "," << y;
        }
    EXPECT_TRUE(site.runningTimers.empty());
    EXPECT_EQ(c->TimerId(), 0u);
}

TEST_F(ControlTest, WithoutAWindowNothingIsDrawnAndChangesOnlySetFlags) {
    auto c = NewControl(false);
    c->SetPoseString(0, kWalk[0]);
    c->SetPoseCount(2);
    Canvas canvas(30, 20);
    c->Draw(canvas.Target(), RECT{0, 0, 30, 20});
    for (auto p : canvas.pixels) ASSERT_EQ(p, 0x12345678u);
    EXPECT_FALSE(c->IsPrepared());
}

TEST_F(ControlTest, TheTimerRunsWhileMoreThanOnePoseIsShown) {
    auto c = NewControl();
    for (std::int16_t i = 0; i < 3; ++i) c->SetPoseString(i, kWalk[i]);
    c->SetPoseCount(3);
    Canvas canvas(200, 100);
    EXPECT_TRUE(site.runningTimers.empty()) << "nothing starts before the paint";
    Paint(c, canvas);
    ASSERT_EQ(site.runningTimers.count(101), 1u);
    EXPECT_EQ(site.runningTimers[101], 100u);
    int before = site.erasingInvalidations;
    c->OnTimer(101);
    EXPECT_EQ(site.erasingInvalidations, before + 1);
    c->SetPoseCount(1);
    EXPECT_EQ(site.runningTimers.count(101), 1u) << "stopped by the next paint, not by the put";
    Paint(c, canvas);
    EXPECT_EQ(site.runningTimers.count(101), 0u);
    EXPECT_EQ(c->TimerId(), 0u);
}

TEST_F(ControlTest, ATimerThatCannotStartLeavesTheAnimationStill) {
    site.timersWork = false;
    auto c = NewControl();
    c->SetPoseString(0, kWalk[0]);
    c->SetPoseString(1, kWalk[1]);
    c->SetPoseCount(2);
    Canvas canvas(200, 100);
    Paint(c, canvas);
    EXPECT_EQ(c->TimerId(), 0u);
    EXPECT_TRUE(c->IsPrepared());
}

TEST_F(ControlTest, DestroyingTheWindowKillsTheTimer) {
    auto c = NewControl();
    c->SetPoseString(0, kWalk[0]);
    c->SetPoseString(1, kWalk[1]);
    c->SetPoseCount(2);
    Canvas canvas(200, 100);
    Paint(c, canvas);
    ASSERT_EQ(site.runningTimers.count(101), 1u);
    c->SetSite(nullptr);
    EXPECT_EQ(site.runningTimers.count(101), 0u);
    EXPECT_EQ(site.refs, 0u);
}

struct AnimationCase {
    const char* name;
    bool friction;
    double angle;
    int engineAngle;
    float scale;
};

class AnimationThroughTheControl : public ControlTest, public testing::WithParamInterface<AnimationCase> {};

TEST_P(AnimationThroughTheControl, EqualsTheEngineFrameByFrame) {
    const AnimationCase& p = GetParam();
    auto c = NewControl();
    for (std::int16_t i = 0; i < 4; ++i) c->SetPoseString(i, kWalk[i]);
    c->SetPoseCount(4);
    c->SetFriction(p.friction);
    c->SetAngle(p.angle);
    c->SetScale(p.scale);

    zubrelle::BodyModel engine;
    std::string error;
    ASSERT_EQ(engine.Load(DemoImages(), DemoBodyData(), zubrelle::Appearance{}, error), 0) << error;
    std::array<zubrelle::PoseSlotValues, 9> poses{};
    for (int i = 0; i < 4; ++i) poses[std::size_t(i)] = zubrelle::ConvertPoseString(kWalk[i]);
    zubrelle::AnimationState state;
    gdi::Rect rect{0, 0, site.client.right, site.client.bottom};
    int frames = p.friction ? engine.PrepareWalk(rect, poses, 4, double(p.scale), p.engineAngle, state)
                            : engine.PrepareStand(poses, 4, double(p.scale), state);
    ASSERT_GT(frames, 4);

    Canvas canvas(rect.right, rect.bottom);
    for (int k = 0; k < frames + 3; ++k) {  // past the wrap to frame 0
        Paint(c, canvas);
        gdi::Bitmap expected(rect.right, rect.bottom, 0x00FFFFFF);
        if (p.friction) {
            engine.DrawWalkFrame(rect, expected, state);
        } else {
            engine.DrawStandFrame(rect, expected, p.engineAngle, state);
        }
        ASSERT_EQ(canvas.pixels, expected.Pixels()) << "frame " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, AnimationThroughTheControl,
                         testing::Values(AnimationCase{"Walking", true, 10.0, 10, 1.0f},
                                         AnimationCase{"WalkingSteepTruncated", true, 45.9, 45, 0.5f},
                                         AnimationCase{"InPlaceNegativeTruncated", false, -10.5, -10, 1.35f}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlTest, AnyPutRestartsTheAnimationFromItsFirstFrame) {
    auto c = NewControl();
    for (std::int16_t i = 0; i < 2; ++i) c->SetPoseString(i, kWalk[i]);
    c->SetPoseCount(2);
    Canvas first(200, 100), later(200, 100);
    Paint(c, first);
    for (int k = 0; k < 3; ++k) Paint(c, later);
    ASSERT_NE(first.pixels, later.pixels);
    c->SetPoseCount(2);  // the value already stored
    Paint(c, later);
    EXPECT_EQ(first.pixels, later.pixels);
}

TEST_F(ControlTest, AStillPoseEqualsTheEnginesDrawing) {
    auto c = NewControl();
    c->SetPoseString(0, "X?!");
    c->SetScale(1.35f);
    Canvas canvas(120, 90);
    c->Draw(canvas.Target(), RECT{0, 0, 120, 90});
    zubrelle::BodyModel engine;
    std::string error;
    ASSERT_EQ(engine.Load(DemoImages(), DemoBodyData(), zubrelle::Appearance{}, error), 0) << error;
    zubrelle::AnimationState state;
    gdi::Bitmap expected(120, 90);
    engine.DrawPose(gdi::Rect{0, 0, 120, 90}, expected, zubrelle::ConvertPoseString("X?!"), double(1.35f), state);
    EXPECT_EQ(canvas.pixels, expected.Pixels());
}

TEST_F(ControlTest, ABodyThatFailsToLoadPaintsWhite) {
    const std::int16_t missingGenus[12] = {7, 0, 7, 0, 7, 0, 7, 0, 7, 0, 0, 0};
    auto c = NewControl();
    ASSERT_EQ(CallSetAppearance(D(c), missingGenus), S_OK);
    EXPECT_FALSE(c->Body()->IsLoaded());
    c->SetPoseString(0, kWalk[0]);
    Canvas canvas(40, 30);
    Paint(c, canvas);
    for (auto p : canvas.pixels) ASSERT_EQ(p, 0x00FFFFFFu);
}
