// The Host Product Folders dialog: it shows where each folder comes from,
// tries candidate folders on a picture of its own, and OK stores them and
// reloads every open picture; the status bar names a picture's load error.
#include "app/AppTestSupport.h"

#include "activex/ControlTestSupport.h"
#include "editor/app/HostFoldersDlg.h"
#include "editor/ui/CZubrelle.h"
#include "platform/registry/HostFolders.h"
#include "ui/EditorTestSupport.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTest>

#include "editor/app/MainFrame.h"

namespace mirtala::test {
namespace {

namespace reg = mirtala::registry;

class HostFoldersDlgTest : public EditorAppTest {
protected:
    TempRegistry registry;
    ScopedVariable noWine{"WINEPREFIX", dir.File("no-wine")};
    void SetUp() override {
        EditorAppTest::SetUp();
        ASSERT_EQ(controltest::CallModule(ZUBRELLE_MODULE_PATH), com::S_OK);
    }
};

TEST_F(HostFoldersDlgTest, ChecksCandidatesAndStoresTheChoiceForEveryPicture) {
    const std::string images = controltest::DemoImages(), bodyData = controltest::DemoBodyData();
    ASSERT_TRUE(reg::WriteHostFolders(dir.File("empty") + "/", dir.File("empty") + "/", nullptr));

    // An open picture draws nothing from the empty folders.
    ui::CZubrelle picture;
    ASSERT_TRUE(picture.Create("Probe", 0, QRect(0, 0, 80, 60), nullptr, 1));
    picture.SetPoseString(0, "211111111111111");
    EXPECT_FALSE(picture.LoadError().isEmpty());

    app::CHostFoldersDlg dialog{Appearance{}};
    EXPECT_EQ(Named<QLabel>(&dialog, "Images Source")->text(), "Set for Mirtala.");
    for (const QLabel* intro : dialog.findChildren<QLabel*>())  // the introduction wraps, not widening the dialog
        if (intro->text().startsWith("The pictures are drawn")) {
            EXPECT_LT(dialog.sizeHint().width(), intro->fontMetrics().horizontalAdvance(intro->text()));
        }
    dialog.layout()->activate();  // each folder's caption stands left of its box
    for (const QLabel* caption : dialog.findChildren<QLabel*>())
        EXPECT_TRUE(!caption->buddy() || caption->geometry().right() < caption->buddy()->geometry().left());
    EXPECT_EQ(dialog.CheckText(), "The Images folder " + QString::fromStdString(dir.File("empty")) +
                                      "/ cannot be read: No such file or directory.");
    std::filesystem::create_directory(dir.File("empty"));
    dialog.Check();
    EXPECT_TRUE(dialog.CheckText().contains("does not load")) << dialog.CheckText().toStdString();

    // The source line follows the folder as it changes, and back.
    auto* typed = Named<QLineEdit>(&dialog, "Images Folder");
    const QString before = typed->text();
    QTest::keyClick(typed, Qt::Key_X);
    EXPECT_EQ(Named<QLabel>(&dialog, "Images Source")->text(), "Chosen here; set for Mirtala when you choose OK.");
    QTest::keyClick(typed, Qt::Key_Backspace);
    EXPECT_EQ(typed->text(), before);
    EXPECT_EQ(Named<QLabel>(&dialog, "Images Source")->text(), "Set for Mirtala.");

    dialog.SetFolders(QString::fromStdString(images), QString::fromStdString(bodyData));
    EXPECT_EQ(dialog.CheckText(), "A body of the preview appearance loads from these folders.");
    // Trying folders writes nothing yet.
    EXPECT_EQ(reg::FindHostFolders().images.path, dir.File("empty") + "/");

    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const reg::HostFolders stored = reg::FindHostFolders();
    EXPECT_EQ(stored.images.path, images);
    EXPECT_EQ(stored.bodyData.path, bodyData);
    EXPECT_TRUE(picture.LoadError().isEmpty()) << picture.LoadError().toStdString();
}

TEST_F(HostFoldersDlgTest, FoldersThatCannotBeStoredAreToldAndTheDialogStaysOpen) {
    app::CHostFoldersDlg dialog{Appearance{}};
    dir.Write("plain", "x");
    ScopedVariable unwritable{"MIRTALA_REGISTRY_DIR", dir.File("plain/registry")};
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(messages.shown.size(), 1u);
    const std::string folder = dir.File("plain/registry");
    EXPECT_EQ(messages.shown[0].text.toStdString(),
              "The folders could not be stored: The folders cannot be written to the registry in " + folder +
                  ": the registry folder " + folder + " cannot be created: Not a directory");
}

// The pane follows the pictures' signal: nothing polls them any more.
TEST_F(HostFoldersDlgTest, TheStatusBarNamesTheActiveWindowsLoadErrorUntilTheBodyLoads) {
    ASSERT_TRUE(reg::WriteHostFolders(dir.File("empty") + "/", dir.File("empty") + "/", nullptr));
    Start();
    QLabel* pane = Named<QLabel>(application->MainFrame(), "Message");
    const auto shows = [pane](const QString& text) {
        for (int i = 0; i < 200 && pane->text() != text; ++i) QTest::qWait(10);
        return pane->text().toStdString();
    };
    QDialog window;
    auto* picture = new ui::CZubrelle(&window);
    ASSERT_TRUE(picture->Create("Probe", 0, QRect(0, 0, 80, 60), &window, 1));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_FALSE(picture->LoadError().isEmpty());
    EXPECT_EQ(shows(picture->LoadError()), picture->LoadError().toStdString());

    ASSERT_TRUE(reg::WriteHostFolders(controltest::DemoImages(), controltest::DemoBodyData(), nullptr));
    ui::CZubrelle::ReloadAll();
    EXPECT_EQ(shows("Ready"), "Ready") << "the window stays active; the picture's signal tells";
}

}  // namespace
}  // namespace mirtala::test
