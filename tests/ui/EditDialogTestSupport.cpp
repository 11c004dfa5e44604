// Fixture and drawing helpers of the pose and gait dialogs' tests.
#include "EditDialogTestSupport.h"
#include "WalkTestSupport.h"

#include <QApplication>

#include <array>

#include "control/body/BodyModel.h"
#include "platform/com/Activation.h"

namespace mirtala::test {

void EditDialogTest::SetUp() {
    controltest::PointRegistryAtDemoCreature();
    if (m_registerControl) {
        ASSERT_EQ(controltest::CallModule(ZUBRELLE_MODULE_PATH), com::S_OK);
    }
}

void EditDialogTest::TearDown() {
    doc.reset();
    DeleteClosed();
    com::CoFreeUnusedLibraries();
}

std::vector<std::uint32_t> Shown(CZubrelle& picture) { return ImagePixels(picture.grab().toImage()); }

gdi::Bitmap EngineDrawing(const Appearance& a, int width, int height, double scale,
                          const std::vector<std::string>& poses, int angle) {
    zubrelle::BodyModel body;
    std::string error;
    const zubrelle::Appearance appearance{a.sex,        a.age,         a.headGenus, a.headVariant,
                                          a.bodyGenus,  a.bodyVariant, a.legsGenus, a.legsVariant,
                                          a.armsGenus,  a.armsVariant, a.tailGenus, a.tailVariant};
    EXPECT_EQ(body.Load(controltest::DemoImages(), controltest::DemoBodyData(), appearance, error), 0) << error;
    const gdi::Rect rect{0, 0, width, height};
    gdi::Bitmap bitmap(width, height);
    zubrelle::AnimationState animation;
    std::array<zubrelle::PoseSlotValues, 9> values{};
    for (std::size_t i = 0; i < poses.size(); ++i) values[i] = zubrelle::ConvertPoseString(poses[i]);
    if (poses.size() == 1) {
        body.DrawPose(rect, bitmap, values[0], scale, animation);
    } else {
        body.PrepareWalk(rect, values, int(poses.size()), scale, angle, animation);
        body.DrawWalkFrame(rect, bitmap, animation);
    }
    return bitmap;
}

}  // namespace mirtala::test

int main(int argc, char** argv) {
    // The offscreen platform cannot raise windows and says so each time a dialog is raised.
    static const QtMessageHandler standard = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains(QLatin1String("does not support raise()"))) standard(type, context, text);
    });
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
