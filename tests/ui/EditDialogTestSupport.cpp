// Fixture and drawing helpers of the pose and gait dialogs' tests.
#include "EditDialogTestSupport.h"

#include <QApplication>

#include <array>

#include "control/body/BodyModel.h"
#include "platform/com/Activation.h"

namespace mirtala::test {

Gene CreatureGene(std::uint8_t subtype, std::uint8_t id, std::uint8_t number, const std::string& rest,
                  std::uint8_t switchOn) {
    const std::string bytes = char(number) + rest;
    return Gene{GeneHeader{kCreatureGeneType, subtype, id, 0, switchOn, 0, 0}, {bytes.begin(), bytes.end()}};
}

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

void EditDialogTest::Open(const std::vector<Gene>& genes) {
    Genome genome;
    for (const Gene& gene : genes) genome.Append(gene);
    const std::vector<std::uint8_t> bytes = genome.Serialize();
    const std::string path = m_dir.Write("test.gen", {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    doc = std::make_unique<CMirtalaDoc>();
    ASSERT_TRUE(doc->OnOpenDocument(QString::fromStdString(path)));
}

std::vector<std::uint32_t> Shown(CZubrelle& picture) {
    const QImage image = picture.grab().toImage().convertToFormat(QImage::Format_RGBX8888);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) pixels.push_back(row[x] & 0x00FFFFFFu);
    }
    return pixels;
}

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
