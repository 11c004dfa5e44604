// The picture control at the edges of its host's geometry: sites not at the
// origin, the border on and off again, paints left of the target, a width-only
// resize, puts that leave the caller's result alone, and the property page.
#include <gtest/gtest.h>

#include <memory>

#include "activex/ControlTestSupport.h"
#include "control/activex/BodyCache.h"
#include "control/activex/ZubrelleCtrl.h"
#include "control/activex/ZubrelleIds.h"
#include "control/activex/ZubrellePropPage.h"
#include "control/body/PoseSlotValues.h"

using namespace com;
using namespace controltest;
using namespace zubrelle;

namespace {

constexpr const char* kWalk[] = {"201111111111111", "201222000002211", "201333111113311"};
constexpr std::uint32_t kSentinel = 0x12345678u;

struct ReleaseControl {
    void operator()(CZubrelleCtrl* c) const { static_cast<IDispatch*>(c)->Release(); }
};
using ControlPtr = std::unique_ptr<CZubrelleCtrl, ReleaseControl>;

class ControlEdge : public testing::Test {
protected:
    void SetUp() override {
        PointRegistryAtDemoCreature();
        BodyCache::Instance().Clear();
    }
    void TearDown() override { BodyCache::Instance().Clear(); }

    ControlPtr NewControl(int poses) {
        ControlPtr c(new CZubrelleCtrl());
        c->SetSite(&site);
        for (std::int16_t i = 0; i < poses; ++i) c->SetPoseString(i, kWalk[i]);
        c->SetPoseCount(std::int16_t(poses));
        return c;
    }
    static IDispatch* D(const ControlPtr& c) { return static_cast<IDispatch*>(c.get()); }
    // One pose painted at `bounds` into a fresh canvas of the given size.
    Canvas PaintPose(std::int32_t w, std::int32_t h, RECT bounds) {
        Canvas canvas(w, h, kSentinel);
        NewControl(1)->Draw(canvas.Target(), bounds);
        return canvas;
    }

    TempRegistry registry;
    RecordingSite site;
};

}  // namespace

// The walk is laid out on the site's client area, whatever its origin, less the
// border's two pixels; the picture sits one pixel inside the frame.
TEST_F(ControlEdge, WalksOnTheClientAreaAndDrawsInsideTheBorder) {
    struct Case {
        RECT client;
        std::vector<std::int16_t> borders;  // put in this order
        std::int32_t inset;
    };
    const Case cases[] = {{{10, 20, 210, 120}, {}, 0}, {{0, 0, 200, 100}, {1}, 1}, {{5, 5, 205, 105}, {1, 0}, 0}};
    BodyModel engine;
    std::string error;
    ASSERT_EQ(engine.Load(DemoImages(), DemoBodyData(), Appearance{}, error), 0) << error;
    for (const Case& k : cases) {
        site.client = k.client;
        auto c = NewControl(3);
        for (std::int16_t style : k.borders)
            ASSERT_EQ(Invoke(D(c), DISPID_BORDERSTYLE, DISPATCH_PROPERTYPUT, {MakeI2(style)}), S_OK);
        const std::int32_t w = 200 - 2 * k.inset, h = 100 - 2 * k.inset;
        std::array<PoseSlotValues, 9> poses{};
        for (int i = 0; i < 3; ++i) poses[std::size_t(i)] = ConvertPoseString(kWalk[i]);
        AnimationState state;
        ASSERT_GT(engine.PrepareWalk({0, 0, w, h}, poses, 3, 1.0, 0, state), 3);
        Canvas canvas(200, 100);
        for (int frame = 0; frame < 4; ++frame) {
            c->Draw(canvas.Target(), RECT{0, 0, 200, 100});
            gdi::Bitmap expected(w, h, 0x00FFFFFF);
            engine.DrawWalkFrame({0, 0, w, h}, expected, state);
            for (std::int32_t y = 0; y < 100; ++y)
                for (std::int32_t x = 0; x < 200; ++x) {
                    const bool frameLine = k.inset && (x == 0 || y == 0 || x == 199 || y == 99);
                    const std::uint32_t want = frameLine ? 0u : expected.At(x - k.inset, y - k.inset);
                    ASSERT_EQ(canvas.pixels[std::size_t(y * 200 + x)], want) << x << "," << y << " frame " << frame;
                }
        }
    }
}

// A control placed partly left of the target shows its visible part from
// column 0 and writes nothing outside its rows; a later paint only wider than
// the last one is drawn at the new width.
TEST_F(ControlEdge, PaintsClipAtColumnZeroAndFollowAWidthOnlyResize) {
    const Canvas whole = PaintPose(120, 80, RECT{0, 0, 120, 80});
    const Canvas clipped = PaintPose(120, 100, RECT{-40, 10, 80, 90});
    for (std::int32_t y = 0; y < 100; ++y)
        for (std::int32_t x = 0; x < 120; ++x) {
            const bool inside = y >= 10 && y < 90 && x < 80;
            const std::uint32_t want = inside ? whole.pixels[std::size_t((y - 10) * 120 + x + 40)] : kSentinel;
            ASSERT_EQ(clipped.pixels[std::size_t(y * 120 + x)], want) << x << "," << y;
        }
    auto c = NewControl(1);
    Canvas narrow(100, 80), wide(120, 80, kSentinel);
    c->Draw(narrow.Target(), RECT{0, 0, 100, 80});
    c->Draw(wide.Target(), RECT{0, 0, 120, 80});
    EXPECT_EQ(wide.pixels, whole.pixels);
}

// A put returns no value: the variant a caller passes for one keeps what it held.
TEST_F(ControlEdge, PutsLeaveTheCallersResultVariantAlone) {
    auto c = NewControl(1);
    for (DISPID id : {DISPID_PoseCount, DISPID_BORDERSTYLE}) {
        VARIANT result = MakeI4(7);
        ASSERT_EQ(Invoke(D(c), id, DISPATCH_PROPERTYPUT, {MakeI2(1)}, &result), S_OK);
        EXPECT_EQ(result.vt, VT_I4);
        EXPECT_EQ(result.lVal, 7);
    }
}

TEST(PropertyPage, ReportsItsSizeAndAcceptsObjectsOnlyWithAList) {
    IUnknown* unknown = CZubrellePropPage::Create();
    IPropertyPage* page = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_IPropertyPage, reinterpret_cast<void**>(&page)), S_OK);
    unknown->Release();
    PROPPAGEINFO info;
    ASSERT_EQ(page->GetPageInfo(&info), S_OK);
    EXPECT_EQ(info.width, 250);
    EXPECT_EQ(info.height, 62);
    EXPECT_FALSE(Utf8FromBstr(info.title).empty());
    SysFreeString(info.title);
    SysFreeString(info.text);
    IUnknown* objects[] = {page};
    EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(page->SetObjects(1, nullptr), E_POINTER);
    EXPECT_EQ(page->SetObjects(1, objects), S_OK);
    EXPECT_EQ(page->GetPageInfo(nullptr), E_POINTER);
    page->Release();
}
