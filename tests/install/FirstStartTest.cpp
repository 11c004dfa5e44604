// A new user's first starts: the control registers itself, the demo creature
// is offered until a choice is made, and the installed tree finds its guide,
// its name file place and its creature from any folder while writing nothing
// under its prefix.
#include "app/AppTestSupport.h"
#include "registry/TempRegistry.h"

#include "control/ZubrelleInterface.h"
#include "editor/app/FirstStart.h"
#include "editor/app/InstallPaths.h"
#include "editor/app/MainFrame.h"
#include "editor/picture/ZubrelleHost.h"
#include "platform/com/Activation.h"
#include "platform/com/ServerRegistration.h"
#include "platform/registry/HostFolders.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStatusBar>
#include <QTimer>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace mirtala::test {
namespace {

namespace fs = std::filesystem;
namespace reg = mirtala::registry;

// Every file under `root` with its size and time of last change.
std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> Snapshot(const fs::path& root) {
    std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        files[entry.path().string()] = {entry.is_regular_file() ? entry.file_size() : 0, entry.last_write_time()};
    return files;
}

class FirstStartTest : public EditorAppTest {
protected:
    // Starts the editor as the program at `program`, lets the offer come, and answers it.
    CMirtalaApp& StartAs(const std::string& program, std::optional<MessageAnswer> answer) {
        if (answer) messages.answers.push_back(*answer);
        application.reset();
        application = std::make_unique<CMirtalaApp>(QString::fromStdString(program));
        application->SetRecovery(QString::fromStdString(dir.File("recovery")), 60000);
        EXPECT_TRUE(application->InitInstance({}));
        QCoreApplication::processEvents();
        return *application;
    }
    std::size_t Offers() const {
        return std::size_t(std::count_if(messages.shown.begin(), messages.shown.end(), [](const MessageRequest& m) {
            return m.buttons == MessageButtons::YesNoCancel;
        }));
    }
    TempRegistry registry;  // empty: nothing registered, no host product folders
    TempDir home;
    ScopedVariable dataHome{"XDG_DATA_HOME", home.File("data")};
};

TEST_F(FirstStartTest, AnEmptyHomeEndsRegisteredWithTheDemoCreatureChosenOnce) {
    ASSERT_EQ(com::InprocServerPath(zubrelle::CLSID_Zubrelle), "");
    Settings().setValue("Settings/NameFile", QString::fromStdString(home.File("names/posegait.txt")));

    // "Not now" registers the control all the same, and leaves the question for the next start.
    CMirtalaApp& first = StartAs(MIRTALA_PROGRAM, MessageAnswer::Cancel);
    EXPECT_TRUE(fs::equivalent(com::InprocServerPath(zubrelle::CLSID_Zubrelle), ZUBRELLE_MODULE_PATH));
    EXPECT_TRUE(first.MainFrame()->statusBar()->currentMessage().contains("Registered the picture control"))
        << first.MainFrame()->statusBar()->currentMessage().toStdString();
    ASSERT_EQ(Offers(), 1u);
    const MessageRequest& offer = messages.shown.back();
    EXPECT_EQ(offer.yesText, "Use the &Demo Creature");
    EXPECT_EQ(offer.noText, "&Choose Folders...");
    EXPECT_EQ(offer.cancelText, "&Not Now");
    EXPECT_FALSE(app::HostFoldersHoldBodyFiles());
    EXPECT_EQ(first.ExitInstance(), 0);

    CMirtalaApp& second = StartAs(MIRTALA_PROGRAM, MessageAnswer::Yes);
    EXPECT_EQ(Offers(), 2u);
    EXPECT_EQ(second.MainFrame()->statusBar()->currentMessage(), "") << "registered once, said once";
    EXPECT_EQ(app::StoredFirstStartChoice(), app::FirstStartChoice::DemoCreature);
    const InstallPaths paths = FindInstallPaths(MIRTALA_PROGRAM);  // a picture loads from them: the folders dialog test
    EXPECT_EQ(reg::FindHostFolders().images.path, paths.demoImages);
    EXPECT_EQ(reg::FindHostFolders().bodyData.path, paths.demoBodyData);
    EXPECT_EQ(messages.shown.size(), 2u) << "nothing but the offers";  // none once a choice is made: the next test
}

TEST_F(FirstStartTest, AModuleRegisteredElsewhereIsKeptAndChoosingFoldersOpensTheirDialog) {
    const std::string elsewhere = dir.Write("Zubrelle-elsewhere.so", ReadFileBytes(ZUBRELLE_MODULE_PATH));
    ASSERT_EQ(com::CallServerRegistration(elsewhere, false).error, "");
    QStringList opened;  // the dialogs the answer opens, closed as soon as they show
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened << modal->windowTitle();
            modal->close();
        }
    });
    closer.start(20);
    CMirtalaApp& a = StartAs(MIRTALA_PROGRAM, MessageAnswer::No);
    EXPECT_TRUE(fs::equivalent(com::InprocServerPath(zubrelle::CLSID_Zubrelle), elsewhere));
    EXPECT_EQ(a.MainFrame()->statusBar()->currentMessage(), "");
    EXPECT_EQ(opened, QStringList{"Host Product Folders"});
    EXPECT_EQ(app::StoredFirstStartChoice(), app::FirstStartChoice::ChooseFolders);
    StartAs(MIRTALA_PROGRAM, std::nullopt);
    EXPECT_EQ(Offers(), 1u);
}

// The installed tree, from a folder of its own: cmake --install into a
// temporary prefix, then the batch render and the editor run as a new user.
TEST_F(FirstStartTest, AnInstalledTreeFindsItsFilesFromAnotherFolderAndWritesNothingUnderItsPrefix) {
    const std::string prefix = dir.File("prefix");
    const std::string build = std::getenv("MIRTALA_BINARY_DIR");
    ASSERT_EQ(std::system(
                  ("cmake --install '" + build + "' --prefix '" + prefix + "' >'" + dir.File("install.log") + "' 2>&1")
                      .c_str()),
              0)
        << ReadFileBytes(dir.File("install.log"));
    for (const char* file : {"bin/mirtala", "bin/mirtala-regsvr", "bin/mirtala-regset", "lib/mirtala/Zubrelle.so",
                             "share/mirtala/Help/Mirtala.htm", "share/mirtala/posegait.txt",
                             "share/mirtala/demo-creature/Images", "share/mirtala/demo-creature/Body Data",
                             "share/applications/mirtala.desktop", "share/mime/packages/mirtala-genome.xml",
                             "share/icons/hicolor/scalable/mimetypes/application-x-mirtala-genome.svg",
                             "share/metainfo/com.vantrelle.Mirtala.metainfo.xml", "share/man/man1/mirtala.1.gz"})
        EXPECT_TRUE(fs::exists(prefix + "/" + file)) << file;
    const auto before = Snapshot(prefix);

    // A batch render by a user with an empty home, from a folder of its own.
    const std::string user = home.File("user"), elsewhere = home.File("elsewhere");
    fs::create_directories(user);
    fs::create_directories(elsewhere);
    const std::string run = "cd '" + elsewhere + "' && env -u MIRTALA_REGISTRY_DIR -u XDG_DATA_HOME HOME='" + user +
                            "' '" + prefix + "/bin/mirtala' ";
    const std::string log = dir.File("render.log");
    const auto Run = [&](const std::string& args) {
        const int status = std::system((run + args + " >'" + log + "' 2>&1").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(Run("--render-pose pose.png --pose-string 201111111111111"), 1);
    EXPECT_NE(ReadFileBytes(log).find("draw the demo creature (" + prefix +
                                      "/share/mirtala/demo-creature) with "
                                      "--demo-creature"),
              std::string::npos)
        << ReadFileBytes(log);
    EXPECT_EQ(Run("--render-pose=pose.png --pose-string=201111111111111 --demo-creature"), 0) << ReadFileBytes(log);
    EXPECT_TRUE(fs::is_regular_file(elsewhere + "/pose.png"));
    EXPECT_TRUE(fs::is_directory(user + "/.local/share/mirtala/registry"));

    // The editor of that tree, started here (no Help/ in this folder).
    CMirtalaApp& a = StartAs(prefix + "/bin/mirtala", MessageAnswer::Yes);
    EXPECT_EQ(a.HelpFile().toStdString(), prefix + "/share/mirtala/Help/Mirtala.htm");
    EXPECT_EQ(a.NameFile().toStdString(), home.File("data") + "/mirtala/posegait.txt");
    EXPECT_EQ(Offers(), 1u);
    EXPECT_EQ(reg::FindHostFolders().images.path, prefix + "/share/mirtala/demo-creature/Images/");
    EXPECT_EQ(a.ExitInstance(), 0);
    const std::string shipped = ReadFileBytes(prefix + "/share/mirtala/posegait.txt");
    EXPECT_EQ(ReadFileBytes(a.NameFile().toStdString()).substr(0, 40), shipped.substr(0, 40))
        << "seeded from the installed names";
    application.reset();
    EXPECT_TRUE(Snapshot(prefix) == before) << "nothing under the prefix changed";
}

}  // namespace
}  // namespace mirtala::test
