// The CZubrelle widget and the host under it: the text it shows and the calls
// it ignores without a control, and with one its messages and clicks, crisp
// painting at logical size on any pixel ratio, the reason it shows when a body does
// not load, and reloading every picture.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <cmath>

#include "activex/ControlTestSupport.h"
#include "control/ZubrelleInterface.h"
#include "editor/ui/CZubrelle.h"
#include "platform/com/Activation.h"
#include "platform/registry/HostFolders.h"
#include "platform/registry/Registry.h"

using namespace controltest;
namespace reg = mirtala::registry;
using mirtala::ui::CZubrelle;

namespace {

class ZubrelleWidgetTest : public testing::Test {
protected:
    void SetUp() override {
        PointRegistryAtDemoCreature();
        CZubrelle::SetMessageHandler(
            [this](const QString& caption, const QString& text) { messages << caption + "|" + text; });
    }
    void TearDown() override {
        CZubrelle::SetMessageHandler({});
        com::CoFreeUnusedLibraries();
    }
    TempRegistry registry;
    QStringList messages;  // "caption|text" of each message the control showed
};

// A host of our own that paints what the widget should show, pixel for pixel.
struct PlainWindow final : mirtala::ZubrelleHost::Window {
    PlainWindow(int width, int height) : w(width), h(height) {}
    void Invalidate(bool) override {}
    bool StartTimer(std::uint32_t, std::uint32_t) override { return true; }
    void StopTimer(std::uint32_t) override {}
    com::RECT ClientRect() override { return {0, 0, w, h}; }
    void ShowMessage(const std::string&, const std::string&) override {}
    int w, h;
};

// The pixels of the widget as shown that pass `test`.
int CountShown(QWidget& widget, bool (*test)(QRgb)) {
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) count += test(shown.pixel(x, y));
    return count;
}
bool NotWhite(QRgb pixel) { return (pixel & 0xFFFFFFu) != 0xFFFFFFu; }
QString AccessibleDescription(QWidget& widget) {
    return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Description);
}

}  // namespace

// The puts a dialog makes without a control are the dialog tests'; here the
// calls no dialog makes.
TEST_F(ZubrelleWidgetTest, WithoutTheModuleItShowsHowToRegisterAndEveryCallIsHarmless) {
    QWidget parent;
    CZubrelle picture;
    int clicks = 0;
    QObject::connect(&picture, &CZubrelle::Clicked, [&] { ++clicks; });
    ASSERT_TRUE(WriteRegString(reg::HKEY_CLASSES_ROOT, "CLSID\\{11DF2DD2-A937-11D2-9D30-0090271EEABE}\\InprocServer32",
                               "", "/gone/Zubrelle.so"));  // registered, but its module file is gone
    EXPECT_FALSE(picture.Create("Preview", 0, QRect(0, 0, 220, 120), &parent, 1036));
    EXPECT_TRUE(
        picture.MissingControlText().contains("module /gone/Zubrelle.so cannot be loaded: it cannot be opened: "
                                              "No such file or directory. Build it, then "
                                              "register it again with: mirtala-regsvr"));
    EXPECT_EQ(picture.accessibleName(), "Preview");
    mirtala::ZubrelleHost& host = picture.Host();
    host.AboutBox();
    host.Click(1, 1);
    host.TimerFired(zubrelle::kAnimationTimerId);
    Canvas canvas(20, 10);
    host.Paint(canvas.pixels.data(), 20, 10, 20);
    EXPECT_EQ(canvas.pixels, Canvas(20, 10).pixels);
    EXPECT_EQ(clicks + messages.size(), 0);
    EXPECT_GT(CountShown(picture, [](QRgb p) { return qGray(p) < 128; }), 50) << "the text is drawn";
}

TEST_F(ZubrelleWidgetTest, ShowsTheAboutBoxThroughItsSiteAndPassesClicksOn) {
    ASSERT_EQ(CallModule(ZUBRELLE_MODULE_PATH), com::S_OK);
    CZubrelle picture;
    ASSERT_TRUE(picture.Create("Preview", 0, QRect(0, 0, 144, 124), nullptr, 1036));
    int clicks = 0;
    QObject::connect(&picture, &CZubrelle::Clicked, [&] { ++clicks; });
    picture.AboutBox();
    QTest::mouseClick(&picture, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(messages, QStringList{"About Zubrelle Control|Zubrelle Control, Version 1.0"});
}

// The control draws at the logical size; the screen's ratio enlarges its
// bitmap by nearest neighbour: whole blocks at integer ratios, Qt's rounding
// of the same unsmoothed drawing at fractional ones.
TEST_F(ZubrelleWidgetTest, ShowsTheControlsBitmapAtLogicalSizeScaledByThePixelRatio) {
    ASSERT_EQ(CallModule(ZUBRELLE_MODULE_PATH), com::S_OK);
    for (int width : {108, 1}) {  // down to a single column
        CZubrelle picture;
        ASSERT_TRUE(picture.Create("Pose", 0, QRect(0, 0, width, 88), nullptr, 1087));
        picture.SetPoseString(0, "211111111112211");
        picture.SetScale(1.35f);
        const qreal ratio = picture.devicePixelRatioF();
        EXPECT_EQ(ratio, EXPECTED_PIXEL_RATIO);
        EXPECT_EQ(picture.PixelSize(), QSize(width, 88));
        const QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), QSize(qRound(width * ratio), qRound(88 * ratio)));

        PlainWindow window(width, 88);
        mirtala::ZubrelleHost host(window);
        ASSERT_TRUE(host.Create());
        host.SetPoseString(0, "211111111112211");
        host.SetScale(1.35f);
        Canvas canvas(width, 88);
        host.Paint(canvas.pixels.data(), canvas.width, canvas.height, canvas.width);
        const QImage drawn = QImage(reinterpret_cast<const uchar*>(canvas.pixels.data()), canvas.width, canvas.height,
                                    QImage::Format_RGBX8888)  // 0x00BBGGRR is R, G, B, unused
                                 .convertToFormat(QImage::Format_RGB32);
        if (ratio == std::floor(ratio)) {
            const int r = int(ratio);
            int wrong = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) wrong += shown.pixel(x, y) != drawn.pixel(x / r, y / r);
            EXPECT_EQ(wrong, 0) << ratio << " " << width;
        } else {
            QImage expected(shown.size(), QImage::Format_RGB32);
            expected.setDevicePixelRatio(ratio);
            QPainter painter(&expected);
            painter.drawImage(QRect(0, 0, width, 88), drawn);
            painter.end();
            expected.setDevicePixelRatio(1);
            EXPECT_TRUE(shown == expected) << ratio << " " << width;
        }
    }
}

TEST_F(ZubrelleWidgetTest, SaysWhyItIsBlankAndReloadsEveryPictureFromNewFolders) {
    ASSERT_EQ(CallModule(ZUBRELLE_MODULE_PATH), com::S_OK);
    ASSERT_TRUE(reg::WriteHostFolders("", "", nullptr));  // nothing anywhere
    CZubrelle first, second;
    QStringList changes;
    for (CZubrelle* p : {&first, &second})
        QObject::connect(p, &CZubrelle::LoadErrorChanged, [&](const QString& e) { changes << e.left(16); });
    ASSERT_TRUE(first.Create("Pose", 0, QRect(0, 0, 160, 120), nullptr, 1087));
    ASSERT_TRUE(second.Create("Frame 1", 0, QRect(0, 0, 60, 50), nullptr, 1090));
    second.SetAppearance(1, 1, 1, 0, 0, 0, 2, 1, 1, 0, 0, 4);
    QString why = QString::fromStdString(second.Host().GetLoadError());
    EXPECT_TRUE(why.startsWith("Unable to find a head sprite file for adult male Brask of variant B."))
        << why.toStdString();
    EXPECT_EQ(second.LoadError(), why);
    EXPECT_EQ(second.toolTip(), why + "\n" + CZubrelle::ChooseFoldersText()) << "the reason, then what to do";
    second.setAccessibleDescription("Step 1");  // what a dialog says the picture shows
    EXPECT_EQ(AccessibleDescription(first), first.toolTip());
    EXPECT_EQ(AccessibleDescription(second), "Step 1\n" + why);
    EXPECT_EQ(changes, QStringList({"Unable to find a", "Unable to find a", "Unable to find a"}))
        << "the new appearance fails again, for another reason";
    EXPECT_GT(CountShown(first, NotWhite), 100) << "the short line on white";
    EXPECT_GT(CountShown(second, NotWhite), 20) << "even on a thumbnail";

    ASSERT_TRUE(reg::WriteHostFolders(DemoImages(), DemoBodyData(), nullptr));
    changes.clear();
    CZubrelle::ReloadAll();
    EXPECT_EQ(changes, QStringList({"", ""}));
    EXPECT_EQ(first.LoadError() + second.LoadError() + first.toolTip() + AccessibleDescription(first), "");
    EXPECT_EQ(AccessibleDescription(second), "Step 1");
    EXPECT_EQ(CountShown(first, NotWhite), 0) << "no pose yet: white, without the line";
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
