// Start-up and exit; the commands the application itself handles.
#include "editor/app/MirtalaApp.h"

#include "control/ZubrelleInterface.h"
#include "editor/app/AboutBox.h"
#include "editor/app/FirstStart.h"
#include "editor/app/MainFrame.h"
#include "editor/app/NameImports.h"
#include "editor/app/Recovery.h"
#include "editor/app/SelfRegistration.h"
#include "editor/app/UserGuide.h"
#include "editor/app/WindowGeometry.h"
#include "editor/document/FileDialogService.h"
#include "editor/document/MessageService.h"
#include "editor/document/NameTable.h"
#include "editor/document/PathBytes.h"
#include "editor/picture/ZubrelleHost.h"
#include "editor/ui/EditorDialogFactory.h"
#include "editor/ui/MirtalaView.h"
#include "platform/com/ServerRegistration.h"
#include "platform/fileio/AtomicFile.h"
#include "platform/fileio/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

namespace mirtala::app {

namespace {

CMirtalaApp* g_app = nullptr;

const QString kSettingsGroup = QStringLiteral("Settings");
const QString kNameFileValue = QStringLiteral("NameFile");

QSettings Settings() { return QSettings(kCompanyKey, kAppTitle); }

std::string LocalPath(const QString& path) { return PathToBytes(path); }

}  // namespace

CMirtalaApp::CMirtalaApp(QString programPath) : m_programPath(std::move(programPath)) { g_app = this; }

CMirtalaApp::~CMirtalaApp() {
    if (m_mainFrame) m_documentManager.CloseAllDocuments();  // the windows hold views of the documents
    m_useDialogFactory.reset();
    m_mainFrame.reset();
    m_recovery.reset();  // a clean end: no recovery copies stay
    if (g_app == this) g_app = nullptr;
}

CMirtalaApp* CMirtalaApp::Instance() { return g_app; }

QString CMirtalaApp::DefaultNameFile(const QString& programPath) {
    const QString folder = QFileInfo(programPath).absolutePath();
    // An installed program writes nothing under its prefix.
    if (!programPath.isEmpty() && !FindInstallPaths(QFile::encodeName(programPath).toStdString()).installed &&
        QFileInfo(folder).isWritable())
        return folder + QStringLiteral("/posegait.txt");
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data + QStringLiteral("/mirtala/posegait.txt");
}

bool CMirtalaApp::InitInstance(const QStringList& files) {
    m_paths = FindInstallPaths(LocalPath(m_programPath));
    com::SetRegisterCommand(m_paths.RegisterCommand());
    // Before any picture: the control this program came with registers itself when nothing is registered.
    const SelfRegistration registration = RegisterControlIfNeeded(m_paths, zubrelle::CLSID_Zubrelle);
    m_recentFiles.Load();
    m_strNameFile = Settings().value(kSettingsGroup + '/' + kNameFileValue, DefaultNameFile(m_programPath)).toString();
    if (!NameTable::Instance().LoadNameFile(LocalPath(m_strNameFile))) {
        // A first run: start from the names shipped with the program, if any.
        const QString programDir = QFileInfo(m_programPath).absolutePath();
        for (const QString& shipped :
             {QString::fromStdString(m_paths.shippedNameFile), programDir + QStringLiteral("/posegait.txt")})
            if (NameTable::Instance().LoadNameFile(LocalPath(shipped))) break;
    }

    m_mainFrame = std::make_unique<CMainFrame>(*this);
    m_documentManager.SetOwner(m_mainFrame.get());
    m_dialogFactory = std::make_unique<ui::CEditorDialogFactory>(m_mainFrame.get());
    m_useDialogFactory.emplace(*m_dialogFactory);
    if (m_recoveryFolder.isEmpty()) m_recoveryFolder = CRecovery::DefaultFolder();
    m_recovery = std::make_unique<CRecovery>(m_documentManager, m_recoveryFolder, m_recoveryIntervalMs);
    const int recovered = m_recovery->OfferRecovery();

    bool opened = files.isEmpty() ? (recovered > 0 || m_documentManager.OpenNew() != nullptr) : false;
    for (const QString& file : files) opened = m_documentManager.OpenFile(file) != nullptr || opened;
    if (!opened) return false;

    // The guide is fixed at start-up, whatever folder a file dialog moves to later.
    m_helpFile = FindHelpFile(QDir::currentPath(), QString::fromStdString(m_paths.helpFile));
    m_helpDirectory = QFileInfo(m_helpFile).path() + '/';

    ShowWithSavedGeometry(*m_mainFrame);
    if (!registration.message.empty())
        m_mainFrame->statusBar()->showMessage(QString::fromStdString(registration.message), 15000);
    // From the event loop, once the window is up: the offer is centred over it.
    QTimer::singleShot(0, m_mainFrame.get(), [this] { OfferBodyFiles(*m_mainFrame, m_paths); });
    return true;
}

int CMirtalaApp::ExitInstance() {
    Settings().setValue(kSettingsGroup + '/' + kNameFileValue, m_strNameFile);
    const QString folder = QFileInfo(m_strNameFile).absolutePath();
    std::string reason;
    // The folder's own reason ("Read-only file system"), not the missing file's that would follow.
    if (!fileio::MakeFolders(LocalPath(folder), &reason)) {
        ShowMessage(kAppTitle,
                    QStringLiteral("The names could not be saved to %1:\nthe folder %2 cannot be made: %3.")
                        .arg(QDir::toNativeSeparators(m_strNameFile), QDir::toNativeSeparators(folder),
                             QString::fromStdString(reason)),
                    MessageIcon::Warning);
        return 1;
    }
    if (fileio::IsReadOnlyFile(LocalPath(m_strNameFile))) {
        ShowMessage(
            kAppTitle,
            QStringLiteral("%1 is read-only. The file was not changed.").arg(QDir::toNativeSeparators(m_strNameFile)),
            MessageIcon::Warning);
        return 1;
    }
    std::string error;
    if (!NameTable::Instance().SaveNameFile(LocalPath(m_strNameFile), &error)) {
        ShowMessage(kAppTitle,
                    QStringLiteral("The names could not be saved to %1:\n%2")
                        .arg(QDir::toNativeSeparators(m_strNameFile), QString::fromStdString(error)),
                    MessageIcon::Warning);
        return 1;
    }
    return 0;
}

void CMirtalaApp::SetRecovery(QString folder, int intervalMs) {
    m_recoveryFolder = std::move(folder);
    m_recoveryIntervalMs = intervalMs;
}

// ---- commands -----------------------------------------------------------------

void CMirtalaApp::OnImportPoseNames() { ImportPoseNames(m_mainFrame.get()); }

void CMirtalaApp::OnAppAbout() {
    CAboutDlg about(m_mainFrame.get());
    about.exec();
}

}  // namespace mirtala::app
