// Fixture and drawing helpers of the pose and gait dialogs' tests.
#include "EditDialogTestSupport.h"
#include "picture/WalkTestSupport.h"

#include <QApplication>

#include "platform/com/Activation.h"

namespace mirtala::test {

void EditDialogTest::SetUp() {
    controltest::PointRegistryAtDemoCreature();
    ASSERT_TRUE(!m_registerControl || controltest::CallModule(ZUBRELLE_MODULE_PATH) == com::S_OK);
}

void EditDialogTest::TearDown() {
    doc.reset();
    DeleteClosed();
    com::CoFreeUnusedLibraries();
}

std::vector<std::uint32_t> Shown(ui::CZubrelle& picture) { return ImagePixels(picture.grab().toImage()); }

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
